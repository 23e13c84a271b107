// Icons drawn as shapes at the size asked for, so that they are sharp at any scale without
// image files: the closed and the open folder of the folder lists and the drive of the drive
// lists, and the mark of the row whose call plays.
#pragma once

#include <QIcon>

namespace korvane {

enum class DrawnShape { ClosedFolder, OpenFolder, Drive, Playing };

QIcon DrawnIcon(DrawnShape shape);

} // namespace korvane
