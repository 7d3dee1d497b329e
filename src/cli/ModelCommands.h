#pragma once
// morvekctl commands that drive a device model as its page does: apply, light, key, system
// and read-profile, each followed by a KIND. The KIND's model is built as the window builds it
// (configured from its page template, the selected profile of its list, its command channel
// open on the attached device, its configuration read) with an inline task queue, and the
// command goes to the KIND's handler. Each device kind brings its handlers as one row
// (ModelKindCommands) from its own <Kind>Commands.cpp; `light` is one handler for every kind
// (LightCommand.cpp), over the model's light.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandContext.h"
#include "devicelink/ResultCodes.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "devicelink/UiDispatcher.h"
#include "profiles/KeyAssignment.h"

namespace morvek::cli {

// What a kind's handler gets: the command line after KIND, and the KIND's model, opened
// when the handler first asks for it (so a wrong command line touches no device and no file).
class ModelCommandContext {
public:
    ModelCommandContext(CommandContext& cli, uint16_t kind, std::vector<std::string> args);
    ~ModelCommandContext();

    CommandContext& cli;
    uint16_t kind;
    std::vector<std::string> args;  // after KIND
    // apply shows a failed profile load as its first step, so it is not told as a notice too.
    bool loadIsAStep = false;

    // The opened model, or nullptr after printing why it cannot be opened (ExitCode says how
    // to end).
    CTalvorenUSBDevice* Model();
    template <class ModelClass>
    ModelClass* ModelAs() {
        return dynamic_cast<ModelClass*>(Model());
    }
    int ExitCode() const { return exitCode_; }

    // A failed device step of the model in words (DescribeDeviceResult on its command channel).
    std::string Describe(int result);
    // The KIND word, or "wireless mouse" for a mouse behind a receiver.
    std::string DeviceWord();

    // Reports what became of the model's first profile load, once: a damaged document kept
    // aside is told on stderr (unless loadIsAStep); a profile without settings (no template either) or a document
    // that is not a file ends the command (false, ExitCode set). True when nothing was loaded yet.
    bool CheckProfileLoad();
    // The first load CheckProfileLoad looked at (the load apply reports: the later ones read
    // the repaired document).
    const std::optional<ProfileLoadReport>& FirstProfileLoad() const { return firstLoad_; }

private:
    bool Open();

    InlineUiDispatcher ui_;  // declared before the model, which reports to it
    std::unique_ptr<CTalvorenUSBDevice> model_;
    // The whole command is one command sequence: once the device leaves a command unanswered,
    // no later step waits for it again.
    std::optional<CommandSequence> sequence_;
    std::optional<ProfileLoadReport> firstLoad_;
    bool tried_ = false;
    int exitCode_ = kExitFailed;
};

// What a profile load that failed means, in words.
std::string DescribeProfileLoad(const ProfileLoadReport& load, const std::filesystem::path& templatePath);

using ModelHandler = int (*)(ModelCommandContext&);

// One device kind's handlers; nullptr: the command is not available for that kind.
struct ModelKindCommands {
    uint16_t kind = 0;
    ModelHandler apply = nullptr;
    ModelHandler key = nullptr;
    ModelHandler system = nullptr;
    ModelHandler readProfile = nullptr;
    // What the kind prints after a light change: its settings as its other commands show them.
    void (*showLight)(ModelCommandContext& ctx) = nullptr;
    // Runs once the model is open and its configuration read: what the kind's page also reads.
    void (*afterOpen)(CTalvorenUSBDevice& model) = nullptr;
};

// The rows of the device kinds (each defined in its <Kind>Commands.cpp).
ModelKindCommands KeyboardModelCommands();
ModelKindCommands MouseModelCommands();
ModelKindCommands HeadsetModelCommands();
ModelKindCommands PadModelCommands();

// apply KIND, light KIND ..., key KIND ..., system KIND ..., read-profile KIND.
int RunApply(CommandContext& ctx);
int RunLight(CommandContext& ctx);
int RunKey(CommandContext& ctx);
int RunSystem(CommandContext& ctx);
int RunReadProfile(CommandContext& ctx);

// Runs work on the model's device queue and gives its result (the command line's queue and
// dispatcher are inline, so the result is there when the call returns).
template <class Work>
int OnDevice(CTalvorenUSBDevice& model, Work work) {
    int result = kResultNoAnswer;
    model.RunOnDevice(std::move(work), [&result](int r) { result = r; });
    return result;
}

// The kind's printout after a light change (its row's showLight).
void ShowLightChange(ModelCommandContext& ctx);

// The end of a panel change on the command line: the profile file saved (profileFile names it
// in the message), then the settings block written. Exit 1 with the reason when either failed.
int FinishPanelChange(ModelCommandContext& ctx, bool saved, int written, const std::string& profileFile);

// The TYPE P1 P2 words of `key KIND KEYINDEX TYPE P1 P2`, args[1] to args[3], each 0-255 in
// decimal or 0x-hex. Nothing after a usage message (exitCode says how to end).
std::optional<KeyAssignment> ParseKeyAssignmentWords(ModelCommandContext& ctx, int& exitCode);
// "(0xtt, 0xpp, 0xqq)".
std::string KeyAssignmentText(const KeyAssignment& assignment);
// `key KIND --write`, as the key panel's "save to profile" button, over the model's key
// assignment and macro download: the macros, the key table, then the profile file
// (saveFailure is the message when it was not written). Exit 1 with the reason at the first
// failure, nothing further done.
int WriteKeysAsPanel(ModelCommandContext& ctx, CTalvorenUSBDevice& model, const std::string& saveFailure);

// The profile-selection sequence of the window: load the profile, fix macro references, show
// it, write the settings block, download the macros and write the key table (for a model that
// has them: IMacroDownload, IKeyAssignment). Prints each step and its result; the sequence goes
// on after a failed step, and the first failure is reported at the end (exit 1), except that a
// device that does not answer at all ends it there.
int RunProfileSelection(ModelCommandContext& ctx, CTalvorenUSBDevice& model);

}  // namespace morvek::cli
