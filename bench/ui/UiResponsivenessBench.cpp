// The window stays responsive while a device stops answering: the emulated keyboard, mouse, pad
// and headset are attached, then the keyboard and the mouse go silent (every transfer to them
// waits for its 1 s time-out on their own threads) while the user keeps working, one action
// every 20 ms: light control, the device entries, the function tabs; on the keyboard's key tab
// keys chosen, given functions from the panel's lists and saved to the device; on the mouse's
// DPI tab stage sliders dragged (the edit following the handle, the stage stored and written
// when it is let go); on the keyboard's lighting tab the brightness slider moved a step at a
// time up and down (each step a light change: stored, saved, shown, written to the silent
// keyboard). A 1 ms timer measures the gaps between event-loop iterations on the
// user-interface thread, and the thread's own CPU time per action tells what an action costs
// apart from the other load of the machine (a busy machine lengthens every gap).
//
// Prints the longest gap, the 99th percentile, the number of actions and the CPU time per
// action, then the longest gap that ended while a brightness step was the last action; exits 1
// when the longest gap reaches the 16 ms goal (one frame at 60 Hz).
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <vector>

#include "EventLoopWait.h"
#include "app/ControlFactory.h"
#include "app/DeviceModels.h"
#include "app/DeviceOptionUI.h"
#include "app/DevicePageUI.h"
#include "app/MainWnd.h"
#include "app/ResourceManager.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "emulator/EmulatorBackend.h"
#include "support/SourcePaths.h"

using namespace morvek;

namespace {

constexpr int kGoalMs = 16;
constexpr int kClickIntervalMs = 20;

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

int Run(int seconds) {
    // The profiles the panels save go to a folder of the run's own.
    QTemporaryDir dataFolder;
    qputenv("MORVEK_DATA_DIR", dataFolder.path().toUtf8());
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
    if (!bench::WaitUntil([&] { return window.DeviceList().VisibleCount() >= 4; }, 5000)) {
        std::fprintf(stderr, "the four demo devices did not arrive\n");
        return 2;
    }
    emulator::FaultPlan silent;
    silent.silent = true;
    emulator.Find(emulator::EmulatedKind::Keyboard)->SetFaults(silent);
    emulator.Find(emulator::EmulatedKind::Mouse)->SetFaults(silent);

    std::vector<std::function<void()>> actions;
    std::set<size_t> brightnessSteps;  // the actions that move the brightness slider
    const auto click = [](QAbstractButton* button) {
        return [button] {
            if (button->isVisible() && button->isEnabled()) button->click();
        };
    };
    for (const char* name : {"control_light_status", "deng_Op_tab", "key_Op_tab", "macro_Op_tab", "key_5", "key_40",
                             "device_select_next", "device_select_prev"}) {
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>(name)) actions.push_back(click(button));
    }
    for (int i = 0; i < window.DeviceList().Count(); ++i) actions.push_back(click(window.DeviceList().Entry(i)->SelectButton()));

    // A choice in a list, as the list reports a user's choice.
    const auto choose = [](QComboBox* combo, int item) {
        return [combo, item] {
            if (combo == nullptr || item >= combo->count()) return;
            combo->setCurrentIndex(item);
            emit combo->activated(item);
        };
    };
    // The function list's item of a page: the items carry their page.
    const auto choosePage = [](QComboBox* combo, int page) {
        return [combo, page] {
            const int item = combo != nullptr ? combo->findData(QString::number(page)) : -1;
            if (item < 0) return;
            combo->setCurrentIndex(item);
            emit combo->activated(item);
        };
    };
    for (int i = 0; i < window.DeviceList().Count(); ++i) {
        CTalvorenUSBDevice* model = window.DeviceList().Entry(i)->Model();
        app::CDevicePageUI* page = window.PageOf(model);
        if (page == nullptr) continue;
        const auto find = [page](const char* name) { return page->findChild<QAbstractButton*>(name); };
        const auto combo = [page](const char* name) { return page->findChild<QComboBox*>(name); };
        actions.push_back(click(window.DeviceList().Entry(i)->SelectButton()));
        if (model->Kind() == kKindKeyboard) {
            actions.push_back(click(find("key_Op_tab")));
            for (const char* key : {"key_22", "key_45", "key_64"}) {
                actions.push_back(click(find(key)));
                actions.push_back(choosePage(combo("keyset_function_combo"), 11));  // shortcuts
                actions.push_back(choose(combo("keyset_combokey_combo"), 4));
                actions.push_back(choosePage(combo("keyset_function_combo"), 7));  // media
                actions.push_back(choose(combo("keyset_media_combo"), 2));
                actions.push_back(click(find("key_butt_prosave")));
            }
        }
        if (model->Kind() == kKindKeyboard) {
            // The brightness slider dragged over the silent keyboard, a step at a time.
            actions.push_back(click(find("deng_Op_tab")));
            auto* brightness = page->findChild<QSlider*>("deng_light_slider");
            for (int step = 0; brightness != nullptr && step < 8; ++step) {
                const auto action = step < 4 ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub;
                brightnessSteps.insert(actions.size());
                actions.push_back([brightness, action] { brightness->triggerAction(action); });
            }
        }
        if (model->Kind() == kKindMouse) {
            actions.push_back(click(find("cursor_Op_tab")));
            for (int stage = 0; stage < 5; ++stage) {
                auto* slider = page->findChild<QSlider*>(QString("DPI_slider_%1").arg(stage));
                if (slider == nullptr) continue;
                actions.push_back([slider] { slider->setSliderDown(true); });
                for (int step = 1; step <= 6; ++step) {
                    actions.push_back([slider, step] { slider->setSliderPosition(step * 20); });
                }
                actions.push_back([slider] { slider->setSliderDown(false); });
            }
        }
    }

    std::vector<double> gaps;
    double longestAfterBrightness = 0;
    bool brightnessStepLast = false;
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        gaps.push_back((now - last) / 1e6);
        if (brightnessStepLast) longestAfterBrightness = std::max(longestAfterBrightness, gaps.back());
        last = now;
    });
    tick.start(1);
    size_t done = 0;
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        const size_t action = done++ % actions.size();
        brightnessStepLast = brightnessSteps.count(action) != 0;
        actions[action]();
    });
    clicker.start(kClickIntervalMs);
    const double cpuStart = ThreadCpuMs();
    double cpuMs = 0;
    QTimer::singleShot(seconds * 1000, qApp, [&] {
        cpuMs = ThreadCpuMs() - cpuStart;
        QApplication::quit();
    });
    QApplication::exec();

    std::sort(gaps.begin(), gaps.end());
    const double longest = gaps.empty() ? 0 : gaps.back();
    const double p99 = gaps.empty() ? 0 : gaps[gaps.size() * 99 / 100];
    std::printf("event-loop gap: longest %.1f ms, 99th percentile %.1f ms, %zu iterations, %zu actions in %d s, "
                "%.2f ms of the thread's CPU per action\n",
                longest, p99, gaps.size(), done, seconds, done ? cpuMs / done : 0.0);
    std::printf("while the brightness slider is dragged over the silent keyboard: longest gap %.1f ms\n",
                longestAfterBrightness);
    return longest < kGoalMs ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    return Run(seconds);
}
