#pragma once
// UpdateSession: the update list of one settings window with its three workers. The check runs
// once on its worker (one query per product, then the check date is stored); the download
// worker downloads the confirmed rows one after the other; the launch worker starts each
// downloaded row, one at a time, waiting for a program it runs.
//
// Threads: the model and the view belong to the owner's thread. Workers never touch them: they
// hand each result to `post`, which must run it on the owner's thread (a queued call, an event
// loop). Results posted after the session is gone are dropped. Stop ends every worker: a
// running transfer is cancelled at once; a program the launch worker started is waited for.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "devicelink/DeviceTables.h"
#include "update/HttpClient.h"
#include "update/UpdateLauncher.h"
#include "update/UpdateListModel.h"

namespace morvek::update {

struct UpdateServices {
    std::string endpoint;                 // ends in "/"
    HttpOptions http;                     // its cancel flag is the session's own
    std::filesystem::path cacheFolder;    // "UpdateData"
    std::filesystem::path scheduleFile;   // "updatetime.config"
    std::string today;                    // DateText of today
    IUpdateOpener* opener = nullptr;      // must outlive the session
};

// What the session tells the window, on the owner's thread.
class IUpdateView {
public:
    virtual ~IUpdateView() = default;
    virtual void RowsPrepared() = 0;
    virtual void RowChanged(size_t row) = 0;
    // The status, the update button or several rows changed.
    virtual void ListChanged() = 0;
    // A row's update could not be started ("Update failed!").
    virtual void LaunchFailed(size_t row) = 0;
};

using PostToOwner = std::function<void(std::function<void()>)>;

class UpdateSession {
public:
    // The download worker runs at this niceness, below the window's thread.
    static constexpr int kDownloadNiceness = 10;

    UpdateSession(UpdateServices services, PostToOwner post, IUpdateView& view);
    ~UpdateSession();
    UpdateSession(const UpdateSession&) = delete;
    UpdateSession& operator=(const UpdateSession&) = delete;

    // Reads the check date, prepares the rows and starts the workers. Once.
    void Start(std::vector<UpdateIdentity> identities);

    const UpdateListModel& Model() const { return model_; }
    // The date status 4 shows.
    const std::string& LastCheckDate() const { return lastCheck_; }

    void SetTick(size_t row, bool ticked);
    // "update_OK_btn": the confirmed rows go to the download worker.
    void Confirm();
    // False, changing nothing, while a row is busy;
    // otherwise the workers stop and true.
    bool RequestClose();
    void Stop();

private:
    struct Job {
        size_t row;
        std::string address;
        std::filesystem::path file;
        std::string sha256;
    };

    void Post(std::function<void()> work);
    void RunCheck(std::vector<UpdateIdentity> identities);
    void RunDownloads();
    void RunLaunches();
    // Waits for a job of queue or the stop; false on stop.
    bool NextJob(std::deque<Job>& queue, Job& job);
    void QueueLaunch(size_t row);

    UpdateServices services_;
    PostToOwner post_;
    IUpdateView& view_;
    UpdateListModel model_;
    std::string lastCheck_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);

    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> downloads_;
    std::deque<Job> launches_;
    std::vector<std::thread> workers_;
};

}  // namespace morvek::update
