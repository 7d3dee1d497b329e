// One owner per device: while the window runs, morvekctl's device commands are carried out by
// the window on its own devices (the real morvekctl program, talking to the window's socket),
// its pages show the change, and the window's own traffic goes on afterwards; a command on
// other data folders is refused, and file commands stay with morvekctl.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QProcess>

#include "app/ForwardedCommands.h"
#include "app/PanelFixture.h"
#include "app/SingleInstance.h"
#include "platform/Paths.h"

namespace morvek::app {
namespace {

using emulator::EmulatedKind;

struct CtlRun {
    int exit = -1;
    QString out;
    QString err;
};

class ForwardedCommandsTest : public test::PanelTest {
protected:
    void SetUp() override {
        test::PanelTest::SetUp();
        instance = std::make_unique<SingleInstance>();
        ASSERT_TRUE(instance->Acquire());
        ASSERT_TRUE(instance->IsListening());
        forwarded = std::make_unique<ForwardedCommands>(*window, emulator);
        instance->SetCommandHandler([this](const QByteArray& request, SingleInstance::Reply reply) {
            ++requests;
            forwarded->Run(request, std::move(reply));
        });
    }
    void TearDown() override {
        instance.reset();
        forwarded.reset();
        test::PanelTest::TearDown();
    }

    // The real morvekctl beside this program, with this program's environment (its user data
    // folder and $XDG_RUNTIME_DIR, where the window's socket is); the event loop runs meanwhile.
    CtlRun Morvekctl(const QStringList& arguments) {
        QProcess process;
        process.start(QString::fromStdString((ProgramFolder() / "morvekctl").string()), arguments);
        CtlRun run;
        if (!process.waitForStarted(5000)) return run;
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000)) {
            process.kill();
            process.waitForFinished();
            return run;
        }
        run.exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    std::unique_ptr<SingleInstance> instance;
    std::unique_ptr<ForwardedCommands> forwarded;
    int requests = 0;
};

TEST_F(ForwardedCommandsTest, ALightCommandReachesTheKeyboardThroughTheWindowAndItsPanelShowsIt) {
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    auto* combo = On<QComboBox>(kKindKeyboard, "light_combo_modeSelect");
    WAIT_FOR(combo->currentIndex() >= 0);
    ASSERT_NE(combo->currentIndex(), 8);

    const CtlRun run = Morvekctl({"light", "keyboard", "--mode", "8"});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("write settings: ")) << run.out.toStdString();
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(Emulated(EmulatedKind::Keyboard).Params()[1], 8);
    EXPECT_EQ(Document("keyboard")["Device"][0]["LightInfo"]["SelectItem"].asInt(), 8);
    WAIT_FOR_EQ(combo->currentIndex(), 8);

    // The window's own commands are answered as before: the command's answers that reached the
    // window's opener were dropped, not taken for answers to the window's requests.
    ChooseItem(combo, 6);
    WAIT_FOR_EQ(Emulated(EmulatedKind::Keyboard).Params()[1], 6);
    EXPECT_EQ(Document("keyboard")["Device"][0]["LightInfo"]["SelectItem"].asInt(), 6);
}

TEST_F(ForwardedCommandsTest, CommandsOneAfterTheOtherAndAFailureKeepItsStatusAndMessage) {
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Mouse, kKindMouse));
    struct Case {
        QStringList arguments;
        int exit;
        const char* text;  // in the output (exit 0) or the error output
    } cases[] = {
        {{"info", "mouse"}, 0, ""},
        {{"dpi", "1", "1600"}, 0, ""},
        {{"light", "keyboard", "--mode", "8"}, 1, "keyboard"},  // no keyboard attached
        {{"apply", "mouse"}, 0, "write settings: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CtlRun run = Morvekctl(c.arguments);
        EXPECT_EQ(run.exit, c.exit) << run.err.toStdString();
        EXPECT_TRUE((c.exit == 0 ? run.out : run.err).contains(c.text)) << run.out.toStdString() << run.err.toStdString();
    }
    EXPECT_EQ(requests, 4);
}

TEST_F(ForwardedCommandsTest, ACommandOnOtherDataFoldersIsRefused) {
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    const uint8_t before = Emulated(EmulatedKind::Keyboard).Params()[1];
    test::TempFolder other;
    const CtlRun run =
        Morvekctl({"--data-dir", QString::fromStdString(other.Path().string()), "light", "keyboard", "--mode", "8"});
    EXPECT_EQ(run.exit, 1);
    EXPECT_TRUE(run.err.contains("the running morvek window owns the devices")) << run.err.toStdString();
    EXPECT_EQ(Emulated(EmulatedKind::Keyboard).Params()[1], before);
}

TEST_F(ForwardedCommandsTest, FileCommandsAndEmulatedDevicesStayWithMorvekctl) {
    const CtlRun list = Morvekctl({"profile", "list", "--kind", "keyboard"});
    EXPECT_EQ(list.exit, 0) << list.err.toStdString();
    const CtlRun emulated = Morvekctl({"--emulate", "keyboard", "info", "keyboard"});
    EXPECT_EQ(emulated.exit, 0) << emulated.err.toStdString();
    EXPECT_EQ(requests, 0);
}

TEST_F(ForwardedCommandsTest, WithoutTheWindowMorvekctlOpensTheDevicesItself) {
    instance.reset();  // the window no longer listens
    const CtlRun run = Morvekctl({"info", "keyboard"});
    // The real HID stack of this machine: no keyboard of ours, and no hand-over either.
    EXPECT_EQ(run.exit, 1);
    EXPECT_FALSE(run.err.contains("window")) << run.err.toStdString();
    EXPECT_EQ(requests, 0);
}

}  // namespace
}  // namespace morvek::app
