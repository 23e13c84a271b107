// The line under the Add picker's tree that lets a user hear a file before choosing it: a
// play button, a button that converts the file to the player's MP3 form, and the file's length
// and format, or why the player cannot play it. Converting writes the converted call into
// Korvane's own folder on c: and hands its path to the picker; nothing else changes what the
// picker returns.
#pragma once

#include "disk/disk.h"

#include <QString>
#include <QWidget>

#include <map>
#include <memory>

class QLabel;
class QPushButton;
class QThread;

namespace korvane {

class CallPlayer;
struct ConversionJob;

class PickerPreview : public QWidget {
    Q_OBJECT
public:
    PickerPreview(Disk& disk, CallPlayer& player, QWidget* parent);
    ~PickerPreview() override;

    // The picker's path changed (a row picked or a path typed).
    void showPath(const std::string& windowsPath);
    bool converting() const { return work_ != nullptr; }
    // Why the last conversion was refused; "" when it was not.
    const QString& refusal() const { return refusal_; }
    // The words the line puts before the reason of a refusal.
    static QString RefusedText(const QString& why);

signals:
    // The picked file was converted; path is the converted call's Windows path.
    void converted(const QString& path);
    // A conversion has ended, converted or refused.
    void conversionEnded();

private:
    void playOrStop();
    void showPlaying();
    // Reads the picked file here, converts it on a worker, and saves it here when it is done.
    void convert();
    void finishConversion(const std::string& source);
    void refuse(const QString& why);

    Disk& disk_;
    CallPlayer& player_;
    QPushButton* play_;
    QPushButton* convert_;
    QLabel* about_;
    QString hostPath_;   // the picked file when it can be played
    std::string source_; // the picked path
    QThread* work_ = nullptr;
    std::shared_ptr<ConversionJob> job_;
    QString refusal_;
    std::map<std::string, QString> evenedOut_; // converted call -> how its loudness changed
};

} // namespace korvane
