#include "app/ForwardedCommands.h"

#include <QCoreApplication>
#include <QPointer>

#include <condition_variable>
#include <mutex>
#include <sstream>
#include <system_error>

#include "app/MainWnd.h"
#include "cli/Morvekctl.h"
#include "cli/OwningWindow.h"
#include "platform/Paths.h"
#include "platform/Trace.h"

namespace morvek::app {

// Every model's queue held while a command runs: Reached once a model's queue runs its hold
// (or dropped it, stopping), Release lets them go on.
class ForwardedCommands::DeviceHold {
public:
    explicit DeviceHold(size_t models) : waiting_(models) {}

    void Reached() {
        std::lock_guard lock(mutex_);
        if (waiting_ > 0) --waiting_;
        changed_.notify_all();
    }
    void WaitAllReached() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return waiting_ == 0; });
    }
    void WaitReleased() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return released_; });
    }
    void Release() {
        std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    size_t waiting_;
    bool released_ = false;
};

namespace {

// Counts a model's hold as reached also when its queue drops the task without running it.
struct HoldTicket {
    std::function<void()> reached;
    bool counted = false;
    void Count() {
        if (!counted) reached();
        counted = true;
    }
    ~HoldTicket() { Count(); }
};

bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code code;
    return std::filesystem::weakly_canonical(a, code) == std::filesystem::weakly_canonical(b, code);
}

QByteArray Answer(int status, const std::string& out, const std::string& err) {
    return QByteArray::fromStdString(cli::OwnerAnswerText(status, out, err));
}

}  // namespace

ForwardedCommands::ForwardedCommands(CMainWnd& window, hid::IHidBackend& backend)
    : window_(window), backend_(backend) {}

ForwardedCommands::~ForwardedCommands() {
    waiting_.clear();
    if (worker_.joinable()) worker_.join();
}

void ForwardedCommands::Run(const QByteArray& request, Reply reply) {
    waiting_.push_back({request, std::move(reply)});
    if (!running_) StartNext();
}

void ForwardedCommands::StartNext() {
    if (waiting_.empty()) return;
    Pending next = std::move(waiting_.front());
    waiting_.pop_front();
    const auto request = cli::ParseOwnerRequest(next.request.toStdString());
    if (!request) {
        next.reply(Answer(1, "", "morvekctl: the running morvek window did not understand the command\n"));
        StartNext();
        return;
    }
    // The window shows its own data folders: a command on other folders would change files the
    // window does not show while it drives the devices from its own.
    if (!SameFolder(request->dataDir, UserDataFolder()) || !SameFolder(request->defaultData, DefaultDataFolder())) {
        next.reply(Answer(1, "",
                          "morvekctl: the running morvek window owns the devices and works on the data folder " +
                              UserDataFolder().string() + " and " + DefaultDataFolder().string() +
                              "; give the same folders, or quit the window to use others\n"));
        StartNext();
        return;
    }
    if (worker_.joinable()) worker_.join();
    running_ = true;

    DeviceModelRegistry& models = window_.Models();
    hold_ = std::make_shared<DeviceHold>(models.Count());
    for (size_t i = 0; i < models.Count(); ++i) {
        CTalvorenUSBDevice& model = models.Model(i);
        std::weak_ptr<DeviceHold> weak = hold_;
        auto ticket = std::make_shared<HoldTicket>();
        ticket->reached = [weak] {
            if (auto hold = weak.lock()) hold->Reached();
        };
        std::shared_ptr<DeviceHold> hold = hold_;
        const bool posted = model.RunOnDevice([ticket, hold, &model] {
            ticket->Count();
            hold->WaitReleased();
            model.CommandChannel().DiscardPendingInput();
        });
        if (!posted) ticket->Count();
    }

    QPointer<ForwardedCommands> self(this);
    worker_ = std::thread([this, self, hold = hold_, args = request->args, reply = std::move(next.reply)]() mutable {
        hold->WaitAllReached();
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::RunMorvekctlOn(backend_, args, out, err);
        hold->Release();
        QMetaObject::invokeMethod(
            qApp, [self, status, out = out.str(), err = err.str(), reply = std::move(reply)] {
                if (self) self->Finished(status, out, err, reply);
            },
            Qt::QueuedConnection);
    });
}

void ForwardedCommands::Finished(int status, const std::string& out, const std::string& err, Reply reply) {
    hold_.reset();
    ShowChanges();
    reply(Answer(status, out, err));
    running_ = false;
    StartNext();
}

void ForwardedCommands::ShowChanges() {
    DeviceModelRegistry& models = window_.Models();
    for (size_t i = 0; i < models.Count(); ++i) {
        CTalvorenUSBDevice& model = models.Model(i);
        if (!model.IsCommandChannelOpen()) continue;
        model.LoadProfile();
        model.ApplyProfileToPage();
    }
    Trace("a command of morvekctl ran; the device pages show its changes");
}

}  // namespace morvek::app
