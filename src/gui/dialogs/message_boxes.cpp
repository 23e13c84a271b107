#include "gui/dialogs/message_boxes.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace korvane {

QString BoxText(const std::string& prompt)
{
    QString text = QString::fromStdString(prompt);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A line of a damaged playlist can be a megabyte long; the box shows its two ends, so it
    // stays the size of a box and the line can still be recognised.
    constexpr qsizetype kLongest = 400;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.size() > kLongest)
            line = line.left(300) + QStringLiteral(" \u2026 ") + line.right(60);
    }
    return lines.join(QLatin1Char('\n'));
}

int QtMessageBoxes::show(const std::string& prompt, BoxButtons buttons, BoxIcon icon,
                         const std::string& title)
{
    // Before the window shows (start-up), a box stands on its own, centred on the screen.
    QMessageBox box(owner_ && owner_->isVisible() ? owner_.data() : nullptr);
    box.setWindowTitle(QString::fromStdString(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(BoxText(prompt));
    box.setIcon(icon == BoxIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon);
    if (buttons == BoxButtons::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    box.exec();

    // Closing the box by its title bar counts as its escape button.
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return kAnswerYes;
    case QMessageBox::No:
        return kAnswerNo;
    case QMessageBox::Cancel:
        return kAnswerCancel;
    default:
        return buttons == BoxButtons::YesNoCancel ? kAnswerCancel : kAnswerOk;
    }
}

} // namespace korvane
