// The window stays responsive while a device stops answering: the emulated keyboard, mouse, pad
// and headset are attached, then the keyboard and the mouse go silent (every transfer to them
// waits for its 1 s time-out on their own threads) while the user keeps clicking: light control,
// the device entries, the function tabs and keys, one click every 20 ms. A 1 ms timer measures
// the gaps between event-loop iterations on the user-interface thread.
//
// Prints the longest gap, the 99th percentile and the number of clicks; exits 1 when the
// longest gap reaches the 50 ms goal.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/ControlFactory.h"
#include "app/DeviceModels.h"
#include "app/DeviceOptionUI.h"
#include "app/MainWnd.h"
#include "app/ResourceManager.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "emulator/EmulatorBackend.h"
#include "support/SourcePaths.h"

using namespace morvek;

namespace {

constexpr int kGoalMs = 50;
constexpr int kClickIntervalMs = 20;

int Run(int seconds) {
    app::CResourceManager& resources = app::CResourceManager::GetInstance();
    resources.SetResourcePath(morvek::test::SourceSkinDir());
    resources.LoadResource();
    app::RegisterCustomControls(app::CControlFactory::GetInstance());

    emulator::EmulatorBackend emulator;
    for (auto kind : {emulator::EmulatedKind::Keyboard, emulator::EmulatedKind::Mouse,
                      emulator::EmulatedKind::MousePad, emulator::EmulatedKind::Headset})
        emulator.Attach(kind);
    app::CMainWnd window(emulator, app::DeviceModels(emulator));
    window.SetMessageBoxFunction([](const QString&, bool, int) { return 1; });
    window.show();

    // Wait for the four entries, then silence two devices.
    QElapsedTimer waited;
    waited.start();
    while (window.DeviceList().VisibleCount() < 4 && waited.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 10);
    if (window.DeviceList().VisibleCount() < 4) {
        std::fprintf(stderr, "the four demo devices did not arrive\n");
        return 2;
    }
    emulator::FaultPlan silent;
    silent.silent = true;
    emulator.Find(emulator::EmulatedKind::Keyboard)->SetFaults(silent);
    emulator.Find(emulator::EmulatedKind::Mouse)->SetFaults(silent);

    std::vector<QAbstractButton*> targets;
    for (const char* name : {"control_light_status", "deng_Op_tab", "key_Op_tab", "macro_Op_tab", "key_5", "key_40",
                             "device_select_next", "device_select_prev"}) {
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>(name)) targets.push_back(button);
    }
    for (int i = 0; i < window.DeviceList().Count(); ++i) targets.push_back(window.DeviceList().Entry(i)->SelectButton());

    std::vector<double> gaps;
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        gaps.push_back((now - last) / 1e6);
        last = now;
    });
    tick.start(1);
    size_t clicks = 0;
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        QAbstractButton* target = targets[clicks % targets.size()];
        if (target->isVisible() && target->isEnabled()) target->click();
        ++clicks;
    });
    clicker.start(kClickIntervalMs);
    QTimer::singleShot(seconds * 1000, qApp, &QApplication::quit);
    QApplication::exec();

    std::sort(gaps.begin(), gaps.end());
    const double longest = gaps.empty() ? 0 : gaps.back();
    const double p99 = gaps.empty() ? 0 : gaps[gaps.size() * 99 / 100];
    std::printf("event-loop gap: longest %.1f ms, 99th percentile %.1f ms, %zu iterations, %zu clicks in %d s\n",
                longest, p99, gaps.size(), clicks, seconds);
    return longest < kGoalMs ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    return Run(seconds);
}
