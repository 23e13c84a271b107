// A ComboBox as an editable combo box: picking an item is the user's choice (it raises the
// click), typing changes only the text.
#pragma once

#include "controls/controls.h"

#include <QComboBox>

#include <string>
#include <vector>

namespace korvane {

class ComboBoxWidget : public QComboBox {
    Q_OBJECT
public:
    ComboBoxWidget(ComboBox& combo, QWidget* parent);
    void render();

private:
    ComboBox& combo_;
    std::vector<std::string> shownItems_;
};

} // namespace korvane
