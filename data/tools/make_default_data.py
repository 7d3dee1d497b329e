#!/usr/bin/env python3
"""Writes the read-only default data of data/DefaultData.

Every file is JSON in the layout of jsoncpp's Json::StyledWriter (members in ascending key
order, three-space indentation, arrays of short scalars on one line below a right margin of
74), so the program's own writer would produce the same bytes for the parsed value.

    make_default_data.py            write every file
    make_default_data.py --check    exit 1 when a shipped file differs from what this writes

docs/default-data.md explains the content and the choices behind the values.
"""

import colorsys
import pathlib
import sys

DATA_DIR = pathlib.Path(__file__).resolve().parent.parent / "DefaultData"

# ---------------------------------------------------------------------------------------------
# Json::StyledWriter layout


def _quote(text):
    """A JSON string as StyledWriter writes it: non-ASCII and control characters as \\uXXXX."""
    out = ['"']
    for ch in text:
        code = ord(ch)
        if ch == '"':
            out.append('\\"')
        elif ch == "\\":
            out.append("\\\\")
        elif ch == "\b":
            out.append("\\b")
        elif ch == "\f":
            out.append("\\f")
        elif ch == "\n":
            out.append("\\n")
        elif ch == "\r":
            out.append("\\r")
        elif ch == "\t":
            out.append("\\t")
        elif code < 0x20 or 0x80 <= code < 0x10000:
            out.append("\\u%04x" % code)
        elif code >= 0x10000:
            code -= 0x10000
            out.append("\\u%04x\\u%04x" % (0xD800 + (code >> 10), 0xDC00 + (code & 0x3FF)))
        else:
            out.append(ch)
    out.append('"')
    return "".join(out)


class _StyledWriter:
    RIGHT_MARGIN = 74
    INDENT = "   "

    def __init__(self):
        self.doc = ""
        self.indent = ""
        self.child_values = []
        self.add_child_values = False

    def write(self, value):
        self.doc = ""
        self.indent = ""
        self.add_child_values = False
        self._value(value)
        return self.doc + "\n"

    def _push(self, text):
        if self.add_child_values:
            self.child_values.append(text)
        else:
            self.doc += text

    def _write_indent(self):
        if self.doc:
            last = self.doc[-1]
            if last == " ":
                return
            if last != "\n":
                self.doc += "\n"
        self.doc += self.indent

    def _with_indent(self, text):
        self._write_indent()
        self.doc += text

    def _value(self, value):
        if value is None:
            self._push("null")
        elif isinstance(value, bool):
            self._push("true" if value else "false")
        elif isinstance(value, int):
            self._push(str(value))
        elif isinstance(value, str):
            self._push(_quote(value))
        elif isinstance(value, list):
            self._array(value)
        elif isinstance(value, dict):
            if not value:
                self._push("{}")
                return
            self._with_indent("{")
            self.indent += self.INDENT
            names = sorted(value, key=lambda name: name.encode("utf-8"))
            for position, name in enumerate(names):
                self._with_indent(_quote(name))
                self.doc += " : "
                self._value(value[name])
                if position + 1 < len(names):
                    self.doc += ","
            self.indent = self.indent[: -len(self.INDENT)]
            self._with_indent("}")
        else:
            raise TypeError("no JSON form for %r" % (value,))

    def _is_multiline(self, array):
        multiline = len(array) * 3 >= self.RIGHT_MARGIN
        self.child_values = []
        for child in array:
            if multiline:
                break
            multiline = isinstance(child, (list, dict)) and len(child) > 0
        if not multiline:
            self.add_child_values = True
            line_length = 4 + (len(array) - 1) * 2
            for child in array:
                self._value(child)
                line_length += len(self.child_values[-1])
            self.add_child_values = False
            multiline = line_length >= self.RIGHT_MARGIN
        return multiline

    def _array(self, array):
        if not array:
            self._push("[]")
            return
        if self._is_multiline(array):
            self._with_indent("[")
            self.indent += self.INDENT
            written = list(self.child_values)
            for position, child in enumerate(array):
                if written:
                    self._with_indent(written[position])
                else:
                    self._write_indent()
                    self._value(child)
                if position + 1 < len(array):
                    self.doc += ","
            self.indent = self.indent[: -len(self.INDENT)]
            self._with_indent("]")
        else:
            self.doc += "[ " + ", ".join(self.child_values) + " ]"


