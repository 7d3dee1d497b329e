#include "cli/UpdateCommands.h"

#include <unistd.h>

#include <json/json.h>

#include <cstdio>
#include <iostream>
#include <optional>
#include <vector>

#include "cli/DeviceCommands.h"
#include "devicelink/DeviceKinds.h"
#include "update/UpdateDownload.h"
#include "update/UpdateFileName.h"
#include "update/UpdateListModel.h"
#include "update/UpdateProducts.h"
#include "update/UpdateQuery.h"

namespace morvek::cli {
namespace {

struct UpdateOptions {
    std::string endpoint;
    bool json = false;
    std::vector<std::string> words;
};

std::optional<UpdateOptions> ParseUpdateOptions(CommandContext& ctx, int& exitCode) {
    UpdateOptions options;
    options.json = ctx.json;
    for (size_t i = 1; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        if (a == "--json") {
            options.json = true;
        } else if (a == "--endpoint") {
            if (++i >= ctx.args.size() || ctx.args[i].empty()) {
                exitCode = ctx.Usage("--endpoint needs an address");
                return std::nullopt;
            }
            options.endpoint = ctx.args[i];
        } else if (!a.empty() && a[0] == '-') {
            exitCode = ctx.Usage("update: unknown option \"" + a + "\"");
            return std::nullopt;
        } else {
            options.words.push_back(a);
        }
    }
    return options;
}

// The identities of the attached devices' firmware and of this program, queried in order.
update::UpdateListModel Check(CommandContext& ctx, const std::string& endpoint) {
    const auto devices = ctx.session.Devices();
    const auto firmwareOf = [&](uint16_t kind) {
        for (const AttachedDevice& d : devices) {
            if (ListKindOf(d.kind) == kind) return static_cast<int>(FirmwareVersion(ctx.session.Backend(), d.command.path));
        }
        return 0;
    };
    const std::vector<UpdateIdentity> identities = update::CurrentIdentities(firmwareOf, MORVEK_VERSION);
    const update::HttpOptions http = update::HttpOptionsFromEnvironment();
    update::UpdateListModel model;
    model.Prepare(identities);
    for (size_t i = 0; i < identities.size(); ++i)
        model.ApplyQuery(i, identities[i], update::QueryUpdate(http, endpoint, identities[i]),
                         update::UpdateCacheFolder());
    model.FinishCheck();
    return model;
}

const char* StateWord(int state) {
    switch (state) {
        case update::kRowOffered:
        case update::kRowOffered2: return "update available";
        case update::kRowUpToDate: return "up to date";
        case update::kRowNotReached: return "not reached";
        default: return "not available";
    }
}

bool Offered(int state) { return state == update::kRowOffered || state == update::kRowOffered2; }

int RunCheck(CommandContext& ctx, const UpdateOptions& options, const std::string& endpoint) {
    if (!options.words.empty()) return ctx.Usage("update check takes no arguments");
    const update::UpdateListModel model = Check(ctx, endpoint);
    Json::Value rows(Json::arrayValue);
    for (size_t i = 0; i < model.RowCount(); ++i) {
        const update::UpdateInfo& info = model.Row(i).info;
        const std::string offered = Offered(info.state) ? info.newVersionText : "";
        if (options.json) {
            Json::Value row;
            row["row"] = Json::UInt64(i);
            row["name"] = info.name;
            row["current"] = info.currentVersionText;
            row["offered"] = offered;
            row["state"] = StateWord(info.state);
            row["address"] = Offered(info.state) ? info.downloadAddress : "";
            rows.append(row);
        } else {
            ctx.out << i << "  " << info.name << "  " << info.currentVersionText << "  "
                    << (offered.empty() ? "-" : offered) << "  " << StateWord(info.state) << "\n";
        }
    }
    if (options.json) ctx.out << Json::StyledWriter().write(rows);
    if (model.Status() == update::UpdateStatus::kNotReached)
        return ctx.Fail("the update service at " + endpoint + " cannot be reached");
    if (model.Status() == update::UpdateStatus::kNoInformation)
        return ctx.Fail("the update service at " + endpoint + " answered, but with no version for any product");
    return kExitOk;
}

int RunDownload(CommandContext& ctx, const UpdateOptions& options, const std::string& endpoint) {
    if (options.words.size() != 1) return ctx.Usage("update download takes the row number N of update check");
    const auto row = ParseNumber(options.words[0], 0, 1000);
    if (!row) return ctx.Usage("update download: N is a row number of update check");
    const update::UpdateListModel model = Check(ctx, endpoint);
    if (static_cast<size_t>(*row) >= model.RowCount())
        return ctx.Fail("update check has no row " + options.words[0]);
    const update::UpdateInfo& info = model.Row(static_cast<size_t>(*row)).info;
    if (!Offered(info.state)) return ctx.Fail(info.name + " has no update (" + StateWord(info.state) + ")");

    // The bar goes to the terminal only; a pipe or a file gets the result line alone.
    const bool terminal = &ctx.err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
    const update::DownloadResult result = update::DownloadUpdate(
        update::HttpOptionsFromEnvironment(), info.downloadAddress, info.localFile, info.sha256,
        [&](uint64_t expected, uint64_t done) {
            if (terminal) ctx.err << "\r" << ProgressBarLine(expected, done, 30) << std::flush;
        });
    if (terminal) ctx.err << "\n";
    if (result != update::DownloadResult::kDone)
        return ctx.Fail(info.name + ": " + update::DescribeDownloadResult(result));
    ctx.out << info.name << " " << info.newVersionText << ": " << info.localFile.string() << "\n";
    return kExitOk;
}

}  // namespace

std::string ProgressBarLine(uint64_t expected, uint64_t done, int width) {
    const uint64_t percent = expected == 0 ? 0 : std::min<uint64_t>(100, done * 100 / expected);
    const int filled = static_cast<int>(percent * static_cast<uint64_t>(width) / 100);
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "] %3d%%  %.1f/%.1f MiB", static_cast<int>(percent), done / 1048576.0,
                  expected / 1048576.0);
    return "[" + std::string(static_cast<size_t>(filled), '#') + std::string(static_cast<size_t>(width - filled), '-') +
           numbers;
}

int RunUpdate(CommandContext& ctx) {
    if (ctx.args.empty()) return ctx.Usage("update needs check or download");
    int exitCode = kExitOk;
    const auto options = ParseUpdateOptions(ctx, exitCode);
    if (!options) return exitCode;
    const std::string endpoint = update::ResolveEndpoint(options->endpoint, {});
    if (ctx.args[0] == "check") return RunCheck(ctx, *options, endpoint);
    if (ctx.args[0] == "download") return RunDownload(ctx, *options, endpoint);
    return ctx.Usage("update: unknown action \"" + ctx.args[0] + "\" (check, download)");
}

}  // namespace morvek::cli
