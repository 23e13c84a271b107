#include "gui/preview/call_preview.h"

#include "gui/preview/call_player.h"
#include "gui/preview/call_tooltip.h"
#include "gui/preview/playing_row_delegate.h"
#include "gui/widgets/list_view_rows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace korvane {

namespace {

// How long the row says why it cannot be played: long enough to read two short lines.
constexpr int kNoticeMilliseconds = 4000;

} // namespace

CallPreview::CallPreview(QWidget& window, const Disk& disk, CallPlayer& player, RowCallPath pathOf)
    : QObject(&window), window_(&window), disk_(disk), player_(player), pathOf_(std::move(pathOf))
{
    // A list the window makes later, when it first shows, is served from then on.
    for (const QString& name : listNames()) {
        if (auto* list = window.findChild<QAbstractItemView*>(name))
            serve(list);
    }
    // The playing mark follows the player: drawn when a call starts, gone when it stops.
    const auto repaint = [this] {
        for (const QPointer<QAbstractItemView>& list : lists_) {
            if (list)
                list->viewport()->update();
        }
    };
    connect(&player_, &CallPlayer::started, this, repaint);
    connect(&player_, &CallPlayer::stopped, this, repaint);
    // Escape stops the call wherever the focus is in the window.
    qApp->installEventFilter(this);
}

void CallPreview::serve(QAbstractItemView* list)
{
    lists_.emplace_back(list);
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    list->setItemDelegate(new PlayingRowDelegate(
        [this, list](const QModelIndex& index) { return playsRow(*list, index.row()); }, list));
}

const QStringList& CallPreview::listNames()
{
    static const QStringList names = {QStringLiteral("File2"), QStringLiteral("List1"),
                                      QStringLiteral("File1")};
    return names;
}

QString CallPreview::hostPathOfRow(const QAbstractItemView& list, int row) const
{
    if (row < 0 || row >= RowCount(list))
        return {};
    const std::string path = pathOf_(list.objectName(), RowText(list, row));
    const std::optional<std::string> host = path.empty() ? std::nullopt : disk_.HostPath(path);
    return host ? QString::fromStdString(*host) : QString();
}

CallInfo CallPreview::infoOfRow(const QAbstractItemView& list, int row) const
{
    const QString host = hostPathOfRow(list, row);
    return host.isEmpty() ? CallInfo{} : ReadCallInfo(host.toStdString());
}

bool CallPreview::playsRow(const QAbstractItemView& list, int row) const
{
    return !player_.playing().isEmpty() && player_.playing() == hostPathOfRow(list, row);
}

QString CallPreview::tooltipOfRow(const QAbstractItemView& list, int row) const
{
    if (row < 0 || row >= RowCount(list))
        return {};
    const CallInfo info = infoOfRow(list, row);
    const QString loudness =
        info.playable() ? loudness_.lineFor(hostPathOfRow(list, row)) : QString();
    const QString tooltip = CallTooltip(RowText(list, row), info, loudness);
    if (!playsRow(list, row))
        return tooltip;
    return tooltip + QLatin1Char('\n') +
           tr("Playing: double-click the row, or press Space or Esc, to stop it");
}

void CallPreview::playRow(QAbstractItemView& list, int row)
{
    const CallInfo info = infoOfRow(list, row);
    if (!info.playable()) {
        // No box: the row says why, where the user is looking.
        player_.stop();
        const QRect rect = RowRect(list, row);
        QToolTip::showText(list.viewport()->mapToGlobal(rect.center()), tooltipOfRow(list, row),
                           list.viewport(), rect, kNoticeMilliseconds);
        return;
    }
    player_.play(hostPathOfRow(list, row));
}

void CallPreview::toggleRow(QAbstractItemView& list, int row)
{
    if (playsRow(list, row))
        player_.stop();
    else
        playRow(list, row);
}

QAbstractItemView* CallPreview::listOf(QObject* watched) const
{
    for (const QPointer<QAbstractItemView>& list : lists_) {
        if (list && (watched == list || watched == list->viewport()))
            return list;
    }
    return nullptr;
}

bool CallPreview::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show: {
        auto* list = qobject_cast<QAbstractItemView*>(watched);
        if (list && !listOf(list) && window_ && window_->isAncestorOf(list) &&
            listNames().contains(list->objectName()))
            serve(list);
        break;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier &&
            !player_.playing().isEmpty() && watched->isWidgetType() && window_ &&
            (watched == window_ || window_->isAncestorOf(static_cast<QWidget*>(watched)))) {
            player_.stop();
            return true;
        }
        QAbstractItemView* list = listOf(watched);
        if (list && watched == list && key->key() == Qt::Key_Space &&
            key->modifiers() == Qt::NoModifier && CurrentRow(*list) >= 0) {
            toggleRow(*list, CurrentRow(*list));
            return true;
        }
        break;
    }
    case QEvent::MouseButtonDblClick: {
        QAbstractItemView* list = listOf(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!list || watched != list->viewport() || mouse->button() != Qt::LeftButton)
            break;
        const QModelIndex index = list->indexAt(mouse->position().toPoint());
        if (index.isValid())
            toggleRow(*list, index.row());
        return true;
    }
    case QEvent::ToolTip: {
        QAbstractItemView* list = listOf(watched);
        if (!list || watched != list->viewport())
            break;
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = list->indexAt(help->pos());
        if (!index.isValid()) {
            QToolTip::hideText();
            return true;
        }
        QToolTip::showText(help->globalPos(), tooltipOfRow(*list, index.row()), list->viewport(),
                           list->visualRect(index));
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvane
