#include "widget_input.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <memory>

namespace korvane::replay {

namespace {

constexpr int kPollMs = 2;
constexpr int kPollTries = 2500;

} // namespace

void PressKey(QWidget& target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(&target, &release);
}

void TypeOver(QLineEdit& edit, const QString& text)
{
    edit.selectAll();
    if (text.isEmpty()) {
        PressKey(edit, Qt::Key_Delete);
        return;
    }
    // One key event carries the whole text, as an input method delivers a composed string.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(&edit, &press);
}

void ChooseFromPopup(QComboBox& box, int row)
{
    box.showPopup();
    QAbstractItemView* list = box.view();
    list->setCurrentIndex(box.model()->index(row, box.modelColumn(), box.rootModelIndex()));
    PressKey(*list, Qt::Key_Return);
    box.hidePopup(); // in case Enter found nothing to take
}

void OnNextModal(std::function<void(QWidget&)> act)
{
    auto* poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && ++*tries < kPollTries)
            return;
        poll->stop();
        poll->deleteLater();
        if (modal)
            act(*modal);
    });
    poll->start(kPollMs);
}

} // namespace korvane::replay