def styled(value):
    return _StyledWriter().write(value)


# ---------------------------------------------------------------------------------------------
# Keyboard: the factory function of every key of the 6 x 21 matrix


def _key(usage):
    return (0x20, 0x00, usage)


def _modifier(bit):
    return (0x20, bit, 0x00)


def _built_in(code):
    return (0xA0, code, 0x00)


def _macro_key(number):
    return (0xD0, 0xA2, number)


NO_KEY = _key(0x00)

# (function, label, approximate centre of the key in key widths from the left edge of the main
# block; None where the matrix position holds no key). The positions only shape the colour
# gradients of the custom light groups.
KEYBOARD_KEYS = [
    # Row 0
    (_key(0x29), "Esc", 0.5), (_key(0x3A), "F1", 2.5), (_key(0x3B), "F2", 3.5),
    (_key(0x3C), "F3", 4.5), (_key(0x3D), "F4", 5.5), (_key(0x3E), "F5", 7.0),
    (_key(0x3F), "F6", 8.0), (_key(0x40), "F7", 9.0), (_key(0x41), "F8", 10.0),
    (_key(0x42), "F9", 11.5), (_key(0x43), "F10", 12.5), (_key(0x44), "F11", 13.5),
    (_key(0x45), "F12", 14.5), (_key(0x46), "Print Screen", 15.75),
    (_key(0x47), "Scroll Lock", 16.75), (_key(0x48), "Pause", 17.75),
    (_built_in(0x1B), "GM", 20.0), (_built_in(0x24), "built-in key", 21.0),
    (NO_KEY, None, None), (NO_KEY, None, None), (NO_KEY, None, None),
    # Row 1
    (_key(0x35), "`", 0.5), (_key(0x1E), "1", 1.5), (_key(0x1F), "2", 2.5),
    (_key(0x20), "3", 3.5), (_key(0x21), "4", 4.5), (_key(0x22), "5", 5.5),
    (_key(0x23), "6", 6.5), (_key(0x24), "7", 7.5), (_key(0x25), "8", 8.5),
    (_key(0x26), "9", 9.5), (_key(0x27), "0", 10.5), (_key(0x2D), "-", 11.5),
    (_key(0x2E), "=", 12.5), (_key(0x2A), "Backspace", 14.0), (_key(0x49), "Insert", 15.75),
    (_key(0x4A), "Home", 16.75), (_key(0x4B), "Page Up", 17.75), (_key(0x53), "Num Lock", 19.0),
    (_key(0x54), "Keypad /", 20.0), (_key(0x55), "Keypad *", 21.0),
    (_key(0x56), "Keypad -", 22.0),
    # Row 2
    (_key(0x2B), "Tab", 0.75), (_key(0x14), "Q", 2.0), (_key(0x1A), "W", 3.0),
    (_key(0x08), "E", 4.0), (_key(0x15), "R", 5.0), (_key(0x17), "T", 6.0),
    (_key(0x1C), "Y", 7.0), (_key(0x18), "U", 8.0), (_key(0x0C), "I", 9.0),
    (_key(0x12), "O", 10.0), (_key(0x13), "P", 11.0), (_key(0x2F), "[", 12.0),
    (_key(0x30), "]", 13.0), (_key(0x31), "\\", 14.25), (_key(0x4C), "Delete", 15.75),
    (_key(0x4D), "End", 16.75), (_key(0x4E), "Page Down", 17.75), (_key(0x5F), "Keypad 7", 19.0),
    (_key(0x60), "Keypad 8", 20.0), (_key(0x61), "Keypad 9", 21.0), (NO_KEY, None, None),
    # Row 3
    (_key(0x39), "Caps Lock", 0.875), (_key(0x04), "A", 2.25), (_key(0x16), "S", 3.25),
    (_key(0x07), "D", 4.25), (_key(0x09), "F", 5.25), (_key(0x0A), "G", 6.25),
    (_key(0x0B), "H", 7.25), (_key(0x0D), "J", 8.25), (_key(0x0E), "K", 9.25),
    (_key(0x0F), "L", 10.25), (_key(0x33), ";", 11.25), (_key(0x34), "'", 12.25),
    (_key(0x28), "Enter", 13.875), (_key(0x5C), "Keypad 4", 19.0), (_key(0x5D), "Keypad 5", 20.0),
    (_key(0x5E), "Keypad 6", 21.0), (_key(0x8A), "International 4", 15.75),
    (_key(0x8B), "International 5", 16.75), (_key(0x90), "Language 1", 17.75),
    (_key(0x91), "Language 2", 18.25), (_key(0x88), "International 2", 17.25),
    # Row 4
    (_modifier(0x02), "Left Shift", 1.125), (_key(0x1D), "Z", 2.75), (_key(0x1B), "X", 3.75),
    (_key(0x06), "C", 4.75), (_key(0x19), "V", 5.75), (_key(0x05), "B", 6.75),
    (_key(0x11), "N", 7.75), (_key(0x10), "M", 8.75), (_key(0x36), ",", 9.75),
    (_key(0x37), ".", 10.75), (_key(0x38), "/", 11.75), (_modifier(0x20), "Right Shift", 13.625),
    (_key(0x52), "Up", 16.75), (_key(0x59), "Keypad 1", 19.0), (_key(0x5A), "Keypad 2", 20.0),
    (_key(0x5B), "Keypad 3", 21.0), (_key(0x87), "International 1", 12.75),
    (_key(0x89), "International 3", 14.25), (_key(0x64), "Non-US \\", 1.75),
    (_key(0x85), "Keypad ,", 22.0), (_macro_key(6), "M6", -1.0),
    # Row 5
    (_modifier(0x01), "Left Ctrl", 0.625), (_modifier(0x08), "Left Win", 1.875),
    (_modifier(0x04), "Left Alt", 3.125), (_key(0x2C), "Space", 6.875),
    (_modifier(0x40), "Right Alt", 10.5), (_built_in(0x01), "FN", 12.5),
    (_key(0x65), "Application", 13.5), (_modifier(0x10), "Right Ctrl", 14.5),
    (_key(0x50), "Left", 15.75), (_key(0x51), "Down", 16.75), (_key(0x4F), "Right", 17.75),
    (_key(0x62), "Keypad 0", 19.5), (_key(0x63), "Keypad .", 21.0),
    (_key(0x58), "Keypad Enter", 22.0), (_key(0x57), "Keypad +", 22.0),
    (_macro_key(1), "M1", -1.0), (_macro_key(2), "M2", -1.0), (_macro_key(3), "M3", -1.0),
    (_macro_key(4), "M4", -1.0), (_macro_key(5), "M5", -1.0), (_modifier(0x80), "Right Win", 11.5),
]
COLUMNS = 21
assert len(KEYBOARD_KEYS) == 6 * COLUMNS


