// A device that is attached but that this user may not open (no udev rule) is listed as such,
// with what to do, and a command for it fails with that reason instead of "no device".

#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "devicelink/UdevRules.h"

namespace morvek::cli {
namespace {

using test::CliRun;
using test::RunCli;

TEST(AccessDeniedTest, DevicesListsTheDeviceAsNotAccessibleWithTheHint) {
    const CliRun r = RunCli({"--emulate", "keyboard", "--emulator-fault", "denied", "devices"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("keyboard  0c45:764e  not accessible\n  command  emu:keyboard&", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("&mi_01&col04"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  " + AccessDeniedHint() + "\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("no devices attached"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("unknown"), std::string::npos) << "interfaces no table row uses are not listed: " << r.out;
}

TEST(AccessDeniedTest, JsonMarksEachRowAccessibleOrNot) {
    const CliRun denied = RunCli({"--emulate", "pad", "--emulator-fault", "denied", "--json", "devices"});
    ASSERT_EQ(denied.status, 0) << denied.err;
    const Json::Value rows = test::ParseJson(denied.out);
    ASSERT_EQ(rows.size(), 1u) << denied.out;
    EXPECT_FALSE(rows[0]["accessible"].asBool());
    EXPECT_EQ(rows[0]["hint"].asString(), AccessDeniedHint());

    const CliRun open = RunCli({"--emulate", "pad", "--json", "devices"});
    ASSERT_EQ(open.status, 0) << open.err;
    EXPECT_TRUE(test::ParseJson(open.out)[0]["accessible"].asBool()) << open.out;
}

TEST(AccessDeniedTest, DeviceCommandsSayTheDeviceIsThereButNotAccessible) {
    const std::vector<std::vector<std::string>> commands = {
        {"info", "keyboard"}, {"key-table", "keyboard"}, {"power", "keyboard"}, {"apply", "keyboard"}};
    for (const auto& command : commands) {
        std::vector<std::string> args = {"--emulate", "keyboard", "--emulator-fault", "denied"};
        args.insert(args.end(), command.begin(), command.end());
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.status, 1) << command[0];
        EXPECT_NE(r.err.find("the keyboard at emu:keyboard&"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("is attached but not accessible; " + AccessDeniedHint()), std::string::npos) << r.err;
    }
}

TEST(AccessDeniedTest, AnotherKindStillReportsNoDevice) {
    const CliRun r = RunCli({"--emulate", "keyboard", "--emulator-fault", "denied", "info", "mouse"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "morvekctl: no mouse is attached\n");
}

}  // namespace
}  // namespace morvek::cli
