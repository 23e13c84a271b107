#include "platform/qt/call_preview.h"

#include "platform/qt/call_player.h"
#include "platform/qt/call_tooltip.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QToolTip>

namespace korvane {

CallPreview::CallPreview(QWidget& window, const Disk& disk, CallPlayer& player, RowCallPath pathOf)
    : QObject(&window), window_(&window), disk_(disk), player_(player), pathOf_(std::move(pathOf))
{
    for (const QString& name : listNames()) {
        auto* list = window.findChild<QListWidget*>(name);
        if (!list)
            continue;
        lists_.emplace_back(list);
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }
    // Escape stops the call wherever the focus is in the window.
    qApp->installEventFilter(this);
}

const QStringList& CallPreview::listNames()
{
    static const QStringList names = {QStringLiteral("File2"), QStringLiteral("List1"),
                                      QStringLiteral("File1")};
    return names;
}

QString CallPreview::hostPathOfRow(const QListWidget& list, int row) const
{
    const QListWidgetItem* item = list.item(row);
    if (!item)
        return {};
    const std::string path = pathOf_(list.objectName(), item->text());
    const std::optional<std::string> host = path.empty() ? std::nullopt : disk_.HostPath(path);
    return host ? QString::fromStdString(*host) : QString();
}

CallInfo CallPreview::infoOfRow(const QListWidget& list, int row) const
{
    const QString host = hostPathOfRow(list, row);
    return host.isEmpty() ? CallInfo{} : ReadCallInfo(host.toStdString());
}

QString CallPreview::tooltipOfRow(const QListWidget& list, int row) const
{
    const QListWidgetItem* item = list.item(row);
    return item ? CallTooltip(item->text(), infoOfRow(list, row)) : QString();
}

void CallPreview::playRow(QListWidget& list, int row)
{
    const CallInfo info = infoOfRow(list, row);
    if (!info.playable()) {
        // No box: the row says why, where the user is looking.
        player_.stop();
        const QRect rect = list.visualItemRect(list.item(row));
        QToolTip::showText(list.viewport()->mapToGlobal(rect.center()), tooltipOfRow(list, row),
                           list.viewport(), rect);
        return;
    }
    player_.play(hostPathOfRow(list, row));
}

void CallPreview::toggleRow(QListWidget& list, int row)
{
    if (!player_.playing().isEmpty() && player_.playing() == hostPathOfRow(list, row))
        player_.stop();
    else
        playRow(list, row);
}

QListWidget* CallPreview::listOf(QObject* watched) const
{
    for (const QPointer<QListWidget>& list : lists_) {
        if (list && (watched == list || watched == list->viewport()))
            return list;
    }
    return nullptr;
}

bool CallPreview::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier &&
            !player_.playing().isEmpty() && watched->isWidgetType() && window_ &&
            (watched == window_ || window_->isAncestorOf(static_cast<QWidget*>(watched)))) {
            player_.stop();
            return true;
        }
        QListWidget* list = listOf(watched);
        if (list && watched == list && key->key() == Qt::Key_Space &&
            key->modifiers() == Qt::NoModifier && list->currentRow() >= 0) {
            toggleRow(*list, list->currentRow());
            return true;
        }
        break;
    }
    case QEvent::MouseButtonDblClick: {
        QListWidget* list = listOf(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!list || watched != list->viewport() || mouse->button() != Qt::LeftButton)
            break;
        if (const QListWidgetItem* item = list->itemAt(mouse->position().toPoint()))
            toggleRow(*list, list->row(item));
        return true;
    }
    case QEvent::ToolTip: {
        QListWidget* list = listOf(watched);
        if (!list || watched != list->viewport())
            break;
        const auto* help = static_cast<QHelpEvent*>(event);
        const QListWidgetItem* item = list->itemAt(help->pos());
        if (!item) {
            QToolTip::hideText();
            return true;
        }
        QToolTip::showText(help->globalPos(), tooltipOfRow(*list, list->row(item)),
                           list->viewport(), list->visualItemRect(item));
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvane
