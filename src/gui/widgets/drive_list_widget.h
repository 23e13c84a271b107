// A DriveListBox as a drop-down list of the drive entries ("c:", "e: [LABEL]"); picking one
// chooses that drive. Its entries are read again whenever the user turns to it.
#pragma once

#include "controls/controls.h"

#include <QComboBox>

#include <string>
#include <vector>

namespace korvane {

class DriveListWidget : public QComboBox {
    Q_OBJECT
public:
    DriveListWidget(DriveListBox& drives, QWidget* parent);
    void render();
    // The list reads the drives again as the user turns to it, so volumes mounted or pulled
    // out since show up or go.
    void showPopup() override;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    DriveListBox& drives_;
    std::vector<std::string> shownEntries_;
};

} // namespace korvane
