// One program per user: a second start hands over to the first, which shows its window.
#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>

#include <future>

#include "app/MainWndFixture.h"
#include "app/SingleInstance.h"
#include "support/TempFolder.h"

namespace morvek::app {
namespace {

QString ServerIn(const test::TempFolder& folder) {
    return QDir(QString::fromStdString(folder.Path().string())).filePath("instance");
}

// The second start runs on a thread of its own, as another process would, while this thread
// keeps the first instance's event loop going.
bool SecondStart(const QString& server) {
    auto second = std::async(std::launch::async, [server] { return SingleInstance(server).Acquire(); });
    while (second.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return second.get();
}

TEST(SingleInstanceTest, SecondStartAsksTheFirstToRaiseAndEnds) {
    test::TempFolder folder;
    SingleInstance first(ServerIn(folder));
    ASSERT_TRUE(first.Acquire());
    EXPECT_TRUE(first.IsListening());
    QSignalSpy raised(&first, &SingleInstance::RaiseRequested);
    EXPECT_FALSE(SecondStart(ServerIn(folder)));
    EXPECT_TRUE(raised.size() == 1 || raised.wait(2000));
}

TEST(SingleInstanceTest, AfterTheFirstEndsTheNextStartIsFirstAgain) {
    test::TempFolder folder;
    {
        SingleInstance first(ServerIn(folder));
        ASSERT_TRUE(first.Acquire());
    }
    SingleInstance next(ServerIn(folder));
    EXPECT_TRUE(next.Acquire());
}

using test::MainWndTest;

TEST_F(MainWndTest, SecondStartRestoresTheWindowHiddenInTheTray) {
    test::TempFolder folder;
    SingleInstance first(ServerIn(folder));
    ASSERT_TRUE(first.Acquire());
    QObject::connect(&first, &SingleInstance::RaiseRequested, window.get(), &CMainWnd::RestoreAndRaise);
    Start();
    window->hide();
    ASSERT_FALSE(window->isVisible());
    EXPECT_FALSE(SecondStart(ServerIn(folder)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, 2000));
}

}  // namespace
}  // namespace morvek::app
