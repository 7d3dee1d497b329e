#include "cli/ModelCommands.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "cli/GlobalOptions.h"
#include "cli/MacroCommands.h"
#include "devicelink/DeviceModelRegistry.h"
#include "devices/DeviceModelFactory.h"
#include "macros/MacroDownload.h"
#include "profiles/ProfileFiles.h"
#include "profiles/ProfileListStore.h"

namespace morvek::cli {
namespace {

const std::vector<ModelKindCommands>& KindRows() {
    static const std::vector<ModelKindCommands> rows = {KeyboardModelCommands(), MouseModelCommands(),
                                                        HeadsetModelCommands(), PadModelCommands()};
    return rows;
}

// The KIND word after the command, its row and its handler, then the handler.
int RunModelCommand(CommandContext& ctx, const std::string& command, ModelHandler ModelKindCommands::*handler) {
    if (ctx.args.empty()) return ctx.Usage(command + " needs a KIND (keyboard, mouse, pad, headset)");
    const auto kind = KindFromWord(ctx.args[0]);
    if (!kind) return ctx.Usage("unknown KIND \"" + ctx.args[0] + "\" (keyboard, mouse, pad, headset)");
    const auto& rows = KindRows();
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r.kind == *kind; });
    if (row == rows.end() || (*row).*handler == nullptr)
        return ctx.Usage(command + " is not available for the " + ctx.args[0]);
    ModelCommandContext modelCtx(ctx, *kind, {ctx.args.begin() + 1, ctx.args.end()});
    return ((*row).*handler)(modelCtx);
}

}  // namespace

ModelCommandContext::ModelCommandContext(CommandContext& c, uint16_t k, std::vector<std::string> a)
    : cli(c), kind(k), args(std::move(a)) {}

ModelCommandContext::~ModelCommandContext() = default;

CTalvorenUSBDevice* ModelCommandContext::Model() {
    if (!tried_) {
        tried_ = true;
        if (!Open()) model_.reset();
    }
    return model_.get();
}

bool ModelCommandContext::Open() {
    CliSession& session = cli.session;
    const std::string word = KindWord(kind);
    const auto device = session.FindDevice(kind);
    if (!device) {
        exitCode_ = cli.Fail("no " + word + " is attached");
        return false;
    }
    const int pageIndex =
        FindPageTemplate(device->command.vendorId, device->command.productId, device->kind, kRoleCommand);
    if (pageIndex < 0) {
        exitCode_ = cli.Fail("the attached " + word + " has no settings page");
        return false;
    }
    const DevicePageTemplate& page = DevicePageTemplates()[static_cast<size_t>(pageIndex)];
    model_ = DeviceModelFactory(session.Backend(), ui_, TaskQueueMode::Inline).CreateDeviceModel(page);
    if (!model_) {
        exitCode_ = cli.Fail("the " + word + " has no settings model");
        return false;
    }
    DeviceModelRegistry::ConfigureModel(*model_, page, device->command);
    model_->SetDataRoots(session.DataDir(), session.DefaultDataDir());

    // As the profile bar does when the page is set up: the selected profile of the kind's list.
    ProfileListStore profiles(kind, ProfileFolder(session.DataDir(), kind),
                              ProfileTemplate(session.DefaultDataDir(), kind));
    if (profiles.LoadProfileList() != ProfileStatus::kOk) {
        exitCode_ = cli.Fail("cannot read or create the profile list in " + profiles.Folder().string());
        return false;
    }
    model_->SetProfileName(profiles.GetCurrentProfileUUID());

    // As the device's arrival does: the command channel, then the configuration read.
    if (!session.OpenCommandChannel(*device, model_->CommandChannel())) {
        exitCode_ = cli.Fail("cannot open " + device->command.path + " (is it in use, or missing permissions?)");
        return false;
    }
    model_->RunOnDevice([model = model_.get()] { model->ReadDeviceConfig(); });
    return true;
}

