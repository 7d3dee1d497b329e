// The window's dispatcher: callbacks posted from a device thread run on the user-interface
// thread, and only that thread is told it is the user-interface thread (a frame made there goes
// to the view at once; one made on a device thread must be posted).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include <thread>

#include "app/QtUiDispatcher.h"

namespace morvek::app {
namespace {

TEST(QtUiDispatcherTest, OnlyItsOwnThreadIsTheUserInterfaceThreadAndPostsRunThere) {
    QtUiDispatcher dispatcher;
    EXPECT_TRUE(dispatcher.OnUiThread());
    bool onUiFromDevice = true;
    QThread* ranOn = nullptr;
    std::thread device([&] {
        onUiFromDevice = dispatcher.OnUiThread();
        dispatcher.Post([&ranOn] { ranOn = QThread::currentThread(); });
    });
    device.join();
    EXPECT_FALSE(onUiFromDevice);
    EXPECT_EQ(ranOn, nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(ranOn, QThread::currentThread());
}

}  // namespace
}  // namespace morvek::app
