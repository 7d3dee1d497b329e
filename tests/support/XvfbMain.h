#pragma once
// main() of a test program that needs a real X server: it starts an Xvfb of its own, points
// Qt's X11 platform at it, makes the one QApplication and runs the tests. Listing the tests
// needs no server.

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/TempFolder.h"
#include "support/XvfbServer.h"

namespace morvek::test {

// The display of the program's Xvfb.
inline std::string& XvfbDisplay() {
    static std::string display;
    return display;
}

inline int RunTestsUnderXvfb(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    TempFolder home;
    XvfbServer server;
    if (!server.Running()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    XvfbDisplay() = server.Display();
    std::filesystem::permissions(home.Path(), std::filesystem::perms::owner_all);
    const QByteArray folder = QByteArray::fromStdString(home.Path().string());
    qputenv("DISPLAY", QByteArray::fromStdString(server.Display()));
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("MORVEK_DATA_DIR", folder + "/data");
    qputenv("XDG_CONFIG_HOME", folder + "/config");
    qputenv("XDG_RUNTIME_DIR", folder);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

}  // namespace morvek::test