def packed(function):
    kind, p1, p2 = function
    return kind * 65536 + p1 * 256 + p2


# ---------------------------------------------------------------------------------------------
# Shared light records

LED_COUNT = {"keyboard": 126, "mouse": 6, "MousePad": 15, "HD": 13}

# "LEDREGMode" that lays no per-LED effect over the device's effect: the per-LED modes are 0-4.
NO_LED_EFFECT = 255


def light_info(mode, brightness, speed, direction, multicolour, rgb, custom_group=0):
    red, green, blue = rgb
    return {
        "SelectItem": mode,
        "Light": brightness,
        "Speed": speed,
        "Fx": direction,
        "MultiColor": multicolour,
        "Red": red,
        "Green": green,
        "Blue": blue,
        "CustomGroup": custom_group,
    }


def light_list(count):
    return [
        {
            "LEDREGMode": NO_LED_EFFECT,
            "LEDBrightness": 4,
            "LEDSpeed": 2,
            "LEDMultiColor": False,
            "LEDDirection": False,
            "red": 255,
            "green": 255,
            "blue": 255,
        }
        for _ in range(count)
    ]


def template(device):
    return {"profilename": "profile1", "profileUUID": "", "Device": [device]}


# ---------------------------------------------------------------------------------------------
# Keyboard custom light groups


