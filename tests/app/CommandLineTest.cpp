// The morvek program's command line: the demo's devices and the faults they show.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace morvek::app {
namespace {

TEST(CommandLineTest, EmulatorFaultsGoWithTheDemoAndAreChecked) {
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> faults;  // when parsed
        const char* error;                // part of the error, nullptr when parsed
    } cases[] = {
        {{"--demo", "--emulator-fault=silent"}, {"silent"}, nullptr},
        {{"--demo=pad", "--emulator-fault", "status-ff", "--emulator-fault=stale:2"}, {"status-ff", "stale:2"}, nullptr},
        {{"--emulator-fault=silent", "--demo=keyboard"}, {"silent"}, nullptr},
        {{"--demo", "--emulator-fault=quiet"}, {}, "unknown emulator fault \"quiet\""},
        {{"--demo", "--emulator-fault="}, {}, "unknown emulator fault"},
        {{"--demo", "--emulator-fault"}, {}, "unknown emulator fault"},
        {{"--emulator-fault=silent"}, {}, "--emulator-fault goes with --demo"},
    };
    for (const Case& c : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(c.arguments, nullptr);
        if (c.error == nullptr) {
            ASSERT_TRUE(parsed.line.has_value()) << parsed.error;
            EXPECT_EQ(parsed.line->faults, c.faults);
            EXPECT_FALSE(parsed.line->demo.empty());
        } else {
            EXPECT_FALSE(parsed.line.has_value()) << c.arguments.back();
            EXPECT_NE(parsed.error.find(c.error), std::string::npos) << parsed.error;
        }
    }
    // $MORVEK_EMULATE stands for --demo.
    const ParsedCommandLine fromVariable = ParseCommandLine({"--emulator-fault=vanish:3"}, "mouse");
    ASSERT_TRUE(fromVariable.line.has_value()) << fromVariable.error;
    EXPECT_EQ(fromVariable.line->faults, std::vector<std::string>{"vanish:3"});
}

TEST(CommandLineTest, AutostartTakesOnOrOffAndMinimizedStartsInTheTray) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<bool> autostart;  // when parsed
        const char* error;              // part of the error, nullptr when parsed
    } cases[] = {
        {{"--autostart", "on"}, true, nullptr},
        {{"--autostart=off"}, false, nullptr},
        {{"--autostart"}, std::nullopt, "--autostart takes on or off"},
        {{"--autostart=yes"}, std::nullopt, "not 'yes'"},
        {{"--minimized"}, std::nullopt, nullptr},
    };
    for (const Case& c : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(c.arguments, nullptr);
        if (c.error == nullptr) {
            ASSERT_TRUE(parsed.line.has_value()) << parsed.error;
            EXPECT_EQ(parsed.line->autostart, c.autostart) << c.arguments[0];
            EXPECT_EQ(parsed.line->minimized, c.arguments[0] == "--minimized");
        } else {
            EXPECT_FALSE(parsed.line.has_value()) << c.arguments[0];
            EXPECT_NE(parsed.error.find(c.error), std::string::npos) << parsed.error;
        }
    }
}

}  // namespace
}  // namespace morvek::app
