#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CliRun.h"
#include "devicelink/HidCommandReport.h"
#include "platform/Trace.h"

namespace morvek::cli {
namespace {

using test::CliRun;
constexpr auto Morvekctl = test::RunCli;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(MorvekctlTest, DevicesListsEveryEmulatedDeviceWithItsInterfaces) {
    const CliRun r = Morvekctl({"--emulate", "keyboard,mouse,pad,headset", "devices"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 12u) << r.out;
    EXPECT_EQ(lines[0].rfind("keyboard  0c45:764e  firmware ", 0), 0u) << lines[0];
    EXPECT_NE(lines[1].find("&mi_01&col04"), std::string::npos);
    EXPECT_NE(lines[2].find("&mi_01&col03"), std::string::npos);
    EXPECT_EQ(lines[3].rfind("mouse  0000:0000", 0), 0u) << lines[3];
    EXPECT_EQ(lines[6].rfind("pad  0000:0000", 0), 0u) << lines[6];
    EXPECT_EQ(lines[9].rfind("headset  0000:0000", 0), 0u) << lines[9];
    EXPECT_NE(lines[10].find("&mi_03"), std::string::npos);
    EXPECT_EQ(lines[10].find("&col"), std::string::npos);
    EXPECT_EQ(lines[11], "  event    (not present)");
}

// The wired mouse and the pad have the same interface numbers; each alone is still its own kind,
// with both of its interfaces.
TEST(MorvekctlTest, AMousePadOrReceiverAloneIsListedAsItsOwnKind) {
    struct Case {
        const char* emulate;
        const char* kind;
        bool wireless;
    };
    const Case cases[] = {
        {"pad", "pad", false},
        {"mouse", "mouse", false},
        {"wireless-mouse", "mouse", true},
    };
    for (const Case& c : cases) {
        const CliRun r = Morvekctl({"--emulate", c.emulate, "--json", "devices"});
        ASSERT_EQ(r.status, 0) << r.err;
        const Json::Value list = test::ParseJson(r.out);
        ASSERT_EQ(list.size(), 1u) << r.out;
        const std::string path = std::string("emu:") + c.emulate + "&";
        EXPECT_EQ(list[0]["kind"].asString(), c.kind) << c.emulate;
        EXPECT_EQ(list[0]["wireless"].asBool(), c.wireless) << c.emulate;
        EXPECT_EQ(list[0]["command"].asString().rfind(path, 0), 0u) << c.emulate;
        EXPECT_EQ(list[0]["event"].asString().rfind(path, 0), 0u) << c.emulate;
    }
    // A command for the pad finds it.
    const CliRun r = Morvekctl({"--emulate", "pad", "key-table", "pad"});
    EXPECT_NE(r.err.find("has no key table"), std::string::npos) << r.err;
}

TEST(MorvekctlTest, InfoAndKeyTableOfTheKeyboard) {
    CliRun r = Morvekctl({"--emulate", "keyboard", "info", "keyboard"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("key slots       126\n"), std::string::npos) << r.out;

    r = Morvekctl({"--emulate", "keyboard", "key-table", "keyboard"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 126u);
    EXPECT_EQ(lines[0], "  0  d0 a2 01");  // M1 always sits in slot 0
}

TEST(MorvekctlTest, TraceShowsTheKeyTableIn56ByteChunksWithCorrectChecksums) {
    std::vector<std::string> trace;
    SetTraceSink([&](const std::string& line) { trace.push_back(line); });
    const CliRun r = Morvekctl({"--emulate", "keyboard", "--trace", "key-table", "keyboard"});
    SetTraceEnabled(false);
    SetTraceSink({});
    ASSERT_EQ(r.status, 0) << r.err;

    std::vector<std::pair<int, int>> keyTableChunks;  // length, offset
    for (size_t i = 0; i + 2 < trace.size(); ++i) {
        if (trace[i] != "命令") continue;
        CommandReport report{};
        std::istringstream hex(trace[i + 1] + " " + trace[i + 2]);
        for (auto& b : report) {
            unsigned v = 0;
            hex >> std::hex >> v;
            b = static_cast<uint8_t>(v);
        }
        EXPECT_EQ(report[1] | (report[2] << 8), ReportChecksum(report)) << trace[i + 1];
        if (report[3] == 0x07) keyTableChunks.emplace_back(report[4], report[5] | (report[6] << 8));
    }
    EXPECT_EQ(keyTableChunks, (std::vector<std::pair<int, int>>{
                                  {56, 0}, {56, 56}, {56, 112}, {56, 168}, {56, 224}, {56, 280}, {42, 336}}));
}

TEST(MorvekctlTest, PowerShowsTheRecordAsTheIndicatorReadsIt) {
    struct Case {
        const char* emulate;
        const char* kind;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"keyboard", "keyboard", {"record    640200000000", "level     100%", "charging  charged", "wireless  no"}},
        {"wireless-mouse", "mouse", {"record    550000010000", "level     85%", "charging  on battery", "wireless  yes"}},
        {"keyboard,mouse,pad", "pad",
         {"record    640200000000", "level     100%", "charging  charged", "wireless  no", "phone     Phone_type_no_device"}},
    };
    for (const Case& c : cases) {
        const CliRun r = Morvekctl({"--emulate", c.emulate, "power", c.kind});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(Lines(r.out), c.lines) << c.kind;
    }
}

TEST(MorvekctlTest, WrongCommandLinesExitWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"--emulate"},
        {"--emulate", "keyboard,toaster", "devices"},
        {"--emulator-latency", "1", "devices"},
        {"--emulate", "keyboard", "--emulator-latency", "fast", "devices"},
        {"--bogus", "devices"},
        {"--emulate", "keyboard", "info"},
        {"--emulate", "keyboard", "info", "toaster"},
        {"--emulate", "keyboard", "devices", "extra"},
        {"emulator", "dump"},
        {"--emulate", "keyboard", "emulator", "press", "keyboard", "300"},
        {"--emulate", "keyboard", "emulator", "event", "keyboard", "0x10000"},
        {"--emulate", "keyboard", "emulator", "shake"},
        {"--emulate", "keyboard", "power"},
    };
    test::ExpectUsageErrors(cases, [&](const auto& args) { return Morvekctl(args); });
}

TEST(MorvekctlTest, MissingDeviceFailsWithOne) {
    const CliRun r = Morvekctl({"--emulate", "mouse", "key-table", "keyboard"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "morvekctl: no keyboard is attached\n");
}

TEST(MorvekctlTest, DeviceWithoutKeyTableFailsWithOne) {
    // The mouse pad has no key table.
    const CliRun r = Morvekctl({"--emulate", "keyboard,mouse,pad", "key-table", "pad"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("has no key table"), std::string::npos) << r.err;
}

TEST(MorvekctlTest, EmulatorEventsReachTheHostEventReader) {
    CliRun r = Morvekctl({"--emulate", "keyboard", "emulator", "press", "keyboard", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "sent 0x0205 key 5 pressed\nhost reaction: 0x0205 key 5 pressed\n");
    r = Morvekctl({"--emulate", "keyboard,mouse", "emulator", "event", "mouse", "0x0401"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "sent 0x0401 synchronisation request\nhost reaction: 0x0401 synchronisation request\n");
    r = Morvekctl({"--emulate", "keyboard,mouse", "emulator", "press", "mouse", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "sent 0x0205 key 5 pressed\nhost reaction: none\n");
}

TEST(MorvekctlTest, EmulatorStateFileIsWrittenAndABrokenOneIsRefused) {
    const auto dir = std::filesystem::temp_directory_path() / ("morvekctl-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string state = (dir / "state.json").string();
    CliRun r = Morvekctl({"--emulate", "keyboard", "--emulator-state", state, "info", "keyboard"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(std::filesystem::exists(state));
    r = Morvekctl({"--emulate", "keyboard", "--emulator-state", state, "emulator", "dump", "keyboard"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"keyTable\""), std::string::npos);

    std::ofstream(state) << "{ not json";
    r = Morvekctl({"--emulate", "keyboard", "--emulator-state", state, "devices"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot read the emulator state file"), std::string::npos);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace morvek::cli