def _colour(rgb):
    red, green, blue = (max(0, min(255, int(round(c)))) for c in rgb)
    return {"Red": red, "Green": green, "Blue": blue, "Alpha": 255}


def _key_places():
    xs = [x for _, _, x in KEYBOARD_KEYS if x is not None]
    low, high = min(xs), max(xs)
    for index, (_, _, x) in enumerate(KEYBOARD_KEYS):
        row = index // COLUMNS
        yield index, (None if x is None else (x - low) / (high - low)), row


def rainbow_group():
    """Hue runs from red at the left edge through the spectrum to violet at the right, tilted
    a little by row so that the bands lean like a sweep."""
    group = []
    for _, x, row in _key_places():
        if x is None:
            group.append(_colour((0, 0, 0)))
            continue
        hue = (x * 0.78 + row * 0.02) % 1.0
        red, green, blue = colorsys.hsv_to_rgb(hue, 1.0, 1.0)
        group.append(_colour((red * 255, green * 255, blue * 255)))
    return group


# W, A, S, D and the four arrow keys.
GAMING_KEYS = {44, 64, 65, 66, 96, 113, 114, 115}


def gaming_group():
    """Two tones: the movement keys glow hot orange-red, every other key cool blue."""
    group = []
    for index, x, _ in _key_places():
        if x is None:
            group.append(_colour((0, 0, 0)))
        elif index in GAMING_KEYS:
            group.append(_colour((255, 48, 0)))
        else:
            group.append(_colour((0, 96, 255)))
    return group


def warm_group():
    """Deep red at the bottom left rising to amber at the top right."""
    group = []
    for _, x, row in _key_places():
        if x is None:
            group.append(_colour((0, 0, 0)))
            continue
        t = 0.65 * x + 0.35 * (5 - row) / 5
        group.append(_colour((255, 16 + 184 * t, 0)))
    return group


def keyboard_template():
    functions = [packed(function) for function, _, _ in KEYBOARD_KEYS]
    return template(
        {
            "LightInfo": light_info(1, 4, 3, 0, 1, (0, 160, 255)),
            "LightList": light_list(LED_COUNT["keyboard"]),
            "KeyList": [{"Assignment": f, "DefaultAssignment": f} for f in functions],
            "SystemStages": {
                "Repeat": 31,
                "RepeatDelay": 1,
                "Key6Flag": 0,
                "PollingRate": 0,
                "WFlag": 0,
                "WinFlag": 0,
            },
            "CustomLightMode": {
                "CustomLightModeGroupIndex": 0,
                "LightColorInfo": [rainbow_group(), gaming_group(), warm_group()],
            },
        }
    )


# ---------------------------------------------------------------------------------------------
# Mouse

# Factory codes of the ten logical buttons, by logical button number.
MOUSE_BUTTONS = [
    (0x10, 0x01, 0x00),  # left
    (0x10, 0x02, 0x00),  # right
    (0x10, 0x04, 0x00),  # middle
    (0x10, 0x10, 0x00),  # fifth (forward)
    (0x10, 0x08, 0x00),  # fourth (back)
    (0x13, 0x01, 0x00),  # DPI up
    (0x13, 0x02, 0x00),  # DPI down
    (0x13, 0x03, 0x00),  # DPI cycle
    (0xA0, 0x1B, 0x00),  # game mode
    (0x16, 0x90, 0x01),  # the firmware's own function 0x16
]

