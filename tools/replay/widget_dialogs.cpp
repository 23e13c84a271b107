#include "widget_dialogs.h"

#include "gui/dialogs/picker_preview.h"
#include "picker_conversion.h"
#include "widget_input.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace korvane::replay {

namespace {

// What a message box showed, in the words of the transcript.
struct ShownBox {
    bool seen = false;
    QString text;
    std::string buttons;
    std::string icon;
    std::string title;
};

ShownBox Read(const QMessageBox& box)
{
    ShownBox shown;
    shown.seen = true;
    shown.text = box.text();
    const QMessageBox::StandardButtons buttons = box.standardButtons();
    shown.buttons = buttons == QMessageBox::Ok ? "ok"
                    : buttons == (QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
                        ? "ync"
                        : "other";
    shown.icon = box.icon() == QMessageBox::NoIcon        ? "none"
                 : box.icon() == QMessageBox::Information ? "info"
                                                          : "other";
    shown.title = box.windowTitle().toStdString();
    return shown;
}

void Answer(QMessageBox& box, const std::string& answer)
{
    if (answer == "no") {
        if (QAbstractButton* no = box.button(QMessageBox::No))
            no->click();
        else
            box.close();
        return;
    }
    PressKey(box, answer == "cancel" ? Qt::Key_Escape : Qt::Key_Return);
}

} // namespace

int WidgetBoxes::show(const std::string& prompt, BoxButtons buttons, BoxIcon icon,
                      const std::string& title)
{
    const std::string answer = queue_.takeAnswer(prompt, buttons);
    ShownBox shown;
    OnNextModal([&shown, &answer](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (!box) {
            modal.close();
            return;
        }
        shown = Read(*box);
        Answer(*box, answer);
    });
    const int code = boxes_.show(prompt, buttons, icon, title);
    if (!shown.seen) {
        transcript_.line("box " + Quoted(prompt) + ": no message box was shown");
        return code;
    }
    // The prompt as the box shows it; a difference in its text shows in the line.
    const std::string text = shown.text == BoxText(prompt) ? prompt : shown.text.toStdString();
    transcript_.line(ScriptedBoxes::BoxLine(text, shown.buttons, shown.icon, shown.title,
                                            ScriptedBoxes::AnswerWord(code)));
    return code;
}

void WidgetPicker::attach(Disk& disk, QWidget* owner)
{
    disk_ = &disk;
    picker_ = std::make_unique<QtFolderPicker>(disk);
    picker_->setOwner(owner);
    picker_->setPlayer(player_);
}

std::string WidgetPicker::pick(const std::string& title, bool filesToo)
{
    const QueuedPick queued = queue_.takePick(title);
    const std::optional<std::string>& wanted = queued.path;
    bool seen = false;
    std::string shownTitle;
    bool shownFilesToo = false;
    OnNextModal([&](QWidget& modal) {
        auto* dialog = qobject_cast<FolderPickerDialog*>(&modal);
        if (!dialog) {
            modal.close();
            return;
        }
        seen = true;
        if (auto* request = dialog->findChild<QLabel*>(QStringLiteral("Request")))
            shownTitle = request->text().toStdString();
        shownFilesToo =
            dialog->windowTitle() == FolderPickerDialog::tr("Browse for File or Folder");
        auto* path = dialog->findChild<QLineEdit*>(QStringLiteral("Path"));
        if (!wanted || !path) {
            PressKey(*dialog, Qt::Key_Escape);
            return;
        }
        path->setFocus();
        TypeOver(*path, QString::fromStdString(*wanted));
        if (queued.convert && shownFilesToo)
            convertInPicker(*dialog, *wanted);
        PressKey(*path, Qt::Key_Return);
        // A pick the player cannot play is asked about; the script's pick is taken as is.
        auto* question = dialog->findChild<QWidget*>(QStringLiteral("CannotPlayQuestion"));
        if (question && question->isVisible())
            dialog->findChild<QPushButton*>(QStringLiteral("AddAnyway"))->click();
    });
    const std::string picked = picker_ ? picker_->pick(title, filesToo) : std::string();
    if (!seen) {
        transcript_.line("picker " + Quoted(title) + ": no folder picker was shown");
        return picked;
    }
    const std::optional<std::string> result =
        picked.empty() ? std::nullopt : std::optional<std::string>(picked);
    transcript_.line(ScriptedPicker::PickerLine(shownTitle, shownFilesToo, result));
    return picked;
}

void WidgetPicker::convertInPicker(FolderPickerDialog& dialog, const std::string& from)
{
    auto* preview = dialog.findChild<PickerPreview*>();
    auto* convert = dialog.findChild<QPushButton*>(QStringLiteral("Convert"));
    auto* path = dialog.findChild<QLineEdit*>(QStringLiteral("Path"));
    if (!preview || !convert || !convert->isVisible()) {
        transcript_.line(RefusedLine(from, "the picker offers no conversion"));
        return;
    }
    if (!convert->isEnabled()) {
        transcript_.line(RefusedLine(from, "the picker's Convert button is disabled"));
        return;
    }
    QEventLoop waiting;
    QObject::connect(preview, &PickerPreview::conversionEnded, &waiting, &QEventLoop::quit);
    convert->click();
    // The conversion runs on a worker; the picker answers meanwhile, as for the user.
    if (preview->converting())
        waiting.exec();
    if (!preview->refusal().isEmpty()) {
        transcript_.line(RefusedLine(from, preview->refusal().toStdString()));
        return;
    }
    transcript_.line(ConvertedLine(*disk_, from, path->text().toStdString()));
}

void WidgetPump::yieldToWindowEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    queue_.yieldToWindowEvents();
}

} // namespace korvane::replay
