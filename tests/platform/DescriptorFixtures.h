#pragma once
// Report descriptors laid out as common keyboards and mice ship them.

#include <cstdint>
#include <vector>

namespace morvek::hid::fixtures {

// Second interface of a gaming keyboard: four application collections with report ids.
inline const std::vector<uint8_t> kKeyboardInterface = {
    // 1: N-key-rollover keyboard, report id 1
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x06,        // Usage (Keyboard)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x01,        //   Report ID (1)
    0x05, 0x07,        //   Usage Page (Keyboard/Keypad)
    0x19, 0xE0,        //   Usage Minimum (Left Control)
    0x29, 0xE7,        //   Usage Maximum (Right GUI)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x08,        //   Report Count (8)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x19, 0x00,        //   Usage Minimum (0)
    0x29, 0x77,        //   Usage Maximum (0x77)
    0x95, 0x78,        //   Report Count (120)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x05, 0x08,        //   Usage Page (LEDs)
    0x19, 0x01,        //   Usage Minimum (Num Lock)
    0x29, 0x05,        //   Usage Maximum (Kana)
    0x95, 0x05,        //   Report Count (5)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0x75, 0x03,        //   Report Size (3)
    0x95, 0x01,        //   Report Count (1)
    0x91, 0x01,        //   Output (Constant)
    0xC0,              // End Collection
    // 2: system control, report id 2
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x80,        // Usage (System Control)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x02,        //   Report ID (2)
    0x19, 0x81,        //   Usage Minimum (System Power Down)
    0x29, 0x83,        //   Usage Maximum (System Wake Up)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x03,        //   Report Count (3)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x95, 0x05,        //   Report Count (5)
    0x81, 0x01,        //   Input (Constant)
    0xC0,              // End Collection
    // 3: consumer control, report id 3, two 16-bit usage indexes
    0x05, 0x0C,        // Usage Page (Consumer)
    0x09, 0x01,        // Usage (Consumer Control)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x03,        //   Report ID (3)
    0x19, 0x00,        //   Usage Minimum (0)
    0x2A, 0xFF, 0x0F,  //   Usage Maximum (0x0FFF)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x0F,  //   Logical Maximum (0x0FFF)
    0x75, 0x10,        //   Report Size (16)
    0x95, 0x02,        //   Report Count (2)
    0x81, 0x00,        //   Input (Data, Array, Absolute)
    0xC0,              // End Collection
    // 4: vendor command collection, report id 4, 63 bytes each way
    0x06, 0x1C, 0xFF,  // Usage Page (Vendor 0xFF1C)
    0x09, 0x92,        // Usage (0x92)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x04,        //   Report ID (4)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x3F,        //   Report Count (63)
    0x09, 0x01,        //   Usage (1)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x09, 0x01,        //   Usage (1)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0xC0,              // End Collection
};

// A plain media-key interface: one collection, no report ids, one bit per key.
inline const std::vector<uint8_t> kPlainConsumer = {
    0x05, 0x0C,        // Usage Page (Consumer)
    0x09, 0x01,        // Usage (Consumer Control)
    0xA1, 0x01,        // Collection (Application)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x08,        //   Report Count (8)
    0x09, 0xCD,        //   Usage (Play/Pause)
    0x09, 0xB5,        //   Usage (Scan Next Track)
    0x09, 0xB6,        //   Usage (Scan Previous Track)
    0x09, 0xB7,        //   Usage (Stop)
    0x09, 0xE2,        //   Usage (Mute)
    0x09, 0xE9,        //   Usage (Volume Increment)
    0x09, 0xEA,        //   Usage (Volume Decrement)
    0x0A, 0x83, 0x01,  //   Usage (AL Consumer Control Configuration)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0xC0,              // End Collection
};

// A mouse with a media-key collection beside it.
inline const std::vector<uint8_t> kCompositeMouse = {
    // 1: mouse, report id 1
    0x05, 0x01,              // Usage Page (Generic Desktop)
    0x09, 0x02,              // Usage (Mouse)
    0xA1, 0x01,              // Collection (Application)
    0x85, 0x01,              //   Report ID (1)
    0x09, 0x01,              //   Usage (Pointer)
    0xA1, 0x00,              //   Collection (Physical)
    0x05, 0x09,              //     Usage Page (Button)
    0x19, 0x01,              //     Usage Minimum (1)
    0x29, 0x05,              //     Usage Maximum (5)
    0x15, 0x00,              //     Logical Minimum (0)
    0x25, 0x01,              //     Logical Maximum (1)
    0x75, 0x01,              //     Report Size (1)
    0x95, 0x05,              //     Report Count (5)
    0x81, 0x02,              //     Input (Data, Variable, Absolute)
    0x75, 0x03,              //     Report Size (3)
    0x95, 0x01,              //     Report Count (1)
    0x81, 0x01,              //     Input (Constant)
    0x05, 0x01,              //     Usage Page (Generic Desktop)
    0x09, 0x30,              //     Usage (X)
    0x09, 0x31,              //     Usage (Y)
    0x16, 0x01, 0x80,        //     Logical Minimum (-32767)
    0x26, 0xFF, 0x7F,        //     Logical Maximum (32767)
    0x75, 0x10,              //     Report Size (16)
    0x95, 0x02,              //     Report Count (2)
    0x81, 0x06,              //     Input (Data, Variable, Relative)
    0x09, 0x38,              //     Usage (Wheel)
    0x15, 0x81,              //     Logical Minimum (-127)
    0x25, 0x7F,              //     Logical Maximum (127)
    0x75, 0x08,              //     Report Size (8)
    0x95, 0x01,              //     Report Count (1)
    0x81, 0x06,              //     Input (Data, Variable, Relative)
    0xA4,                    //     Push
    0x05, 0x0C,              //       Usage Page (Consumer)
    0x0A, 0x38, 0x02,        //       Usage (AC Pan)
    0x81, 0x06,              //       Input (Data, Variable, Relative)
    0xB4,                    //     Pop
    0x09, 0x36,              //     Usage (Slider)
    0x15, 0x00,              //     Logical Minimum (0)
    0x25, 0xFF,              //     Logical Maximum (255)
    0x35, 0x00,              //     Physical Minimum (0)
    0x46, 0xE8, 0x03,        //     Physical Maximum (1000)
    0x81, 0x02,              //     Input (Data, Variable, Absolute)
    0xC0,                    //   End Collection
    0xC0,                    // End Collection
    // 2: media keys, report id 2, one 8-bit index; 0 means no key
    0x05, 0x0C,              // Usage Page (Consumer)
    0x09, 0x01,              // Usage (Consumer Control)
    0xA1, 0x01,              // Collection (Application)
    0x85, 0x02,              //   Report ID (2)
    0x15, 0x01,              //   Logical Minimum (1)
    0x25, 0x04,              //   Logical Maximum (4)
    0x09, 0xB5,              //   Usage (Scan Next Track)
    0x09, 0xB6,              //   Usage (Scan Previous Track)
    0x09, 0xE9,              //   Usage (Volume Increment)
    0x0B, 0x23, 0x02, 0x0C, 0x00,  // Usage (Consumer: AC Home), page in the high half
    0x81, 0x00,              //   Input (Data, Array, Absolute)
    0xC0,                    // End Collection
};

}  // namespace morvek::hid::fixtures
