#include "update/UpdateListModel.h"

#include <algorithm>

#include "update/UpdateFileName.h"

namespace morvek::update {
namespace {

std::string DisplayName(const UpdateIdentity& identity) {
    return identity.productCode == "ALL" ? std::string("AP") : identity.name;
}

bool IsOffered(int state) { return state == kRowOffered || state == kRowOffered2; }

}  // namespace

void UpdateListModel::Prepare(std::span<const UpdateIdentity> identities) {
    rows_.clear();
    answers_ = 0;
    failures_ = 0;
    status_ = UpdateStatus::kChecking;
    updateButtonShown_ = false;
    updateButtonEnabled_ = false;
    for (const UpdateIdentity& identity : identities) {
        UpdateRow row;
        row.info.name = DisplayName(identity);
        row.info.currentVersionText = RowVersionText(identity);
        row.info.state = kRowUpToDate;
        rows_.push_back(std::move(row));
    }
}

void UpdateListModel::ApplyQuery(size_t row, const UpdateIdentity& identity, const QueryOutcome& outcome,
                                 const std::filesystem::path& cacheFolder) {
    UpdateRow& r = rows_.at(row);
    if (outcome.noLink) {
        ++failures_;
        r.info.state = kRowNotReached;
    }
    if (outcome.info) {
        ++answers_;
        r.info = *outcome.info;
    }
    r.info.name = DisplayName(identity);
    r.info.localFile = cacheFolder / LocalFileName(r.info.name, r.info.downloadAddress);
}

void UpdateListModel::FinishCheck() {
    bool offered = false;
    for (UpdateRow& row : rows_) {
        const int state = row.info.state;
        const bool usable = state != kRowUpToDate && state != kRowLess && state != kRowNotReached;
        row.tickEnabled = usable;
        row.ticked = usable;
        offered = offered || IsOffered(row.info.state);
        if (usable) updateButtonShown_ = updateButtonEnabled_ = true;
    }
    if (offered)
        status_ = UpdateStatus::kOffered;
    else if (failures_ > 0)
        status_ = UpdateStatus::kNotReached;
    else if (answers_ == 0)
        status_ = UpdateStatus::kNoInformation;
    else
        status_ = UpdateStatus::kLatest;
}

void UpdateListModel::SetTick(size_t row, bool ticked) {
    UpdateRow& r = rows_.at(row);
    if (!r.tickEnabled) return;
    r.ticked = ticked;
    const bool any = std::any_of(rows_.begin(), rows_.end(), [](const UpdateRow& x) { return x.ticked; });
    updateButtonShown_ = updateButtonEnabled_ = any;
}

std::vector<size_t> UpdateListModel::Confirm() {
    std::vector<size_t> downloads;
    for (size_t i = 0; i < rows_.size(); ++i) {
        UpdateRow& r = rows_[i];
        if (!r.ticked) {
            r.tickEnabled = false;
            continue;
        }
        if (IsOffered(r.info.state) || r.info.state == kRowFailed) {
            r.info.state = kRowQueued;
            r.info.failure = RowFailure::kNone;
            r.percent = 0;
            downloads.push_back(i);
        }
    }
    updateButtonEnabled_ = false;
    return downloads;
}

void UpdateListModel::DownloadStarted(size_t row) {
    rows_.at(row).info.state = kRowDownloading;
    status_ = UpdateStatus::kUpdating;
}

void UpdateListModel::DownloadProgress(size_t row, int percent) { rows_.at(row).percent = std::clamp(percent, 0, 100); }

void UpdateListModel::DownloadFinished(size_t row, DownloadResult result) {
    UpdateRow& r = rows_.at(row);
    if (result == DownloadResult::kDone) {
        r.info.state = kRowDownloaded;
        r.percent = 100;
        return;
    }
    r.info.state = kRowFailed;
    r.info.failure = RowFailure::kDownload;
    r.tickEnabled = true;
}

void UpdateListModel::LaunchStarted(size_t row) {
    UpdateRow& r = rows_.at(row);
    r.info.state = kRowInstalling;
    r.launchRunning = true;
    status_ = UpdateStatus::kUpdating;
}

void UpdateListModel::LaunchFinished(size_t row, LaunchResult result) {
    UpdateRow& r = rows_.at(row);
    r.launchRunning = false;
    switch (result) {
        case LaunchResult::kHandedOver: return;
        case LaunchResult::kFinished:
            r.info.state = kRowUpToDate;
            r.ticked = false;
            r.tickEnabled = false;
            return;
        case LaunchResult::kNotRunnable:
            r.info.state = kRowFailed;
            r.info.failure = RowFailure::kNotRunnable;
            r.ticked = false;
            r.tickEnabled = false;
            return;
        case LaunchResult::kFailed:
            r.info.state = kRowFailed;
            r.info.failure = RowFailure::kLaunch;
            r.tickEnabled = true;
            return;
    }
}

bool UpdateListModel::CanClose() const {
    return std::none_of(rows_.begin(), rows_.end(), [](const UpdateRow& r) {
        const int s = r.info.state;
        return s == kRowLess || s == kRowQueued || s == kRowDownloading || s == kRowDownloaded ||
               (s == kRowInstalling && r.launchRunning);
    });
}

const char* UpdateListModel::RowTextKey(const UpdateRow& row) {
    switch (row.info.state) {
        case kRowLess: return "LessUpdateText";
        case kRowOffered:
        case kRowOffered2: return "NeedUpdateText";
        case kRowQueued: return "DownloadWaitText";
        case kRowDownloading: return "DownloadIngText";
        case kRowDownloaded: return "DownloadOkText";
        case kRowInstalling: return "UpdateIngText";
        case kRowUpToDate: return "UpdateOkText";
        case kRowFailed: return row.info.failure == RowFailure::kNotRunnable ? "UpdateNotRunnableText" : "UpdateFailText";
        case kRowNotReached: return "UpdateNoLinkText";
        default: return "";
    }
}

const char* UpdateListModel::StatusTextKey(UpdateStatus status) {
    switch (status) {
        case UpdateStatus::kChecking: return "GetUpdateInfoText";
        case UpdateStatus::kOffered: return "HaveUpdateInfoText";
        case UpdateStatus::kNoInformation: return "NoUpdateInfoText";
        case UpdateStatus::kUpdating: return "ISUpdateINGText";
        case UpdateStatus::kLatest: return "UpdateIsLastText";
        case UpdateStatus::kNotReached: return "UpdateNoLinkInfoText";
    }
    return "";
}

RowTone UpdateListModel::ToneOf(const UpdateRow& row) {
    switch (row.info.state) {
        case kRowLess:
        case kRowUpToDate: return RowTone::kGrey;
        case kRowOffered:
        case kRowOffered2: return RowTone::kOffered;
        case kRowFailed:
        case kRowNotReached: return RowTone::kFailed;
        default: return RowTone::kNormal;
    }
}

}  // namespace morvek::update
