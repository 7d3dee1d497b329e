// One QApplication on the offscreen platform for every test of the program. The user's
// folders point into a temporary folder, so no test touches the real ones.
#include <gtest/gtest.h>

#include <QApplication>

#include "support/TempFolder.h"

int main(int argc, char** argv) {
    morvek::test::TempFolder home;
    const QByteArray folder = QByteArray::fromStdString(home.Path().string());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("MORVEK_DATA_DIR", folder + "/data");
    qputenv("XDG_CONFIG_HOME", folder + "/config");
    qputenv("XDG_CACHE_HOME", folder + "/cache");
    qputenv("XDG_RUNTIME_DIR", folder);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
