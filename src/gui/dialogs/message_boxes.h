// The logic's message boxes as modal Qt message boxes over the window.
#pragma once

#include "controls/ui.h"

#include <QPointer>
#include <QWidget>

namespace korvane {

class QtMessageBoxes : public MessageBoxes {
public:
    // The window the boxes belong to (centred over it, modal to it) once it is shown.
    void setOwner(QWidget* owner) { owner_ = owner; }
    int show(const std::string& prompt, BoxButtons buttons, BoxIcon icon,
             const std::string& title) override;

private:
    QPointer<QWidget> owner_;
};

// A prompt's CR LF (or lone CR) line breaks as the toolkit's.
QString BoxText(const std::string& prompt);

} // namespace korvane
