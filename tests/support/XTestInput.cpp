#include "support/XTestInput.h"

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdlib>

namespace morvek::test {

XTestInput::XTestInput(const std::string& display) {
    connection_ = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(connection_)) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return;
    }
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
}

XTestInput::~XTestInput() {
    if (connection_ != nullptr) xcb_disconnect(connection_);
}

void XTestInput::Key(uint8_t keycode, bool press) {
    xcb_test_fake_input(connection_, press ? XCB_KEY_PRESS : XCB_KEY_RELEASE, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(connection_);
}

void XTestInput::Button(uint8_t button, bool press) {
    xcb_test_fake_input(connection_, press ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, button, XCB_CURRENT_TIME, XCB_NONE,
                        0, 0, 0);
    xcb_flush(connection_);
}

void XTestInput::MovePointer(int x, int y) {
    xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_, static_cast<int16_t>(x),
                        static_cast<int16_t>(y), 0);
    xcb_flush(connection_);
}

void XTestInput::Sync() { std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr)); }

void XTestInput::OpenFocusedWindow(int x, int y, int width, int height) {
    window_ = xcb_generate_id(connection_);
    const uint32_t events = XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_EXPOSURE;
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, root_, static_cast<int16_t>(x), static_cast<int16_t>(y),
                      static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    xcb_map_window(connection_, window_);
    Sync();
    xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window_, XCB_CURRENT_TIME);
    Sync();
}

bool XTestInput::GrabKeyboard() {
    xcb_grab_keyboard_reply_t* reply = xcb_grab_keyboard_reply(
        connection_,
        xcb_grab_keyboard(connection_, 0, window_, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC), nullptr);
    const bool grabbed = reply != nullptr && reply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(reply);
    return grabbed;
}

void XTestInput::UngrabKeyboard() {
    xcb_ungrab_keyboard(connection_, XCB_CURRENT_TIME);
    Sync();
}

XTestInput::Received XTestInput::Drain() {
    Sync();
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        const uint8_t type = event->response_type & 0x7F;
        if (type == XCB_KEY_PRESS) ++received_.keyPresses;
        if (type == XCB_BUTTON_PRESS) ++received_.buttonPresses;
        std::free(event);
    }
    return received_;
}

}  // namespace morvek::test