DPI_STEP = 50  # DPI per stored unit, as the mouse reports it in its information record
DPI_STAGES = [
    (400, (255, 0, 0)),
    (800, (0, 255, 0)),
    (1600, (0, 0, 255)),
    (3200, (255, 255, 0)),
    (6400, (255, 0, 255)),
]


def mouse_template():
    stages = []
    for dpi, (red, green, blue) in DPI_STAGES:
        steps = dpi // DPI_STEP
        stages.append(
            {
                "StageActive": 1,
                "StageXY": 0,
                "StageDPIX": steps,
                "StageDPIY": steps,
                "StageColorR": red,
                "StageColorG": green,
                "StageColorB": blue,
            }
        )
    buttons = [packed(code) for code in MOUSE_BUTTONS]
    return template(
        {
            "LightInfo": light_info(0, 4, 3, 0, 1, (0, 160, 255)),
            "LightList": light_list(LED_COUNT["mouse"]),
            "KeyList": [{"Assignment": b, "DefaultAssignment": b} for b in buttons],
            "DPIStages": {"StageActive": 1, "StageDPIs": stages},
            "SystemStages": {
                "DoubleClickTime": 500,
                "MouseSpeed": 10,
                "PointerPrecision": 1,
                "ScorllPage": 0,
                "WheelScorlllinse": 3,
            },
            "ReportStages": {"StageActive": 0},
            "CorrectInfo": [
                {"CorrectName": "Off", "CorrectPixThresh": 0, "CorrectMinSq": 0, "CorrectSelect": 0}
            ],
        }
    )


# ---------------------------------------------------------------------------------------------
# Mouse pad and headset


def mouse_pad_template():
    return template(
        {
            "LightInfo": light_info(0, 4, 3, 0, 1, (0, 160, 255)),
            "LightList": light_list(LED_COUNT["MousePad"]),
        }
    )


# Band gains of the twelve equaliser presets, bands 1 to 10.
EQ_PRESETS = [
    [7, 11, 2, -3, -1, 4, 9, 12, 9, 5],
    [7, 11, 6, -3, -11, -1, 6, 13, 6, 13],
    [10, 4, 0, -3, -4, -3, -2, -1, 0, 0],
    [2, 1, -2, -3, -5, -7, 0, 4, 9, 8],
    [0, 0, 0, 0, 0, 0, 0, 0, 0, 0],
    [7, 14, -13, -6, -1, 8, 13, 7, 2, 6],
    [14, 10, 4, 0, -4, -3, -1, 1, 2, 3],
    [2, 1, -2, -3, -5, -1, 7, 11, 15, 13],
    [8, 2, -4, -8, 1, 3, 8, 11, 14, 16],
    [-3, 4, 10, 0, -11, 3, 9, 13, 6, 0],
    [18, 14, 8, 2, -3, -6, -1, 2, 5, 6],
    [2, 1, -2, -4, -8, 4, 12, 16, 18, 15],
]
FLAT_PRESET = 5


def bands(gains):
    return [{"value": gain} for gain in gains]


def headset_template():
    # Slot 0 is never used by the program; it holds flat bands so that every slot has one shape.
    slots = [bands([0] * 10)] + [bands(preset) for preset in EQ_PRESETS]
    return template(
        {
            "LightInfo": light_info(0, 4, 3, 0, 1, (0, 160, 255)),
            "LightList": light_list(LED_COUNT["HD"]),
            "SystemSetStages": {
                "MagicEnable": 0,
                "MagicType": 1,
                "EqType": FLAT_PRESET,
                "CustomEqSeletIndex": -1,
                "MicInSelect": 1,
                "MicInValue": 80,
                "MicMoniterSelect": 0,
                "MicMoniterValue": 50,
            },
            "EQHzValueInfo": slots,
            "CustomEQNameInfo": [],
            "CustomEQHzValueInfo": [],
        }
    )


