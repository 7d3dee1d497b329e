#include "cli/ModelCommands.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "cli/GlobalOptions.h"
#include "cli/MacroCommands.h"
#include "devicelink/DeviceModelRegistry.h"
#include "devices/Capabilities.h"
#include "devices/DeviceModelFactory.h"
#include "devices/IKeyAssignment.h"
#include "devices/IMacroDownload.h"
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

const ModelKindCommands* FindKindRow(uint16_t kind) {
    const auto& rows = KindRows();
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r.kind == kind; });
    return row == rows.end() ? nullptr : &*row;
}

// The KIND word after the command, its row and its handler, then the handler.
int RunModelCommand(CommandContext& ctx, const std::string& command, ModelHandler ModelKindCommands::*handler) {
    if (ctx.args.empty()) return ctx.Usage(command + " needs a KIND (keyboard, mouse, pad, headset)");
    const auto kind = KindFromWord(ctx.args[0]);
    if (!kind) return ctx.Usage("unknown KIND \"" + ctx.args[0] + "\" (keyboard, mouse, pad, headset)");
    const ModelKindCommands* row = FindKindRow(*kind);
    if (row == nullptr || row->*handler == nullptr) return ctx.Usage(command + " is not available for the " + ctx.args[0]);
    ModelCommandContext modelCtx(ctx, *kind, {ctx.args.begin() + 1, ctx.args.end()});
    modelCtx.loadIsAStep = handler == &ModelKindCommands::apply;
    return (row->*handler)(modelCtx);
}

}  // namespace

ModelCommandContext::ModelCommandContext(CommandContext& c, uint16_t k, std::vector<std::string> a)
    : cli(c), kind(k), args(std::move(a)) {}

ModelCommandContext::~ModelCommandContext() = default;

CTalvorenUSBDevice* ModelCommandContext::Model() {
    if (!tried_) {
        tried_ = true;
        if (!Open()) {
            sequence_.reset();  // it refers to the model's channel
            model_.reset();
        }
    }
    return model_.get();
}

bool ModelCommandContext::Open() {
    CliSession& session = cli.session;
    const std::string word = KindWord(kind);
    const auto device = session.FindDevice(kind);
    if (!device) {
        exitCode_ = cli.Fail(session.MissingDeviceText(kind));
        return false;
    }
    const int pageIndex =
        FindPageTemplate(device->command.vendorId, device->command.productId, device->kind, kRoleCommand);
    if (pageIndex < 0) {
        exitCode_ = cli.Fail("the attached " + word + " has no settings page");
        return false;
    }
    const DevicePageTemplate& page = DevicePageTemplates()[static_cast<size_t>(pageIndex)];
    // The headset's audio configuration library keeps its values in the per-user folder, which
    // it finds as the program does.
    ::setenv("MORVEK_DATA_DIR", session.DataDir().c_str(), 1);
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
    const ProfileStatus listed = profiles.LoadProfileList();
    if (profiles.DamagedListKept()) cli.Notice(KeptListNotice(*profiles.DamagedListKept()));
    if (listed != ProfileStatus::kOk) {
        exitCode_ = cli.Fail("cannot read or create the profile list in " + profiles.Folder().string());
        return false;
    }
    model_->SetProfileName(profiles.GetCurrentProfileUUID());

    // As the device's arrival does: the command channel, then the configuration read.
    if (!session.OpenCommandChannel(*device, model_->CommandChannel())) {
        exitCode_ = cli.Fail("cannot open " + device->command.path + " (is it in use, or missing permissions?)");
        return false;
    }
    sequence_.emplace(model_->CommandChannel());
    model_->RunOnDevice([model = model_.get()] { model->ReadDeviceConfig(); });
    // The load of the configuration read, then the one a kind makes when it settles (a wireless
    // mouse out of reach loads its profile there): the first that happened is checked.
    if (!CheckProfileLoad()) return false;
    if (const ModelKindCommands* row = FindKindRow(kind); row != nullptr && row->afterOpen != nullptr)
        row->afterOpen(*model_);
    return CheckProfileLoad();
}

std::string ModelCommandContext::DeviceWord() {
    if (model_ && model_->CommandChannel().IsWireless()) return "wireless mouse";
    return KindWord(kind);
}

std::string ModelCommandContext::Describe(int result) {
    if (!model_) return DescribeResult(result);
    return DescribeDeviceResult(model_->CommandChannel(), result, DeviceWord());
}

bool ModelCommandContext::CheckProfileLoad() {
    if (firstLoad_ || !model_) return true;
    const std::optional<ProfileLoadReport> load = model_->LastProfileLoad();
    if (!load) return true;
    firstLoad_ = load;
    if (!load->Failed()) return true;
    const std::string text = DescribeProfileLoad(*load, model_->GetDefaultProfilePath());
    if (load->outcome == ProfileLoad::kNoSettings || load->outcome == ProfileLoad::kNotAFile) {
        // Nothing to work with: writing the readers' defaults would switch the device's lights off
        // and its DPI stages to 0.
        exitCode_ = cli.Fail(text);
        return false;
    }
    if (!loadIsAStep) cli.Notice(text);
    return true;
}

std::string DescribeProfileLoad(const ProfileLoadReport& load, const std::filesystem::path& templatePath) {
    const std::string document = load.document.string();
    if (load.outcome == ProfileLoad::kNotAFile)
        return document + " is not a regular file (a folder or a special file stands in its place)";
    const std::string noTemplate = "the default profile " + templatePath.string() + " cannot be read";
    if (load.damaged) {
        if (load.kept) {
            return "the profile document " + document + " was damaged: it is kept as " + load.kept->string() +
                   " and the profile holds the default settings again (its name and identity stay)";
        }
        if (load.outcome == ProfileLoad::kNoSettings) return "the profile document " + document + " is damaged and " + noTemplate;
        return "the profile document " + document + " is damaged and could not be moved aside";
    }
    if (load.outcome == ProfileLoad::kNoSettings) {
        return (document.empty() ? std::string("the profile") : "the profile document " + document) +
               " has no settings and " + noTemplate;
    }
    return "the profile " + document + " was loaded";
}

