#pragma once
// Real input for a test: key and button events injected into an X server with the XTEST
// extension on a connection of their own, as a user's keyboard and mouse would give them; and a
// plain window of another program that can take the focus and count what it receives.

#include <cstdint>
#include <string>

struct xcb_connection_t;

namespace morvek::test {

class XTestInput {
public:
    explicit XTestInput(const std::string& display);
    ~XTestInput();
    XTestInput(const XTestInput&) = delete;
    XTestInput& operator=(const XTestInput&) = delete;

    bool Connected() const { return connection_ != nullptr; }

    // keycode: the X keycode (the Linux input code + 8; 38 is A).
    void Key(uint8_t keycode, bool press);
    void Tap(uint8_t keycode) {
        Key(keycode, true);
        Key(keycode, false);
    }
    // button: 1 left, 2 middle, 3 right, 8 back, 9 forward.
    void Button(uint8_t button, bool press);
    void MovePointer(int x, int y);
    // Waits until the server has handled everything sent.
    void Sync();

    // A window of this connection at (x, y), shown, with the focus; it counts key presses and
    // button presses that reach it.
    void OpenFocusedWindow(int x, int y, int width, int height);
    struct Received {
        int keyPresses = 0;
        int buttonPresses = 0;
    };
    // Takes the keyboard for the window, as another program might while the test records; false
    // when the server refused.
    bool GrabKeyboard();
    void UngrabKeyboard();
    // Reads what reached the window so far.
    Received Drain();

private:
    xcb_connection_t* connection_ = nullptr;
    uint32_t root_ = 0;
    uint32_t window_ = 0;
    Received received_;
};

}  // namespace morvek::test