int RunApply(CommandContext& ctx) { return RunModelCommand(ctx, "apply", &ModelKindCommands::apply); }
int RunLight(CommandContext& ctx) { return RunModelCommand(ctx, "light", &ModelKindCommands::light); }
int RunKey(CommandContext& ctx) { return RunModelCommand(ctx, "key", &ModelKindCommands::key); }
int RunSystem(CommandContext& ctx) { return RunModelCommand(ctx, "system", &ModelKindCommands::system); }
int RunReadProfile(CommandContext& ctx) {
    return RunModelCommand(ctx, "read-profile", &ModelKindCommands::readProfile);
}

int FinishPanelChange(ModelCommandContext& ctx, bool saved, int written, const std::string& profileFile) {
    if (!saved) return ctx.cli.Fail("cannot write the profile file " + profileFile);
    if (!ctx.cli.json) ctx.cli.out << "write settings: " << DescribeResult(written) << "\n";
    if (written != kResultSuccess) return ctx.cli.Fail("writing the settings: " + DescribeResult(written));
    return kExitOk;
}

std::optional<KeyAssignment> ParseKeyAssignmentWords(ModelCommandContext& ctx, int& exitCode) {
    std::array<uint8_t, 3> bytes{};
    for (size_t i = 0; i < bytes.size(); ++i) {
        const std::string& word = ctx.args.at(i + 1);
        const auto value = ParseNumber(word, 0, 255);
        if (!value) {
            exitCode = ctx.cli.Usage("TYPE, P1 and P2 are numbers from 0 to 255, not \"" + word + "\"");
            return std::nullopt;
        }
        bytes[i] = static_cast<uint8_t>(*value);
    }
    return KeyAssignment{bytes[0], bytes[1], bytes[2]};
}

std::string KeyAssignmentText(const KeyAssignment& assignment) {
    char text[32];
    std::snprintf(text, sizeof text, "(0x%02x, 0x%02x, 0x%02x)", unsigned{assignment.type}, unsigned{assignment.p1},
                  unsigned{assignment.p2});
    return text;
}

int WriteKeysAsPanel(ModelCommandContext& ctx, CTalvorenUSBDevice& model, const std::function<bool()>& save,
                     const std::string& saveFailure) {
    const int macros = OnDevice(model, [&model] { return model.DownloadMacros(); });
    if (macros != kMacroDownloadDone) return ctx.cli.Fail(MacroDownloadMessage(macros));
    ctx.cli.out << "download macros: done\n";
    const int written = OnDevice(model, [&model] { return model.WriteKeyAssignments(0); });
    ctx.cli.out << "write key table: " << DescribeResult(written) << "\n";
    if (written != kResultSuccess) return ctx.cli.Fail("writing the key table: " + DescribeResult(written));
    if (!save()) return ctx.cli.Fail(saveFailure);
    return kExitOk;
}

int RunProfileSelection(ModelCommandContext& ctx, CTalvorenUSBDevice& model, ProfileSelectionSteps steps) {
    std::ostream& out = ctx.cli.out;
    std::string firstFailure;
    const auto report = [&](const std::string& step, bool ok, const std::string& text) {
        out << step << ": " << text << "\n";
        if (!ok && firstFailure.empty()) firstFailure = step + ": " + text;
    };
    const auto reportDevice = [&](const std::string& step, int result) {
        report(step, result == kResultSuccess, DescribeResult(result));
    };

    model.LoadProfile();
    std::string name;
    model.GetProfileName(name);
    report("load profile", true, "\"" + name + "\"");
    model.CheckMacroAssignments();
    report("check macro references", true, "done");
    model.ApplyProfileToPage();
    reportDevice("write settings", OnDevice(model, [&model] { return model.WriteSettings(0, 0, 1, 0, 0); }));
    if (steps.macros) {
        const int result = OnDevice(model, [&model] { return model.DownloadMacros(); });
        report("download macros", result == kMacroDownloadDone,
               result == kMacroDownloadDone ? "done" : MacroDownloadMessage(result));
    }
    if (steps.keyTable)
        reportDevice("write key table", OnDevice(model, [&model] { return model.WriteKeyAssignments(0); }));
    if (firstFailure.empty()) return kExitOk;
    return ctx.cli.Fail(firstFailure);
}

}  // namespace morvek::cli
