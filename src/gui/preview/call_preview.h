// Hearing and inspecting calls from the window's call lists (File2, List1, File1): a double
// click or Space on a row plays its call, Escape or a double click on the row that plays stops
// it, and hovering a row shows its tooltip. The row that plays bears a mark, and its tooltip
// says how to stop it. None of this reaches the controls: the input is taken before the list
// sees it, so no row is selected and no event of the window runs.
#pragma once

#include "calls/call_info.h"
#include "disk/disk.h"
#include "gui/preview/call_loudness_cache.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

class QAbstractItemView;
class QWidget;

namespace korvane {

class CallPlayer;

class CallPreview : public QObject {
    Q_OBJECT
public:
    // The Windows path of the call a row names, from the list's name and the row's text; ""
    // when it names none.
    using RowCallPath = std::function<std::string(const QString& list, const QString& name)>;

    CallPreview(QWidget& window, const Disk& disk, CallPlayer& player, RowCallPath pathOf);

    // The lists it serves, by their names.
    static const QStringList& listNames();

    CallInfo infoOfRow(const QAbstractItemView& list, int row) const;
    // Whether the call of the row is the one that plays.
    bool playsRow(const QAbstractItemView& list, int row) const;
    QString tooltipOfRow(const QAbstractItemView& list, int row) const;
    // Plays the call of the row, unless it cannot be played: then its tooltip says why.
    void playRow(QAbstractItemView& list, int row);
    // A double click: plays the row, or stops it when it is the one that plays.
    void toggleRow(QAbstractItemView& list, int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Takes the list's input and marks its playing row.
    void serve(QAbstractItemView* list);
    QString hostPathOfRow(const QAbstractItemView& list, int row) const;
    QAbstractItemView* listOf(QObject* watched) const;

    QPointer<QWidget> window_;
    const Disk& disk_;
    CallPlayer& player_;
    RowCallPath pathOf_;
    std::vector<QPointer<QAbstractItemView>> lists_;
    mutable CallLoudnessCache loudness_;
};

} // namespace korvane
