// The window's long lists: moving a row of a 32,767-row playlist up and down, and showing a
// folder of 10,000 calls in the sound-file list, each against the least a Qt program does to
// show the same: a string list model under a plain list view, and reading the folder.
#include "rows.h"

#include "real_window.h"

#include <QListView>
#include <QStringListModel>

#include <dirent.h>
#include <stdexcept>

namespace korvane::bench {

namespace {

constexpr int kRounds = 15;
constexpr int kSoundFiles = 10000;
constexpr int kPlaylistLines = 32767;
constexpr int kMovedRow = kPlaylistLines / 2;

std::string CallName(int number)
{
    return "call" + std::to_string(number) + ".mp3";
}

// The baseline of moving a row: two rows of a string list model swapped, shown by a list view.
class PlainList {
public:
    explicit PlainList(const QStringList& rows) : model_(rows)
    {
        view_.setUniformItemSizes(true);
        view_.setModel(&model_);
        view_.setCurrentIndex(model_.index(kMovedRow));
        view_.show();
        RealWindow::settle();
    }

    void swap(int upper)
    {
        const QModelIndex above = model_.index(upper);
        const QModelIndex below = model_.index(upper + 1);
        const QString kept = above.data().toString();
        model_.setData(above, below.data());
        model_.setData(below, kept);
        view_.setCurrentIndex(below);
        RealWindow::settle();
    }

private:
    QStringListModel model_;
    QListView view_;
};

int ListFolder(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        throw std::runtime_error("cannot list " + folder);
    int names = 0;
    while (const dirent* entry = ::readdir(dir))
        names += entry->d_name[0] != '.';
    ::closedir(dir);
    return names;
}

} // namespace

std::vector<Row> ListRows()
{
    RealWindow w;
    const std::string sounds = "d:\\big\\Tarvo_Calls";
    for (int i = 0; i < kSoundFiles; ++i)
        w.drives.writeFile(sounds + "\\" + CallName(i), CallName(i));
    std::string playlist;
    QStringList rows;
    for (int line = 0; line < kPlaylistLines; ++line) {
        const std::string name = CallName(line * 7 % kSoundFiles);
        playlist += (line ? "\r\n" : "") + name;
        rows.append(QString::fromStdString(name));
    }
    w.drives.writeFile(sounds + "\\1.txt", playlist);
    w.drives.writeFile("d:\\big\\empty\\keep.txt", "");
    Form1& f = w.start("d:\\big");
    f.File2.setPattern("*.mp3");
    f.File2.setPath(sounds);
    f.Combo1.setListIndex(1);
    f.List1.setListIndex(kMovedRow);
    RealWindow::settle();
    if (f.List1.ListCount() != kPlaylistLines)
        throw std::runtime_error("the playlist did not load");

    // Moving: "Up" then "Down" on a row in the middle, each shown before the next.
    const std::string moved = f.List1.List(kMovedRow);
    PlainList plain(rows);
    const auto [move, swap] = MedianMillisecondsInTurns(
        kRounds,
        [&] {
            f.Command15.click();
            RealWindow::settle();
            f.Command16.click();
            RealWindow::settle();
        },
        [&] {
            plain.swap(kMovedRow - 1);
            plain.swap(kMovedRow - 1);
        });
    if (f.List1.List(kMovedRow) != moved || f.List1.ListIndex() != kMovedRow ||
        f.List1.List(kMovedRow - 1) == moved)
        throw std::runtime_error("Up and Down did not move the row back and forth");

    // Listing: the sound-file list turned from an empty folder to the folder of 10,000.
    const std::string hostFolder = w.drives.hostPath("d/big/Tarvo_Calls");
    int listed = 0;
    const auto [show, readFolder] = MedianMillisecondsInTurns(
        kRounds,
        [&] {
            f.File2.setPath(sounds);
            RealWindow::settle();
        },
        [&] { listed = ListFolder(hostFolder); },
        [&] {
            f.File2.setPath("d:\\big\\empty");
            RealWindow::settle();
        });
    f.File2.setPath(sounds);
    if (f.File2.ListCount() != kSoundFiles || listed < kSoundFiles)
        throw std::runtime_error("the folder of 10,000 calls was not listed");

    return {
        {"Up + Down in a 32,767-row playlist", "Up + Down (move + show)", move,
         "two swaps in a QStringListModel view", swap, "ms", 5},
        {"show a folder of 10,000 calls", "File2 path + show", show, "readdir", readFolder, "ms",
         5},
    };
}

} // namespace korvane::bench
