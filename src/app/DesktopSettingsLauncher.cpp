#include "app/DesktopSettingsLauncher.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPointer>
#include <QProcess>
#include <QThreadPool>
#include <QWidget>

#include "app/IndexedName.h"
#include "platform/Trace.h"

namespace morvek::app {
namespace {

// Runs work on a worker of the pool; then done on the user-interface thread while guard lives.
template <class Result, class Work, class Done>
void OnWorker(QPointer<DesktopSettingsLauncher> guard, Work work, Done done) {
    QThreadPool::globalInstance()->start([guard, work = std::move(work), done = std::move(done)]() mutable {
        Result result = work();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [guard, done = std::move(done), result = std::move(result)]() mutable {
                if (guard) done(*guard, std::move(result));
            },
            Qt::QueuedConnection);
    });
}

}  // namespace

DesktopSettingsLauncher::DesktopSettingsLauncher(QObject* parent) : QObject(parent) {}

void DesktopSettingsLauncher::Find() {
    const std::string desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP").toStdString();
    const std::string path = qEnvironmentVariable("PATH").toStdString();
    OnWorker<Commands>(
        this,
        [desktop, path] {
            const ProgramInstalled installed = [&path](const std::string& program) {
                return FindProgramOnPath(program, path).has_value();
            };
            return Commands{FindDesktopSettings(DesktopSettingsPage::Mouse, desktop, installed),
                            FindDesktopSettings(DesktopSettingsPage::Keyboard, desktop, installed)};
        },
        [](DesktopSettingsLauncher& self, Commands commands) {
            self.commands_ = std::move(commands);
            emit self.Found();
        });
}

bool DesktopSettingsLauncher::Offers(DesktopSettingsPage page) const {
    return commands_[static_cast<size_t>(page)].has_value();
}

void DesktopSettingsLauncher::ShowButtons(QWidget* root) const {
    if (root == nullptr) return;
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        const auto indexed = SplitIndexedName(button->objectName());
        if (!indexed || indexed->prefix != kButtonPrefix) continue;
        const bool known = indexed->index == 0 || indexed->index == 1;
        button->setVisible(known && Offers(static_cast<DesktopSettingsPage>(indexed->index)));
    }
}

void DesktopSettingsLauncher::Open(int page) {
    if (page != 0 && page != 1) return;
    const std::optional<DesktopSettingsCommand>& command = commands_[static_cast<size_t>(page)];
    if (!command) return;
    const QString program = QString::fromStdString(command->front());
    QStringList arguments;
    for (size_t i = 1; i < command->size(); ++i) arguments << QString::fromStdString((*command)[i]);
    OnWorker<bool>(
        this,
        [program, arguments] {
            const bool started = QProcess::startDetached(program, arguments);
            if (!started) Trace("desktop settings: " + program.toStdString() + " could not be started");
            return started;
        },
        [page](DesktopSettingsLauncher& self, bool started) { emit self.Opened(page, started); });
}

}  // namespace morvek::app
