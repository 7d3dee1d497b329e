#pragma once
// CDeviceHook: where macro recording takes its keys and mouse buttons from while it runs.
//
// - Keys: the window grabs the keyboard. On X11 the grab is the server's, so every key of the
//   desktop comes to this program and to no other one (only the lock keys still change their
//   state), and the keys are read as XInput2 raw key events, in one stream with the buttons;
//   elsewhere the keys typed into the program's own windows are taken. Either way the
//   program's own controls see no key while the hook runs. Held keys' repeats are left out.
// - Mouse buttons: on X11 the XInput2 raw button events of the whole screen, read on Qt's own
//   X connection without a grab, so other programs still get their clicks; elsewhere the
//   buttons pressed over the program's windows. Nothing is taken from the buttons.
//
// Events reach the sinks on the user-interface thread, in the order the window system gave them.

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWindow>

#include <cstdint>
#include <functional>

#include "platform/hook/NativeInputCodes.h"

class QWidget;

namespace morvek::hook {

struct HookKeyEvent {
    bool press = false;
    ScanCode scan;
    long long timeMs = 0;  // steady clock, when the program received it
};

struct HookButtonEvent {
    int buttonBit = 0;  // 0x01 left, 0x02 right, 0x04 middle, 0x08 back, 0x10 forward
    bool press = false;
    QPoint globalPos;   // the pointer, in screen coordinates
    long long timeMs = 0;
};

class CDeviceHook final : public QObject, private QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // How far a source reaches.
    enum class Reach { None, Desktop, ProgramWindows };

    struct Sinks {
        std::function<void(const HookKeyEvent&)> key;
        std::function<void(const HookButtonEvent&)> button;
    };

    explicit CDeviceHook(QObject* parent = nullptr);
    ~CDeviceHook() override;

    void SetSinks(Sinks sinks) { sinks_ = std::move(sinks); }

    // Starts the sources asked for, on behalf of window (shown). False when the keyboard was
    // asked for and cannot be taken (another program holds it): then nothing is started.
    bool Start(QWidget* window, bool keyboard, bool mouse);
    // Ends both sources; no event arrives afterwards.
    void Stop();
    bool IsRunning() const { return running_; }

    Reach KeyboardReach() const { return keyboardReach_; }
    Reach MouseReach() const { return mouseReach_; }

    // Steady clock milliseconds, the clock of the events' times.
    static long long NowMs();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    bool GrabKeyboard(QWidget* window);
    // Selects XInput2 raw events (a mask of XCB_INPUT_XI_EVENT_MASK_RAW_...) on every screen.
    bool SelectRawEvents(uint32_t events);
    void OnKey(QEvent* event);

    Sinks sinks_;
    bool running_ = false;
    Reach keyboardReach_ = Reach::None;
    Reach mouseReach_ = Reach::None;
    QPointer<QWindow> grabWindow_;
    bool rawEvents_ = false;
    uint8_t xinputOpcode_ = 0;
};

}  // namespace morvek::hook
