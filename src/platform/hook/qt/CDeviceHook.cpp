#include "platform/hook/qt/CDeviceHook.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <chrono>
#include <cstdlib>

namespace morvek::hook {
namespace {

xcb_connection_t* X11Connection() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

int ButtonBitOfQt(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return 0x01;
        case Qt::RightButton: return 0x02;
        case Qt::MiddleButton: return 0x04;
        case Qt::BackButton: return 0x08;
        case Qt::ForwardButton: return 0x10;
        default: return 0;
    }
}

}  // namespace

CDeviceHook::CDeviceHook(QObject* parent) : QObject(parent) {}

CDeviceHook::~CDeviceHook() { Stop(); }

long long CDeviceHook::NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool CDeviceHook::GrabKeyboard(QWidget* window) {
    keyboardReach_ = Reach::ProgramWindows;
    if (X11Connection() == nullptr) return true;  // no desktop-wide grab to take: the program's windows
    QWindow* handle = window != nullptr ? window->window()->windowHandle() : nullptr;
    if (handle == nullptr || !handle->setKeyboardGrabEnabled(true)) {
        keyboardReach_ = Reach::None;
        return false;
    }
    grabWindow_ = handle;
    keyboardReach_ = Reach::Desktop;
    return true;
}

bool CDeviceHook::SelectRawEvents(uint32_t events) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr) return false;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_input_id);
    if (extension == nullptr || !extension->present) return false;
    xinputOpcode_ = extension->major_opcode;
    struct {
        xcb_input_event_mask_t head;
        uint32_t mask;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, events};
    bool selected = true;
    for (auto screen = xcb_setup_roots_iterator(xcb_get_setup(connection)); screen.rem; xcb_screen_next(&screen)) {
        const xcb_void_cookie_t cookie = xcb_input_xi_select_events_checked(connection, screen.data->root, 1, &mask.head);
        if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
            std::free(error);
            selected = false;
        }
    }
    return selected;
}

bool CDeviceHook::Start(QWidget* window, bool keyboard, bool mouse) {
    Stop();
    if (keyboard && !GrabKeyboard(window)) return false;
    // On X11 keys and buttons are both read as raw events, so they keep the order the server
    // gave them (Qt hands key events on later than the raw events of the same moment).
    uint32_t raw = 0;
    if (keyboardReach_ == Reach::Desktop) raw |= XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE;
    if (mouse && X11Connection() != nullptr)
        raw |= XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;
    const bool rawEvents = raw != 0 && SelectRawEvents(raw);
    if (keyboardReach_ == Reach::Desktop && !rawEvents) {
        grabWindow_->setKeyboardGrabEnabled(false);
        grabWindow_.clear();
        keyboardReach_ = Reach::None;
        return false;
    }
    if (mouse) mouseReach_ = rawEvents ? Reach::Desktop : Reach::ProgramWindows;
    if (rawEvents) QCoreApplication::instance()->installNativeEventFilter(this);
    rawEvents_ = rawEvents;
    QCoreApplication::instance()->installEventFilter(this);
    running_ = true;
    return true;
}

void CDeviceHook::Stop() {
    if (!running_) return;
    running_ = false;
    if (grabWindow_) grabWindow_->setKeyboardGrabEnabled(false);
    grabWindow_.clear();
    if (rawEvents_) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        SelectRawEvents(0);
        rawEvents_ = false;
    }
    QCoreApplication::instance()->removeEventFilter(this);
    keyboardReach_ = Reach::None;
    mouseReach_ = Reach::None;
}

void CDeviceHook::OnKey(QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat() || !sinks_.key) return;
    const auto scan = ScanCodeOfNativeKey(key->nativeScanCode());
    if (scan) sinks_.key({event->type() == QEvent::KeyPress, *scan, NowMs()});
}

bool CDeviceHook::eventFilter(QObject* watched, QEvent* event) {
    if (!running_) return false;
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (keyboardReach_ == Reach::None) return false;
            // Key events come to a window first; there they are taken, and no control sees them.
            // The desktop's keys are recorded from their raw events instead.
            if (watched->isWindowType() && keyboardReach_ == Reach::ProgramWindows) OnKey(event);
            return true;
        case QEvent::ShortcutOverride:
            if (keyboardReach_ == Reach::None) return false;
            event->accept();  // no shortcut of the program fires either
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            if (mouseReach_ != Reach::ProgramWindows || !watched->isWindowType() || !sinks_.button) return false;
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (const int bit = ButtonBitOfQt(mouse->button())) {
                sinks_.button({bit, event->type() == QEvent::MouseButtonPress, mouse->globalPosition().toPoint(), NowMs()});
            }
            return false;
        }
        default: return false;
    }
}

bool CDeviceHook::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!running_ || !rawEvents_ || eventType != "xcb_generic_event_t") return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_GE_GENERIC) return false;
    auto* generic = reinterpret_cast<xcb_ge_generic_event_t*>(event);
    if (generic->extension != xinputOpcode_) return false;
    // The raw key and button events share their layout up to the key or button number.
    const auto* raw = reinterpret_cast<const xcb_input_raw_button_press_event_t*>(event);
    switch (generic->event_type) {
        case XCB_INPUT_RAW_KEY_PRESS:
        case XCB_INPUT_RAW_KEY_RELEASE:
            if (const auto scan = ScanCodeOfNativeKey(raw->detail); scan && sinks_.key)
                sinks_.key({generic->event_type == XCB_INPUT_RAW_KEY_PRESS, *scan, NowMs()});
            return true;
        case XCB_INPUT_RAW_BUTTON_PRESS:
        case XCB_INPUT_RAW_BUTTON_RELEASE:
            if (const int bit = ButtonBitOfXButton(raw->detail); bit != 0 && sinks_.button)
                sinks_.button({bit, generic->event_type == XCB_INPUT_RAW_BUTTON_PRESS, QCursor::pos(), NowMs()});
            return true;
        default: return false;
    }
}

}  // namespace morvek::hook