int RunApply(CommandContext& ctx) { return RunModelCommand(ctx, "apply", &ModelKindCommands::apply); }
int RunKey(CommandContext& ctx) { return RunModelCommand(ctx, "key", &ModelKindCommands::key); }
int RunSystem(CommandContext& ctx) { return RunModelCommand(ctx, "system", &ModelKindCommands::system); }
int RunReadProfile(CommandContext& ctx) {
    return RunModelCommand(ctx, "read-profile", &ModelKindCommands::readProfile);
}

void ShowLightChange(ModelCommandContext& ctx) {
    if (const ModelKindCommands* row = FindKindRow(ctx.kind); row != nullptr && row->showLight != nullptr)
        row->showLight(ctx);
}

int FinishPanelChange(ModelCommandContext& ctx, bool saved, int written, const std::string& profileFile) {
    if (!saved) return ctx.cli.Fail("cannot write the profile file " + profileFile);
    if (!ctx.cli.json) ctx.cli.out << "write settings: " << ctx.Describe(written) << "\n";
    if (written != kResultSuccess) return ctx.cli.Fail("writing the settings: " + ctx.Describe(written));
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

int WriteKeysAsPanel(ModelCommandContext& ctx, CTalvorenUSBDevice& model, const std::string& saveFailure) {
    IKeyAssignment* keys = CapabilityOf<IKeyAssignment>(model);
    if (keys == nullptr) return ctx.cli.Fail("the " + std::string(KindWord(ctx.kind)) + " has no key table");
    if (IMacroDownload* macros = CapabilityOf<IMacroDownload>(model)) {
        const int downloaded = OnDevice(model, [macros] { return macros->DownloadMacros(); });
        if (downloaded == kMacroDownloadFailed && model.CommandChannel().SequenceUnanswered())
            return ctx.cli.Fail(ctx.Describe(kResultNoAnswer));
        if (downloaded != kMacroDownloadDone) return ctx.cli.Fail(MacroDownloadMessage(downloaded));
        ctx.cli.out << "download macros: done\n";
    }
    const int written = OnDevice(model, [keys] { return keys->WriteKeyAssignments(0); });
    ctx.cli.out << "write key table: " << ctx.Describe(written) << "\n";
    if (written != kResultSuccess) return ctx.cli.Fail("writing the key table: " + ctx.Describe(written));
    if (!keys->SaveProfileDocument()) return ctx.cli.Fail(saveFailure);
    return kExitOk;
}

int RunProfileSelection(ModelCommandContext& ctx, CTalvorenUSBDevice& model) {
    std::ostream& out = ctx.cli.out;
    // Each step's result is its line on standard output; the closing line on standard error
    // names the failed steps without repeating why.
    std::vector<std::string> failedSteps;
    const auto report = [&](const std::string& step, bool ok, const std::string& text) {
        out << step << ": " << text << "\n";
        if (!ok) failedSteps.push_back("\"" + step + "\"");
    };
    // A device that does not answer at all ends the sequence: every later step would only wait.
    const auto silent = [&model] { return model.CommandChannel().SequenceUnanswered(); };
    const auto reportDevice = [&](const std::string& step, int result) {
        report(step, result == kResultSuccess, ctx.Describe(result));
        return !silent();
    };
    const auto stopped = [&](const std::string& step) {
        return ctx.cli.Fail(ctx.Describe(kResultNoAnswer) + ", so the sequence ended at \"" + step + "\"");
    };

    model.LoadProfile();
    std::string name;
    model.GetProfileName(name);
    // The first load of the command is the one that met the document as the user left it.
    const std::optional<ProfileLoadReport>& load = ctx.FirstProfileLoad();
    if (load && load->Failed()) report("load profile", false, DescribeProfileLoad(*load, model.GetDefaultProfilePath()));
    else report("load profile", true, "\"" + name + "\"");
    IKeyAssignment* keys = CapabilityOf<IKeyAssignment>(model);
    IMacroDownload* macros = CapabilityOf<IMacroDownload>(model);
    if (keys != nullptr) keys->CheckMacroAssignments();
    report("check macro references", true, "done");
    model.ApplyProfileToPage();
    if (!reportDevice("write settings", OnDevice(model, [&model] { return model.WriteSettings(0, 0, 1, 0, 0); })))
        return stopped("write settings");
    if (macros != nullptr) {
        const int result = OnDevice(model, [macros] { return macros->DownloadMacros(); });
        const bool done = result == kMacroDownloadDone;
        report("download macros", done,
               done ? "done" : silent() ? ctx.Describe(kResultNoAnswer) : MacroDownloadMessage(result));
        if (silent()) return stopped("download macros");
    }
    if (keys != nullptr &&
        !reportDevice("write key table", OnDevice(model, [keys] { return keys->WriteKeyAssignments(0); })))
        return stopped("write key table");
    if (failedSteps.empty()) return kExitOk;
    std::string named = failedSteps.front();
    for (size_t i = 1; i < failedSteps.size(); ++i) named += (i + 1 == failedSteps.size() ? " and " : ", ") + failedSteps[i];
    return ctx.cli.Fail((failedSteps.size() == 1 ? "the step " : "the steps ") + named + " failed");
}

}  // namespace morvek::cli
