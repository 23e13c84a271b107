// The line under the Add picker's tree that lets a user hear a file before choosing it: a
// play button and the file's length and format, or why the player cannot play it. It only
// reads the file that is picked, and changes nothing of what the picker returns.
#pragma once

#include "disk/disk.h"

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;

namespace korvane {

class CallPlayer;

class PickerPreview : public QWidget {
    Q_OBJECT
public:
    PickerPreview(const Disk& disk, CallPlayer& player, QWidget* parent);
    ~PickerPreview() override;

    // The picker's path changed (a row picked or a path typed).
    void showPath(const std::string& windowsPath);

private:
    void playOrStop();
    void showPlaying();

    const Disk& disk_;
    CallPlayer& player_;
    QPushButton* play_;
    QLabel* about_;
    QString hostPath_; // the picked file when it can be played
};

} // namespace korvane