# ---------------------------------------------------------------------------------------------
# Light effect names, by device class: keyboard 0, mouse 1, mouse pad 2, headset 3


def _reserved(mode):
    return ("Reserved %d" % mode, False)


KEYBOARD_MODES = [
    _reserved(0),
    ("Wave", True),
    ("Spectrum Cycle", True),
    ("Ripple", True),
    ("Rainbow Rings", True),
    ("Reactive Keys", True),
    ("Static", True),
    ("Reactive Line", True),
    ("Breathing", True),
    ("Pulse", True),
    _reserved(10),
    _reserved(11),
    ("Fast Pulse", True),
    ("Comet", True),
    ("Vertical Wave", True),
    ("Gradient Flow", True),
    ("Edge Ripple", True),
    _reserved(17),
    _reserved(18),
    ("Flash", True),
    ("Spotlight", True),
    ("Light Trace", True),
    ("Four-Colour Breathing", True),
    ("Four-Colour Flash", True),
    ("Off", True),
] + [_reserved(mode) for mode in range(25, 34)] + [
    ("Kaleidoscope", True),
    ("Centre Ripple", True),
    ("Light Show", True),
    ("Snake Wave", True),
    ("Custom", True),
    ("Twinkle", True),
]

MOUSE_EFFECTS = [
    ("Wave", True),
    ("Spectrum Cycle", True),
    ("Breathing", True),
    ("Static", True),
    ("Flash", True),
    ("Flow", True),
    ("Four-Colour Breathing", True),
    ("Four-Colour Flash", True),
    ("Off", True),
]

# The mouse pad and the headset share one light thread and so one mode list.
STRIP_MODES = [
    ("Wave", True),
    ("Spectrum Cycle", True),
    ("Breathing", True),
    ("Static", True),
    ("Flash", True),
    ("Effect Player", False),
    ("Fading Wave", True),
    ("Mirror Wave", True),
    ("Off", True),
]

AREA_NAMES = ["Whole Keyboard", "Whole Mouse", "Whole Mouse Pad", "Whole Headset"]


def default_light():
    classes = [KEYBOARD_MODES, MOUSE_EFFECTS, STRIP_MODES, STRIP_MODES]
    assert [len(c) for c in classes] == [40, 9, 9, 9]
    return {
        "DefaultLightName": [
            [{"LightName": name, "visible": visible} for name, visible in modes] for modes in classes
        ],
        "AreaLightName": [[{"LightName": name}] for name in AREA_NAMES],
    }


# ---------------------------------------------------------------------------------------------
# Shoot patterns: 30 bullets of (horizontal move, vertical move, delay after the bullet).
# A negative horizontal move goes left, a positive one right; a positive vertical move pulls
# the mouse down against the muzzle's climb, a negative one lets it up again.

BULLETS = 30
PRESS_AND_MOVE_MS = 15  # the 10 ms press and the 5 ms horizontal move of every bullet


def _gap(rounds_per_minute):
    return round(60000 / rounds_per_minute) - PRESS_AND_MOVE_MS


def assault_rifle():
    """600 rounds a minute; climbs hard and drifts right for ten rounds, then sways."""
    down = [6, 9, 12, 14, 15, 15, 14, 14, 13, 12, 11, 10, 10, 9, 9,
            9, 8, 8, 8, 8, 8, 8, 8, 8, 7, 7, 7, 7, 7, 7]
    side = [0, -1, -1, -2, -2, -3, -3, -2, -2, -1, 2, 3, 4, 3, 1,
            -2, -4, -5, -3, -1, 2, 4, 5, 3, 0, -3, -4, -3, -1, 1]
    return [(x, y, _gap(600)) for x, y in zip(side, down)]


