#include "controls/controls.h"

namespace korvane {

void Control::setVisible(bool visible)
{
    if (visible_ == visible)
        return;
    visible_ = visible;
    notify();
}

void Control::setEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    notify();
}

void Control::notify()
{
    // Those added meanwhile start with the next change; they begin from the present state.
    for (std::size_t i = 0, told = observers_.size(); i < told; ++i)
        observers_[i](*this);
}

void Control::deliver(const std::function<void()>& handler)
{
    if (dispatcher_)
        dispatcher_->dispatch(handler);
    else
        handler();
}

// --- CommandButton

void CommandButton::setCaption(std::string caption)
{
    caption_ = std::move(caption);
    notify();
}

bool CommandButton::click()
{
    if (!takesInput())
        return false;
    deliver([this] {
        if (onClick_)
            onClick_();
    });
    return true;
}

// --- Label, TextBox

void Label::setCaption(std::string caption)
{
    caption_ = std::move(caption);
    notify();
}

void TextBox::setText(std::string text)
{
    text_ = std::move(text);
    notify();
}

void TextBox::setLocked(bool locked)
{
    locked_ = locked;
    notify();
}

void TextBox::setFontSize(double points)
{
    font.points = points;
    notify();
}

void TextBox::setBackColor(Color color)
{
    backColor = color;
    notify();
}

void TextBox::setForeColor(Color color)
{
    foreColor = color;
    notify();
}

void TextBox::userType(std::string text)
{
    if (!takesInput() || locked_)
        return;
    setText(std::move(text));
}

// --- ProgressBar, TabContainer

void ProgressBar::setValue(float value)
{
    if (value == value_)
        return;
    value_ = value;
    notify();
}

void ProgressBar::setRange(float min, float max)
{
    min_ = min;
    max_ = max;
    notify();
}

void TabContainer::setTabCaption(std::string caption)
{
    tabCaption_ = std::move(caption);
    notify();
}

} // namespace korvane
