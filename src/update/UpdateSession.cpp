#include "update/UpdateSession.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/Trace.h"
#include "update/UpdateQuery.h"
#include "update/UpdateSchedule.h"

namespace morvek::update {

UpdateSession::UpdateSession(UpdateServices services, PostToOwner post, IUpdateView& view)
    : services_(std::move(services)), post_(std::move(post)), view_(view) {
    services_.http.cancel = &stop_;
}

UpdateSession::~UpdateSession() { Stop(); }

void UpdateSession::Post(std::function<void()> work) {
    std::weak_ptr<int> alive = alive_;
    post_([alive, work = std::move(work)] {
        if (alive.lock()) work();
    });
}

void UpdateSession::Start(std::vector<UpdateIdentity> identities) {
    if (!workers_.empty()) return;
    lastCheck_ = OpenSchedule(services_.scheduleFile, services_.today);
    model_.Prepare(identities);
    view_.RowsPrepared();
    workers_.emplace_back(&UpdateSession::RunCheck, this, std::move(identities));
    workers_.emplace_back(&UpdateSession::RunDownloads, this);
    workers_.emplace_back(&UpdateSession::RunLaunches, this);
}

void UpdateSession::RunCheck(std::vector<UpdateIdentity> identities) {
    for (size_t i = 0; i < identities.size() && !stop_; ++i) {
        QueryOutcome outcome = QueryUpdate(services_.http, services_.endpoint, identities[i]);
        Post([this, i, identity = identities[i], outcome = std::move(outcome)] {
            model_.ApplyQuery(i, identity, outcome, services_.cacheFolder);
            view_.RowChanged(i);
        });
    }
    if (stop_) return;
    if (!WriteCheckDate(services_.scheduleFile, services_.today))
        Trace("update: cannot write " + services_.scheduleFile.string());
    Post([this] {
        model_.FinishCheck();
        view_.ListChanged();
    });
}

bool UpdateSession::NextJob(std::deque<Job>& queue, Job& job) {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [&] { return stop_ || !queue.empty(); });
    if (stop_) return false;
    job = std::move(queue.front());
    queue.pop_front();
    return true;
}

void UpdateSession::RunDownloads() {
    // A download at full speed takes a core: the window's thread comes first.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kDownloadNiceness);
    Job job;
    while (NextJob(downloads_, job)) {
        const size_t row = job.row;
        Post([this, row] {
            model_.DownloadStarted(row);
            view_.RowChanged(row);
            view_.ListChanged();
        });
        // At full speed a block arrives every few microseconds: the owner hears of whole percents.
        int shown = 0;
        const DownloadResult result =
            DownloadUpdate(services_.http, job.address, job.file, job.sha256, [&](uint64_t expected, uint64_t done) {
                const int percent = static_cast<int>(done * 100 / expected);
                if (percent == shown) return;
                shown = percent;
                Post([this, row, percent] {
                    model_.DownloadProgress(row, percent);
                    view_.RowChanged(row);
                });
            });
        if (result != DownloadResult::kDone)
            Trace("update: " + job.address + ": " + DescribeDownloadResult(result));
        Post([this, row, result] {
            model_.DownloadFinished(row, result);
            view_.RowChanged(row);
            if (result == DownloadResult::kDone) QueueLaunch(row);
        });
    }
}

void UpdateSession::QueueLaunch(size_t row) {
    const UpdateRow& r = model_.Row(row);
    {
        std::lock_guard lock(mutex_);
        launches_.push_back({row, {}, r.info.localFile, {}});
    }
    wake_.notify_all();
}

void UpdateSession::RunLaunches() {
    Job job;
    while (NextJob(launches_, job)) {
        const size_t row = job.row;
        Post([this, row] {
            model_.LaunchStarted(row);
            view_.RowChanged(row);
            view_.ListChanged();
        });
        const LaunchResult result = LaunchUpdate(*services_.opener, job.file);
        Post([this, row, result] {
            model_.LaunchFinished(row, result);
            view_.RowChanged(row);
            if (result == LaunchResult::kFailed) view_.LaunchFailed(row);
        });
    }
}

void UpdateSession::SetTick(size_t row, bool ticked) {
    model_.SetTick(row, ticked);
    view_.ListChanged();
}

void UpdateSession::Confirm() {
    const std::vector<size_t> rows = model_.Confirm();
    {
        std::lock_guard lock(mutex_);
        for (size_t row : rows) {
            const UpdateInfo& info = model_.Row(row).info;
            downloads_.push_back({row, info.downloadAddress, info.localFile, info.sha256});
        }
    }
    wake_.notify_all();
    view_.ListChanged();
}

bool UpdateSession::RequestClose() {
    if (!model_.CanClose()) return false;
    Stop();
    return true;
}

void UpdateSession::Stop() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) {
        if (worker.joinable()) worker.join();
    }
}

}  // namespace morvek::update