def submachine_gun():
    """900 rounds a minute; small kicks with a jitter from side to side."""
    down = [3, 4, 5, 5, 6, 6, 5, 5, 5, 4, 4, 4, 4, 4, 4,
            3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3]
    side = [0, 1, -1, 1, 0, -1, 1, -1, 0, 1, -1, 0, 1, -1, 1,
            0, -1, 1, 0, -1, 1, -1, 0, 1, 0, -1, 1, 0, -1, 0]
    return [(x, y, _gap(900)) for x, y in zip(side, down)]


def heavy_rifle():
    """450 rounds a minute; a strong vertical climb with a slow drift left and back."""
    down = [14, 18, 21, 23, 24, 24, 24, 23, 23, 22, 22, 21, 21, 20, 20,
            20, 19, 19, 19, 18, 18, 18, 18, 17, 17, 17, 17, 17, 17, 17]
    side = [0, 0, 1, 1, 1, 2, 2, 2, 1, 1, 0, -1, -1, -2, -2,
            -1, 0, 1, 2, 2, 1, 0, -1, -2, -2, -1, 0, 1, 1, 0]
    return [(x, y, _gap(450)) for x, y in zip(side, down)]


def burst_rifle():
    """Three-round bursts at 800 rounds a minute with a 220 ms pause after each burst; every
    burst climbs the same way, and the bursts lean left and right in turn."""
    pattern = []
    for burst in range(BULLETS // 3):
        lean = -1 if burst % 2 == 0 else 1
        pattern.append((0, 7, _gap(800)))
        pattern.append((lean, 10, _gap(800)))
        pattern.append((2 * lean, 12, _gap(800) + 220))
    return pattern


GUNS = [assault_rifle, submachine_gun, heavy_rifle, burst_rifle]


def _event(action, button, delay, kind):
    return {"Action": action, "Button": button, "Delay": delay, "Type": kind}


def bullet_step(x, y, delay):
    horizontal = "down" if x < 0 else "up"  # "down" moves left
    vertical = "down" if y < 0 else "up"  # "down" moves up
    return [
        _event("down", 1, 10, 1),
        _event("up", 1, 0, 1),
        _event(horizontal, abs(x), 5, 4),
        _event(vertical, abs(y), delay, 5),
        _event(horizontal, 0, 0, 4),
        _event(vertical, 0, 0, 5),
    ]


def shoot_file(gun):
    bullets = gun()
    assert len(bullets) == BULLETS
    events = []
    for x, y, delay in bullets:
        assert abs(x) <= 255 and abs(y) <= 255 and 0 <= delay <= 65535
        events.extend(bullet_step(x, y, delay))
    return {"Events": events}


# ---------------------------------------------------------------------------------------------
# Language list: position 0 is the default language.

LANGUAGES = [
    {"Language_text": "English", "Language_name": "en_US", "Language_file": "lan_en.xml",
     "Language_ID": 1033},
    {"Language_text": "简体中文", "Language_name": "zh_CN", "Language_file": "lan_cn.xml",
     "Language_ID": 2052},
    {"Language_text": "Deutsch", "Language_name": "de_DE", "Language_file": "lan_de.xml",
     "Language_ID": 1031},
]


# ---------------------------------------------------------------------------------------------


def files():
    yield "keyboard.Json", keyboard_template()
    yield "mouse.Json", mouse_template()
    yield "MousePad.Json", mouse_pad_template()
    yield "HD.Json", headset_template()
    yield "default_light.json", default_light()
    for number, gun in enumerate(GUNS):
        yield "ShootData_%d.Shoot" % number, shoot_file(gun)
    yield "Language.config", {"Language": LANGUAGES}


def main(argv):
    check = argv[1:] == ["--check"]
    if argv[1:] and not check:
        print(__doc__)
        return 2
    stale = []
    for name, value in files():
        text = styled(value).encode("utf-8")
        path = DATA_DIR / name
        if check:
            if not path.exists() or path.read_bytes() != text:
                stale.append(name)
        else:
            path.write_bytes(text)
    for name in stale:
        print("out of date: %s" % name)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
