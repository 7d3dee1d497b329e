// Devices that stop answering or refuse, as --emulator-fault makes the emulated ones do: a
// command ends at the first request that gets no answer at all, and says what happened.

#include <gtest/gtest.h>
#include <json/json.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "platform/Trace.h"
#include "support/SourcePaths.h"
#include "support/TempFolder.h"

namespace morvek::cli {
namespace {

using test::CliRun;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct FaultRun {
    CliRun result;
    size_t commandReports = 0;  // command reports the host sent, from the trace
};

// Runs morvekctl on emulated devices with the faults given, counting the command reports sent.
FaultRun WithFaults(const test::TempFolder& root, const std::string& emulate, const std::vector<std::string>& faults,
               const std::vector<std::string>& args) {
    std::vector<std::string> full = {"--data-dir", (root / "data").string(), "--default-data", test::SourceDataDir(),
                                     "--emulate", emulate, "--trace"};
    for (const std::string& fault : faults) full.insert(full.end(), {"--emulator-fault", fault});
    full.insert(full.end(), args.begin(), args.end());
    FaultRun run;
    SetTraceSink([&run](const std::string& line) { run.commandReports += line == "命令" ? 1 : 0; });
    run.result = test::RunCli(full);
    SetTraceSink({});
    SetTraceEnabled(false);
    return run;
}

TEST(SilentDeviceTest, EmulatorFaultsAreCheckedWhenGiven) {
    for (const char* fault : {"silent", "stale", "stale:3", "status-ff", "status-fe", "vanish", "vanish:12", "denied"}) {
        const CliRun r = test::RunCli({"--emulate", "keyboard", "--emulator-fault", fault, "devices"});
        EXPECT_EQ(r.status, 0) << fault << ": " << r.err;
    }
    for (const char* fault : {"", "quiet", "stale:", "stale:x", "stale:-1", "silent:2x", "vanish:99999999", "status-00"}) {
        const CliRun r = test::RunCli({"--emulate", "keyboard", "--emulator-fault", fault, "devices"});
        EXPECT_EQ(r.status, 2) << fault;
        EXPECT_TRUE(Has(r.err, "unknown emulator fault")) << r.err;
    }
    const CliRun without = test::RunCli({"--emulator-fault", "silent", "devices"});
    EXPECT_EQ(without.status, 2);
    EXPECT_TRUE(Has(without.err, "go with --emulate")) << without.err;
    const CliRun missing = test::RunCli({"--emulate", "keyboard", "--emulator-fault"});
    EXPECT_EQ(missing.status, 2);
}

// A silent device costs one request's time-outs: every later step of the sequence fails at once
// without reaching it, and the message says the device does not answer.
TEST(SilentDeviceTest, ASilentDeviceEndsTheSequenceAtTheFirstUnansweredRequest) {
    struct Case {
        const char* emulate;
        std::vector<std::string> args;
        size_t commandReports;  // the kind question of a mouse or pad, then the configuration read
        const char* message;
    } cases[] = {
        {"keyboard", {"apply", "keyboard"}, 1, "the keyboard does not answer, so the sequence ended at \"write settings\""},
        {"mouse", {"apply", "mouse"}, 2, "the mouse does not answer, so the sequence ended at \"write settings\""},
        {"mouse", {"dpi", "1", "900"}, 2, "the mouse does not answer, so no DPI can be set"},
        {"wireless-mouse", {"apply", "mouse"}, 1, "the receiver of the wireless mouse does not answer"},
        {"keyboard", {"key", "keyboard", "--write"}, 1, "the keyboard does not answer"},
        {"keyboard", {"info", "keyboard"}, 1, "the keyboard does not answer"},
    };
    for (const Case& c : cases) {
        const test::TempFolder root;
        const FaultRun run = WithFaults(root, c.emulate, {"silent"}, c.args);
        EXPECT_EQ(run.result.status, 1) << c.emulate << " " << c.args[0];
        EXPECT_TRUE(Has(run.result.err, c.message)) << run.result.err;
        EXPECT_EQ(run.commandReports, c.commandReports) << c.emulate << " " << c.args[0];
    }
}

// A pad that does not answer cannot say it is a pad, so it is listed as a mouse (the table's
// guess for their shared numbers); asked for the pad, the command says it does not answer.
TEST(SilentDeviceTest, APadThatDoesNotAnswerIsNamedAsSuch) {
    const test::TempFolder root;
    const FaultRun devices = WithFaults(root, "pad", {"silent"}, {"devices"});
    ASSERT_EQ(devices.result.status, 0);
    EXPECT_TRUE(Has(devices.result.out, "mouse  0000:0000")) << devices.result.out;
    EXPECT_TRUE(Has(devices.result.out, "did not answer when asked its kind")) << devices.result.out;
    for (const std::vector<std::string>& args : {std::vector<std::string>{"apply", "pad"}, {"power", "pad"}}) {
        const FaultRun run = WithFaults(root, "pad", {"silent"}, args);
        EXPECT_EQ(run.result.status, 1);
        EXPECT_TRUE(Has(run.result.err, "does not answer, so it cannot say whether it is the pad (it is listed as a mouse)"))
            << run.result.err;
    }
    // Answering, it is the pad.
    const FaultRun answering = WithFaults(root, "pad", {}, {"devices"});
    EXPECT_TRUE(Has(answering.result.out, "pad  0000:0000")) << answering.result.out;
    EXPECT_FALSE(Has(answering.result.out, "did not answer")) << answering.result.out;
}

// A device that answers with status 0xff or 0xfe refused the request; a wireless mouse whose
// receiver answers "no mouse" is out of reach. Each is told as what it is.
TEST(SilentDeviceTest, RefusalsAndAMouseOutOfReachAreToldAsSuch) {
    struct Case {
        const char* emulate;
        std::vector<std::string> faults;
        std::vector<std::string> extra;
        const char* message;
    } cases[] = {
        {"mouse", {"status-ff"}, {}, "the mouse refused the request (status 0xff)"},
        {"mouse", {"status-fe"}, {}, "the mouse refused the request (status 0xfe)"},
        {"wireless-mouse", {"status-ff"}, {}, "the wireless mouse refused the request (status 0xff)"},
        {"wireless-mouse", {"status-fe"}, {}, "the wireless mouse refused the request (status 0xfe)"},
        {"wireless-mouse", {}, {"--emulator-link-down"}, "the wireless mouse does not answer its receiver (out of reach or off)"},
    };
    for (const Case& c : cases) {
        const test::TempFolder root;
        std::vector<std::string> args = c.extra;
        args.insert(args.end(), {"dpi", "1", "900"});
        const FaultRun run = WithFaults(root, c.emulate, c.faults, args);
        EXPECT_EQ(run.result.status, 1) << c.message;
        EXPECT_TRUE(Has(run.result.err, c.message)) << run.result.err;
    }
    // A refusal is an answer: the apply sequence goes on through every step and reports each.
    const test::TempFolder root;
    const FaultRun run = WithFaults(root, "keyboard", {"status-ff"}, {"apply", "keyboard"});
    EXPECT_EQ(run.result.status, 1);
    EXPECT_TRUE(Has(run.result.out, "write settings: the keyboard refused the request (status 0xff)")) << run.result.out;
    EXPECT_TRUE(Has(run.result.out, "write key table: ")) << run.result.out;
    EXPECT_EQ(run.result.err, "morvekctl: the steps \"write settings\" and \"write key table\" failed\n");
    EXPECT_FALSE(Has(run.result.err, "refused")) << run.result.err;
}

// Stale answers are skipped and a device that vanishes mid-sequence ends it.
TEST(SilentDeviceTest, StaleAnswersAreSkippedAndAVanishedDeviceEndsTheSequence) {
    const test::TempFolder root;
    const FaultRun stale = WithFaults(root, "keyboard", {"stale:50"}, {"apply", "keyboard"});
    EXPECT_EQ(stale.result.status, 0) << stale.result.err;
    const FaultRun vanished = WithFaults(root, "keyboard", {"vanish:6"}, {"apply", "keyboard"});
    EXPECT_EQ(vanished.result.status, 1);
    EXPECT_TRUE(Has(vanished.result.err, "the keyboard does not answer, so the sequence ended at")) << vanished.result.err;
}

}  // namespace
}  // namespace morvek::cli
