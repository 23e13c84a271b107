// A DriveListBox as a drop-down list of the drive entries ("c:", "e: [LABEL]"); picking one
// chooses that drive.
#pragma once

#include "platform/controls.h"

#include <QComboBox>

#include <string>
#include <vector>

namespace korvane {

class DriveListWidget : public QComboBox {
    Q_OBJECT
public:
    DriveListWidget(DriveListBox& drives, QWidget* parent);
    void render();

private:
    DriveListBox& drives_;
    std::vector<std::string> shownEntries_;
};

} // namespace korvane
