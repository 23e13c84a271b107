// What the Qt tests share: the one application object, temporary folders as drives, and a
// way to act on the next modal box while the code under test waits in it.
#pragma once

#include "disk/disk.h"
#include "gui/widgets/list_view_rows.h"
#include "support/temp_drives.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korvane::testing {

inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "korvane_qt_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt objects of the tests may outlive a static application.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Made before the first test runs; listing the tests needs no screen, so not then.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { TestApp(); }
};
inline ::testing::Environment* const kQtApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

// Temporary drives as the core tests have them, with the factory kit copied in as it lies
// beside an installed program, and a current folder that is put back before they go.
class TempFolder : public test::TempDrives {
public:
    using TempDrives::TempDrives;
    ~TempFolder()
    {
        std::error_code ignored;
        if (!left_.empty())
            std::filesystem::current_path(left_, ignored);
    }
    std::filesystem::path makeKit(const std::string& relative) const
    {
        makeFolder(relative);
        for (const auto& entry : std::filesystem::directory_iterator(KORVANE_FACTORY_DIR))
            std::filesystem::copy_file(entry.path(), hostPath(relative) / entry.path().filename());
        return hostPath(relative);
    }
    // Makes relative the current folder until these drives go.
    void enter(const std::string& relative)
    {
        if (left_.empty())
            left_ = std::filesystem::current_path();
        std::filesystem::current_path(hostPath(relative));
    }

private:
    std::filesystem::path left_;
};

// The tooltip the list shows with the pointer resting on row; "" for none.
inline QString ToolTipOver(QAbstractItemView& list, int row)
{
    // A hidden tooltip fades out for a while; one showing this text instead tells at once
    // whether the list showed a tooltip of its own.
    const QString none = QStringLiteral("(no tooltip)");
    const QPoint at = RowRect(list, row).center();
    QToolTip::showText(list.viewport()->mapToGlobal(at), none, list.viewport());
    QHelpEvent event(QEvent::ToolTip, at, list.viewport()->mapToGlobal(at));
    QApplication::sendEvent(list.viewport(), &event);
    const QString shown = QToolTip::isVisible() ? QToolTip::text() : QString();
    return shown == none ? QString() : shown;
}

// Runs act on the modal widget that the code under test opens next, from inside its event
// loop; gives up after a few seconds so that a missing box fails instead of hanging.
inline void OnNextModal(std::function<void(QWidget&)> act)
{
    auto* poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && ++*tries < 500)
            return;
        poll->stop();
        poll->deleteLater();
        if (modal)
            act(*modal);
    });
    poll->start(10);
}

// Closes a modal box that nothing in the test answers within two seconds and remembers its
// text, so that an unexpected box fails the test instead of hanging it.
class UnansweredBoxes {
public:
    UnansweredBoxes()
    {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal != seen_) {
                seen_ = modal;
                ticks_ = 0;
                return;
            }
            if (++ticks_ < 40)
                return;
            texts_.push_back(modal->property("text").toString().toStdString());
            modal->close();
            seen_ = nullptr;
        });
        poll_.start(50);
    }
    const std::vector<std::string>& texts() const { return texts_; }

private:
    QTimer poll_;
    QWidget* seen_ = nullptr;
    int ticks_ = 0;
    std::vector<std::string> texts_;
};

} // namespace korvane::testing
