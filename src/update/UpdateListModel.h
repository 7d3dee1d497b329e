#pragma once
// The update list of the settings window as plain values: one row per product with its state,
// tick and progress, the window's status, and the update button. Every user action and every
// worker result is an operation here; the window only shows what the model holds. Not
// thread-safe: the owner changes it on one thread.

#include <cstddef>
#include <filesystem>
#include <span>
#include <vector>

#include "devicelink/DeviceTables.h"
#include "update/UpdateAnswer.h"
#include "update/UpdateDownload.h"
#include "update/UpdateInfo.h"
#include "update/UpdateLauncher.h"

namespace morvek::update {

enum class UpdateStatus : int {
    kChecking = 0,       // "GetUpdateInfoText", the busy ring
    kOffered = 1,        // "HaveUpdateInfoText"
    kNoInformation = 2,  // "NoUpdateInfoText": the service answered, but never with a version
    kUpdating = 3,       // "ISUpdateINGText"
    kLatest = 4,         // "UpdateIsLastText" and the last check's date
    kNotReached = 5,     // "UpdateNoLinkInfoText": a query could not reach the service
};

// How a row's texts are coloured.
enum class RowTone { kNormal, kGrey, kOffered, kFailed };

struct UpdateRow {
    UpdateInfo info;
    bool ticked = false;
    bool tickEnabled = false;
    int percent = 0;
    bool launchRunning = false;  // the opener or the started program has not returned
};

class UpdateListModel {
public:
    // Rows from the identities alone: the display name ("AP" for the product "ALL"), the current
    // version text, no new version, state 7; status 0.
    void Prepare(std::span<const UpdateIdentity> identities);
    // A query's outcome for a row. An answer replaces the prepared values (keeping the display
    // name); the download goes to cacheFolder under the row's file name. A query that could not
    // reach the service leaves the row "not reached" (state 9), never "up to date".
    void ApplyQuery(size_t row, const UpdateIdentity& identity, const QueryOutcome& outcome,
                    const std::filesystem::path& cacheFolder);
    // The check is over: offered rows are ticked and the update button shown; the status is 1
    // when a row offers an update, else 5 when a query could not reach the service, else 2 when
    // no answer gave a version, else 4.
    void FinishCheck();

    size_t RowCount() const { return rows_.size(); }
    const UpdateRow& Row(size_t row) const { return rows_.at(row); }
    UpdateStatus Status() const { return status_; }
    bool UpdateButtonShown() const { return updateButtonShown_; }
    bool UpdateButtonEnabled() const { return updateButtonEnabled_; }

    // A tick changed: the update button is shown and enabled while any row is ticked.
    void SetTick(size_t row, bool ticked);
    // "update_OK_btn": ticked rows that offer an update or failed wait for their download
    // (state 3); the others' ticks are disabled; the update button is disabled. The rows to
    // download, in order.
    std::vector<size_t> Confirm();

    void DownloadStarted(size_t row);
    void DownloadProgress(size_t row, int percent);
    // State 5, or 8 with its tick usable again.
    void DownloadFinished(size_t row, DownloadResult result);
    void LaunchStarted(size_t row);
    // Handed over: stays "installing"; a program that ended well: 7; a program this machine
    // cannot run: 8 without a tick; any other failure: 8.
    void LaunchFinished(size_t row, LaunchResult result);

    // Closing is refused while a row waits for, runs or has finished a download not yet
    // started, or while its start runs (the opener, or a program that has not ended).
    bool CanClose() const;

    // The text keys of a row's state and of a status.
    static const char* RowTextKey(const UpdateRow& row);
    static const char* StatusTextKey(UpdateStatus status);
    static RowTone ToneOf(const UpdateRow& row);

private:
    int answers_ = 0;    // answers that gave a version
    int failures_ = 0;   // queries that could not reach the service
    std::vector<UpdateRow> rows_;
    UpdateStatus status_ = UpdateStatus::kChecking;
    bool updateButtonShown_ = false;
    bool updateButtonEnabled_ = false;
};

}  // namespace morvek::update
