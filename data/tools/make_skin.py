#!/usr/bin/env python3
"""Writes the device pages of the skin, the pictures they show, the window backgrounds, the
device list icons and the power indicator's pictures.

    make_skin.py            write every file
    make_skin.py --check    exit 1 when a shipped file differs from what this writes

Each device page (data/skin/devices/*.ui) is a Qt Designer file: the profile bar with the
function tabs, the picture of the device (a CSelectPanelUI drawing an SVG body, with one
CDeviceKeyButtonUI per key "key_<n>" and per LED "light_<n>"), and the stacks of panels the
function tabs switch between. The keyboard's 126 buttons follow the 6 x 21 key matrix
(KeyIndex = row * 21 + column, src/devices/keyboard/KeyIndex.h); the table below places each
matrix cell on the picture. Matrix cells the keyboard has no key for are hidden buttons.
"""

import math
import pathlib
import struct
import sys
import zlib
from xml.sax.saxutils import escape, quoteattr

SKIN_DIR = pathlib.Path(__file__).resolve().parent.parent / "skin"

# ---------------------------------------------------------------------------------------------
# .ui writing


def prop(name, value, stdset=True):
    """One <property>; value is bool, int, str, or a tuple (kind, payload) for rect/size/set/enum."""
    extra = "" if stdset else ' stdset="0"'
    if isinstance(value, bool):
        body = "<bool>%s</bool>" % ("true" if value else "false")
    elif isinstance(value, int):
        body = "<number>%d</number>" % value
    elif isinstance(value, str):
        body = "<string>%s</string>" % escape(value)
    elif value[0] == "rect":
        x, y, w, h = value[1]
        body = "<rect><x>%d</x><y>%d</y><width>%d</width><height>%d</height></rect>" % (x, y, w, h)
    elif value[0] == "size":
        body = "<size><width>%d</width><height>%d</height></size>" % value[1]
    else:
        body = "<%s>%s</%s>" % (value[0], value[1], value[0])
    return '<property name="%s"%s>%s</property>' % (name, extra, body)


class Widget:
    """A widget element with properties, children placed by geometry or by a layout."""

    def __init__(self, cls, name, props=(), layout=None, children=(), spacing=None, margins=None):
        self.cls, self.name, self.props = cls, name, list(props)
        self.layout, self.children = layout, list(children)
        self.spacing, self.margins = spacing, margins

    def lines(self, indent):
        pad = " " * indent
        out = ["%s<widget class=%s name=%s>" % (pad, quoteattr(self.cls), quoteattr(self.name))]
        out += [pad + " " + p for p in self.props]
        if self.layout:
            out.append('%s <layout class="%s" name="%s_layout">' % (pad, self.layout, self.name))
            if self.spacing is not None:
                out.append(pad + "  " + prop("spacing", self.spacing))
            if self.margins is not None:
                for side, value in zip(("left", "top", "right", "bottom"), self.margins):
                    out.append(pad + "  " + prop(side + "Margin", value))
            for child in self.children:
                # A grid layout's children are (row, column, widget).
                if isinstance(child, tuple):
                    row, column, child = child
                    out.append(pad + '  <item row="%d" column="%d">' % (row, column))
                else:
                    out.append(pad + "  <item>")
                out += child.lines(indent + 3)
                out.append(pad + "  </item>")
            out.append(pad + " </layout>")
        else:
            for child in self.children:
                out += child.lines(indent + 1)
        out.append(pad + "</widget>")
        return out


class Spacer:
    def __init__(self, name, vertical=False):
        self.name, self.vertical = name, vertical

    def lines(self, indent):
        orientation = "Qt::Vertical" if self.vertical else "Qt::Horizontal"
        return ["%s<spacer name=%s>%s</spacer>" % (" " * indent, quoteattr(self.name), prop("orientation", ("enum", orientation)))]


def ui_file(root, comment):
    text = ['<?xml version="1.0" encoding="UTF-8"?>', "<!-- %s Written by data/tools/make_skin.py. -->" % comment,
            '<ui version="4.0">']
    text += root.lines(1)
    text.append("</ui>")
    return "\n".join(text) + "\n"


def text_key(key):
    """Properties of a control showing the translation of a text key."""
    return [prop("text", key), prop("resourcetext", True, stdset=False)]


# The sizes of a widget do not widen its window: its layout gives it what room there is.
IGNORED_WIDTH = ('<property name="sizePolicy"><sizepolicy hsizetype="Ignored" vsizetype="Preferred">'
                 "<horstretch>0</horstretch><verstretch>0</verstretch></sizepolicy></property>")


def fixed(width, height):
    return [prop("minimumSize", ("size", (width, height))), prop("maximumSize", ("size", (width, height)))]


# ---------------------------------------------------------------------------------------------
# SVG writing


def svg_file(width, height, body):
    return ("<svg xmlns='http://www.w3.org/2000/svg' width='%d' height='%d' viewBox='0 0 %d %d'>\n%s</svg>\n"
            % (width, height, width, height, "".join("  %s\n" % line for line in body)))


def glow_svg(name, width, height, radius):
    """A white light shape that the key buttons tint: bright core, soft edge."""
    return svg_file(width, height, [
        "<defs><radialGradient id='%s' cx='50%%' cy='50%%' r='60%%'>" % name,
        "<stop offset='0' stop-color='white' stop-opacity='1'/>",
        "<stop offset='0.7' stop-color='white' stop-opacity='0.9'/>",
        "<stop offset='1' stop-color='white' stop-opacity='0.55'/></radialGradient></defs>",
        "<rect x='1' y='1' width='%d' height='%d' rx='%d' fill='url(#%s)'/>" % (width - 2, height - 2, radius, name),
    ])


# ---------------------------------------------------------------------------------------------
# Page frame shared by every device: profile bar with the function tabs, then the function stacks.

FUNCTION_TABS = [
    ("deng_Op_tab", "light_tab_text"),
    ("key_Op_tab", "key_tab_text"),
    ("macro_Op_tab", "macro_tab_text"),
    ("system_Op_tab", "system_tab_text"),
    ("cursor_Op_tab", "cursor_tab_text"),
    ("6533_voice_Op_tab", "voice_tab_text"),
    ("magic_Op_tab", "magic_tab_text"),
    ("Virtual7.1_Op_tab", "virtual_tab_text"),
]

PROFILE_BUTTONS = [
    ("device_add_btn", "+", "profile_add_tip"),
    ("device_sub_btn", "−", "profile_delete_tip"),
    ("device_copy_btn", "❐", "profile_copy_tip"),
    ("device_import_btn", "⇩", "profile_import_tip"),
    ("device_export_btn", "⇧", "profile_export_tip"),
    ("device_reset_btn", "↺", "profile_reset_tip"),
]

# Tabs a page shows unless the profile bar's table for its kind says otherwise: the headset's
# three are hidden on every other page.
HEADSET_TABS = ("6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab")


def tip_key(key):
    """A control without a text of its own: its tooltip and accessible name are this key's text."""
    return prop("tipkey", key, stdset=False)


def profile_bar():
    """The profile bar's content (controls/DeviceProfile.ui): the profile choice, the fold-out
    menu with the profile operations, and the row of function tabs."""
    menu = Widget("QWidget", "profile_menu_layout", [prop("visible", False)], "QHBoxLayout",
                  [Widget("QLineEdit", "device_profile_name_edit", fixed(130, 26) + [tip_key("profile_name_tip")]),
                   Widget("QPushButton", "device_profile_edit_save_btn", text_key("profile_rename_text"))]
                  + [Widget("QPushButton", name, [prop("text", symbol), tip_key(tip)] + fixed(28, 26))
                     for name, symbol, tip in PROFILE_BUTTONS],
                  spacing=4, margins=(0, 0, 0, 0))
    tabs = [Widget("QPushButton", name, text_key(key) + [prop("checkable", True), prop("autoExclusive", True),
                                                          prop("skinrole", "tab", stdset=False)]
                   + ([prop("visible", False)] if name in HEADSET_TABS else []))
            for name, key in FUNCTION_TABS]
    profiles = Widget("QWidget", "profile_row", [], "QHBoxLayout",
                      [Widget("QComboBox", "device_profile_combo", fixed(170, 26) + [tip_key("profile_combo_tip")]),
                       Widget("QPushButton", "profile_fun_spread_btn",
                              [prop("text", "≡"), tip_key("profile_menu_tip")] + fixed(28, 26)),
                       menu, Spacer("profile_spacer")],
                      spacing=4, margins=(0, 0, 0, 0))
    tab_row = Widget("QWidget", "profile_tab_row", [IGNORED_WIDTH], "QHBoxLayout", tabs + [Spacer("profile_tab_spacer")],
                     spacing=2, margins=(0, 0, 0, 0))
    return Widget("QWidget", "device_profile", [], "QVBoxLayout", [profiles, tab_row], spacing=4, margins=(8, 6, 8, 0))


# ---------------------------------------------------------------------------------------------
# Light panel (controls/LightControl.ui), shared by every kind: the effect with its custom key
# colour groups, the levels and direction, and the colour. Which parts a mode uses is the
# panel's to enable and show.

COLOUR_OPTIONS = [("#ff0000", "colour_red_tip"), ("#ff8000", "colour_orange_tip"), ("#ffff00", "colour_yellow_tip"),
                  ("#00ff00", "colour_green_tip"), ("#00ffff", "colour_cyan_tip"), ("#0000ff", "colour_blue_tip"),
                  ("#8000ff", "colour_purple_tip"), ("#ffffff", "colour_white_tip")]


def label(name, key):
    return Widget("QLabel", name, text_key(key))


def group(name, layout, children, props=(), spacing=6, margins=(0, 0, 0, 0)):
    return Widget("QWidget", name, list(props), layout, children, spacing=spacing, margins=margins)


def slider_row(name, key):
    slider = Widget("QSlider", name, [prop("orientation", ("enum", "Qt::Horizontal")), prop("minimum", 0),
                                      prop("maximum", 4), prop("pageStep", 1), prop("tickPosition",
                                                                                    ("enum", "QSlider::TicksBelow")),
                                      prop("tickInterval", 1), tip_key(key)])
    return group(name + "_row", "QHBoxLayout", [Widget("QLabel", name + "_label", text_key(key) + fixed(84, 22)), slider])


def direction_group(name, options):
    return group(name, "QHBoxLayout",
                 [Widget("QRadioButton", option, text_key(key)) for option, key in options] + [Spacer(name + "_end")])


def column(width):
    return [prop("minimumSize", ("size", (width, 0))), prop("maximumSize", ("size", (width, 16777215)))]


def light_panel():
    effect = group("lighteffect_layout", "QVBoxLayout", [
        label("light_mode_label", "light_mode_text"),
        Widget("QComboBox", "light_combo_modeSelect", [tip_key("light_mode_text"), prop("maxVisibleItems", 16)]),
        group("light_combo_custommodeSelectLayout", "QVBoxLayout", [
            label("light_custom_group_label", "light_custom_group_text"),
            Widget("QComboBox", "light_combo_custommodeSelect", [tip_key("light_custom_group_text")]),
        ], [prop("visible", False)], spacing=4),
        group("lightcustom_layout", "QVBoxLayout", [
            label("light_custom_hint", "light_custom_hint_text"),
            group("light_custom_buttons", "QHBoxLayout", [
                Widget("QPushButton", "custom_bright_color_btn", text_key("custom_bright_text")),
                Widget("QPushButton", "custom_off_color_btn", text_key("custom_off_text")),
            ]),
        ], [prop("visible", False)], spacing=4),
        Spacer("light_effect_end", vertical=True),
        Widget("QPushButton", "deng_same_mode", text_key("same_mode_text") + [prop("visible", False)]),
    ], [prop("skinrole", "card", stdset=False)] + column(200), spacing=6, margins=(10, 8, 10, 8))
    levels = group("light_levels_layout", "QVBoxLayout", [
        slider_row("deng_light_slider", "light_brightness_text"),
        slider_row("deng_speed_slider", "light_speed_text"),
        label("light_direction_label", "light_direction_text"),
        direction_group("deng_fx_layout", [("deng_FXL_check", "direction_left_text"),
                                           ("deng_FXR_check", "direction_right_text")]),
        direction_group("deng_fx_updown_layout", [("deng_FXUP_check", "direction_up_text"),
                                                  ("deng_FXDOWN_check", "direction_down_text")]),
        direction_group("deng_fx_inout_layout", [("deng_FXIN_check", "direction_in_text"),
                                                 ("deng_FXOUT_check", "direction_out_text")]),
        Widget("QCheckBox", "deng_7color_check", text_key("light_random_text")),
        Spacer("light_levels_end", vertical=True),
    ], [prop("skinrole", "card", stdset=False)] + column(250), spacing=6, margins=(10, 8, 10, 8))
    edits = []
    for channel, key in (("R", "colour_red_value_tip"), ("G", "colour_green_value_tip"), ("B", "colour_blue_value_tip")):
        edits.append(Widget("QLabel", "deng_label_" + channel, [prop("text", channel)]))
        edits.append(Widget("QLineEdit", "deng_edit_" + channel, fixed(44, 24) + [tip_key(key), prop("maxLength", 3)]))
    options = [Widget("QPushButton", "color_option_%d" % n,
                      fixed(22, 22) + [tip_key(key), prop("bkcolor", colour, stdset=False),
                                       prop("skinrole", "swatch", stdset=False),
                                       prop("styleSheet", "background: %s;" % colour)])
               for n, (colour, key) in enumerate(COLOUR_OPTIONS)]
    colour = group("light_colour_card", "QVBoxLayout", [
        label("light_colour_label", "light_colour_text"),
        group("colorpallet_layout", "QHBoxLayout", [
            Widget("CColorPaletteUI", "deng_Color_Pallet", [prop("minimumSize", ("size", (180, 96))),
                                                            tip_key("light_palette_tip")]),
            Widget("QPushButton", "deng_colordp_btn", fixed(36, 96) + [tip_key("light_colour_shown_tip"),
                                                                      prop("skinrole", "swatch", stdset=False)]),
        ]),
        group("deng_rgb_layout", "QHBoxLayout", edits + [Spacer("deng_rgb_end")], spacing=4),
        group("deng_color_layout", "QHBoxLayout", options + [Spacer("deng_color_end")], spacing=4),
        Spacer("light_colour_end", vertical=True),
    ], [prop("skinrole", "card", stdset=False)], spacing=6, margins=(10, 8, 10, 8))
    return Widget("QWidget", "light_control", [], "QHBoxLayout", [effect, levels, colour],
                  spacing=8, margins=(8, 6, 8, 8))


# ---------------------------------------------------------------------------------------------
# Key assignment panel (controls/KeySetControl.ui), shared by the keyboard and the mouse: the
# function list, one page per function ("function_switch_tablayout", page n = the list item
# whose user data is n) and the buttons. The panel fills the lists with the names of what
# they offer; a page's edits take decimal numbers.

KEYSET_PAGES = ["keyset_page_default_text", "keyset_page_mouse_text", "keyset_page_swing_text",
                "keyset_page_wheel_text", "keyset_page_dpi_text", "keyset_page_fire_text", "keyset_page_key_text",
                "keyset_page_media_text", "keyset_page_system_text", "keyset_page_macro_text",
                "keyset_page_gun_text", "keyset_page_combo_text"]

MODIFIER_OPTIONS = ["keyset_modifier_none_text", "keyset_modifier_ctrl_text", "keyset_modifier_shift_text",
                    "keyset_modifier_alt_text", "keyset_modifier_win_text"]


def notice(name):
    """A line that tells the user what became of a change the device did not take; hidden until then."""
    return Widget("QLabel", name, [prop("visible", False), prop("wordWrap", True),
                                   prop("skinrole", "notice", stdset=False)])


def number_edit(name, key, width=56, length=3):
    return Widget("QLineEdit", name, fixed(width, 24) + [tip_key(key), prop("maxLength", length)])


def labelled(name, key, control):
    """A label with the control it names, in a row."""
    return group(name, "QHBoxLayout", [Widget("QLabel", name + "_label", text_key(key)), control], spacing=4)


def list_row(name, combo, key):
    return labelled(name, key, Widget("QComboBox", combo, [tip_key(key), prop("minimumWidth", 220),
                                                           prop("maxVisibleItems", 12)]))


def keyset_page(number, children):
    return group("keyset_page_%d" % number, "QVBoxLayout", children + [Spacer("keyset_page_%d_end" % number,
                                                                              vertical=True)], spacing=6)


def repeat_edits(prefix):
    """The count, delay and speed edits of the swing and wheel pages."""
    return group(prefix + "_edits", "QHBoxLayout", [
        labelled(prefix + "_num", "keyset_count_text", number_edit("keyset_%s_num_edit" % prefix, "keyset_count_text")),
        labelled(prefix + "_delay", "keyset_delay_text",
                 number_edit("keyset_%s_delay_edit" % prefix, "keyset_delay_tip")),
        labelled(prefix + "_speed", "keyset_speed_text",
                 number_edit("keyset_%s_speed_edit" % prefix, "keyset_speed_tip")),
        Spacer(prefix + "_edits_end"),
    ], spacing=12)


def key_set_panel():
    pages = [
        keyset_page(0, [label("keyset_default_label", "keyset_default_hint_text")]),
        keyset_page(1, [list_row("keyset_mousekey_row", "keyset_mousekey_combo", "keyset_mouse_button_text")]),
        keyset_page(2, [list_row("keyset_mouseswing_row", "keyset_mouseswing_combo", "keyset_direction_text"),
                        repeat_edits("mouseswing")]),
        keyset_page(3, [list_row("keyset_mousewheel_row", "keyset_mousewheel_combo", "keyset_direction_text"),
                        repeat_edits("mousewheel")]),
        keyset_page(4, [list_row("keyset_mousedpi_row", "keyset_mousedpi_combo", "keyset_page_dpi_text")]),
        keyset_page(5, [group("keyset_fire_edits", "QHBoxLayout", [
            labelled("keyset_fire_interval", "keyset_interval_text",
                     number_edit("keyset_mousefire_interval_edit", "keyset_interval_tip")),
            labelled("keyset_fire_num", "keyset_count_text",
                     number_edit("keyset_mousefire_num_edit", "keyset_fire_count_tip")),
            Spacer("keyset_fire_end")], spacing=12)]),
        keyset_page(6, [
            group("keyset_modifier_layout", "QHBoxLayout",
                  [Widget("QLabel", "keyset_modifier_label", text_key("keyset_modifier_text"))]
                  + [Widget("QRadioButton", "key_ComBox_check_%d" % n, text_key(key))
                     for n, key in enumerate(MODIFIER_OPTIONS)] + [Spacer("keyset_modifier_end")], spacing=10),
            labelled("keyset_keyboard_row", "keyset_key_text",
                     Widget("QLineEdit", "keyset_keyboard_text_edit",
                            fixed(200, 26) + [tip_key("keyset_capture_tip"), prop("readOnly", True),
                                              prop("placeholderText", "…")])),
            label("keyset_capture_hint", "keyset_capture_hint_text"),
        ]),
        keyset_page(7, [list_row("keyset_media_row", "keyset_media_combo", "keyset_page_media_text")]),
        keyset_page(8, [list_row("keyset_system_row", "keyset_system_combo", "keyset_page_system_text")]),
        keyset_page(9, [
            list_row("keyset_macro_row", "keyset_macro_combo", "keyset_macro_text"),
            list_row("keyset_macro_over_row", "keyset_macro_over_combo", "keyset_macro_repeat_text"),
            group("keyset_macro_cycle_layout", "QHBoxLayout", [
                Widget("QLabel", "keyset_macro_cycle_label", text_key("keyset_macro_cycle_text")),
                number_edit("keyset_macro_cycle_edit", "keyset_macro_cycle_text"),
                Spacer("keyset_macro_cycle_end")], [prop("visible", False)], spacing=4),
        ]),
        keyset_page(10, [list_row("keyset_gunkey_row", "keyset_gunkey_combo", "keyset_page_gun_text")]),
        keyset_page(11, [list_row("keyset_combokey_row", "keyset_combokey_combo", "keyset_page_combo_text")]),
    ]
    buttons = group("keyset_buttons", "QHBoxLayout", [
        Spacer("keyset_buttons_start"),
        Widget("QPushButton", "key_butt_keydefalut", text_key("keyset_default_text")),
        Widget("QPushButton", "key_butt_keycancel", text_key("keyset_cancel_text") + [prop("enabled", False)]),
        Widget("QPushButton", "key_butt_keysave", text_key("keyset_apply_text") + [prop("enabled", False)]),
        Widget("QPushButton", "key_butt_prosave", text_key("keyset_save_text") + [prop("enabled", False)]),
    ], spacing=6)
    layout = group("keyset_layout", "QVBoxLayout", [
        group("keyset_function_row", "QHBoxLayout", [
            Widget("QLabel", "keyset_key_name", [prop("minimumWidth", 160)]),
            Widget("QLabel", "keyset_function_label", text_key("keyset_function_text")),
            Widget("QComboBox", "keyset_function_combo", [tip_key("keyset_function_text"), prop("minimumWidth", 200),
                                                          prop("maxVisibleItems", 12)]),
            Spacer("keyset_function_end")], spacing=8),
        Widget("QStackedWidget", "function_switch_tablayout", [], None, pages),
        buttons,
    ], [prop("visible", False), prop("skinrole", "card", stdset=False)], spacing=8, margins=(10, 8, 10, 8))
    hint = label("keyset_hint", "keyset_hint_text")
    return Widget("QWidget", "key_set_control", [], "QVBoxLayout",
                  [hint, layout, notice("keyset_device_notice"), Spacer("keyset_end", vertical=True)],
                  spacing=6, margins=(8, 6, 8, 8))


# ---------------------------------------------------------------------------------------------
# Keyboard system panel (controls/KeyboardSystem.ui): the polling rate, the keyboard's three
# flags, the key repeat rate and delay with a box to try them, and the desktop's own keyboard
# settings.

POLLING_RATES = ["125 Hz", "250 Hz", "500 Hz", "1000 Hz"]
MOUSE_POLLING_RATES = ["125 Hz", "250 Hz", "500 Hz", "1000 Hz", "2000 Hz"]


def option_row(name, prefix, texts, title_key):
    return group(name, "QHBoxLayout", [Widget("QLabel", name + "_label", text_key(title_key) + fixed(120, 22))]
                 + [Widget("QRadioButton", "%s%d" % (prefix, n), [prop("text", text), prop("accessibleName", text)])
                    for n, text in enumerate(texts)]
                 + [Spacer(name + "_end")], spacing=12)


def card(name, children, layout="QVBoxLayout"):
    return group(name, layout, children, [prop("skinrole", "card", stdset=False)], spacing=8, margins=(10, 8, 10, 8))


def keyboard_system_panel():
    device = card("keyboard_device_card", [
        label("keyboard_device_title", "keyboard_device_settings_text"),
        option_row("polling_rate_layout", "polling_rate_option_", POLLING_RATES, "polling_rate_text"),
        Widget("QCheckBox", "winlockflag_option", text_key("winlock_text")),
        Widget("QCheckBox", "wflag_option", text_key("wflag_text")),
        Widget("QCheckBox", "6flag_option", text_key("key6flag_text")),
        notice("system_device_notice"),
        Spacer("keyboard_device_end", vertical=True),
    ])
    delays = group("repeat_delay_layout", "QHBoxLayout",
                   [Widget("QLabel", "repeat_delay_label", text_key("repeat_delay_text") + fixed(120, 22))]
                   + [Widget("QRadioButton", "repeat_delay_check_%d" % n, text_key("repeat_delay_%d_text" % n))
                      for n in range(4)] + [Spacer("repeat_delay_end")], spacing=12)
    repeat = card("keyboard_repeat_card", [
        label("keyboard_repeat_title", "keyboard_repeat_settings_text"),
        group("repeat_rate_layout", "QHBoxLayout", [
            Widget("QLabel", "repeat_rate_label", text_key("repeat_rate_text") + fixed(120, 22)),
            Widget("QLabel", "repeat_rate_slow", text_key("repeat_slow_text")),
            Widget("QSlider", "repeat_rate_slider", [prop("orientation", ("enum", "Qt::Horizontal")),
                                                     prop("minimum", 0), prop("maximum", 31), prop("pageStep", 4),
                                                     tip_key("repeat_rate_text")]),
            Widget("QLabel", "repeat_rate_fast", text_key("repeat_fast_text"))], spacing=8),
        delays,
        Widget("QLabel", "repeat_delay_time_label1", []),
        group("repeat_test_layout", "QHBoxLayout", [
            Widget("QTextEdit", "repeat_input_richedit", [prop("maximumSize", ("size", (16777215, 60))),
                                                          prop("acceptRichText", False),
                                                          tip_key("Repeat_input_text")]),
            Widget("QPushButton", "reset_repeat_btn", text_key("repeat_reset_text"))], spacing=8),
        group("keyboard_desktop_layout", "QHBoxLayout", [
            Spacer("keyboard_desktop_start"),
            Widget("QPushButton", "windowdeviceset_1", text_key("desktop_keyboard_settings_text")
                   + [prop("visible", False)])], spacing=0),
    ])
    return Widget("QWidget", "keyboard_system", [], "QVBoxLayout", [device, repeat, Spacer("keyboard_system_end", vertical=True)],
                  spacing=8, margins=(8, 6, 8, 8))


# ---------------------------------------------------------------------------------------------
# Mouse DPI panel (controls/MouseDpi.ui): five stage rows ("DPI_layout_" n with its check,
# slider and DPI edit) and the polling rate. The slider of the stage in use is marked
# "stageCurrent".

def dpi_row(n):
    return group("DPI_layout_%d" % n, "QHBoxLayout", [
        Widget("QCheckBox", "DPI_enable_check_%d" % n, text_key("dpi_stage_%d_text" % n) + fixed(80, 22)),
        Widget("QSlider", "DPI_slider_%d" % n, [prop("orientation", ("enum", "Qt::Horizontal")), prop("minimum", 0),
                                                prop("maximum", 320), prop("pageStep", 4),
                                                tip_key("dpi_slider_%d_tip" % n),
                                                prop("stageCurrent", False, stdset=False)]),
        number_edit("DPI_edit_%d" % n, "dpi_edit_%d_tip" % n, width=64, length=5),
        Widget("QLabel", "DPI_unit_%d" % n, [prop("text", "DPI")]),
    ], spacing=10)


def mouse_dpi_panel():
    stages = card("mouse_dpi_card", [label("mouse_dpi_title", "dpi_stages_text")]
                  + [dpi_row(n) for n in range(5)] + [label("mouse_dpi_hint", "dpi_stages_hint_text"),
                                                      notice("dpi_device_notice"),
                                                      Spacer("mouse_dpi_end", vertical=True)])
    polling = card("mouse_polling_card", [
        label("mouse_polling_title", "polling_rate_text"),
        group("mouse_polling_layout", "QVBoxLayout",
              [Widget("QRadioButton", "polling_rate_option_%d" % n, [prop("text", text), prop("accessibleName", text)])
               for n, text in enumerate(MOUSE_POLLING_RATES)], spacing=6),
        Spacer("mouse_polling_end", vertical=True),
    ])
    return Widget("QWidget", "mouse_dpi", [], "QHBoxLayout", [stages, polling], spacing=8, margins=(8, 6, 8, 8))


# ---------------------------------------------------------------------------------------------
# Mouse pointer panel (controls/MousePointer.ui): pointer speed and precision, double-click
# time, scroll lines or a page at a time (kept in the profile), and the desktop's own mouse
# settings.

def slider_with_ends(name, key, minimum, maximum, page_step, slow_key, fast_key):
    return group(name + "_layout", "QHBoxLayout", [
        Widget("QLabel", name + "_label", text_key(key) + fixed(150, 22)),
        Widget("QLabel", name + "_low", text_key(slow_key)),
        Widget("QSlider", name, [prop("orientation", ("enum", "Qt::Horizontal")), prop("minimum", minimum),
                                 prop("maximum", maximum), prop("pageStep", page_step), tip_key(key)]),
        Widget("QLabel", name + "_high", text_key(fast_key))], spacing=8)


def mouse_pointer_panel():
    pointer = card("mouse_pointer_card", [
        label("mouse_pointer_title", "pointer_settings_text"),
        slider_with_ends("pointer_speed_slider", "pointer_speed_text", 1, 20, 2, "slow_text", "fast_text"),
        Widget("QCheckBox", "pointer_precision_check", text_key("pointer_precision_text")),
        slider_with_ends("double_click_slider", "double_click_text", 200, 900, 100, "slow_text", "fast_text"),
        slider_with_ends("scroll_speed_slider", "scroll_lines_text", 1, 20, 2, "few_text", "many_text"),
        Widget("QCheckBox", "scrolls_page_check", text_key("scroll_page_text")),
        label("mouse_pointer_hint", "pointer_saved_hint_text"),
        group("mouse_desktop_layout", "QHBoxLayout", [
            Spacer("mouse_desktop_start"),
            Widget("QPushButton", "windowdeviceset_0", text_key("desktop_mouse_settings_text")
                   + [prop("visible", False)])], spacing=0),
        Spacer("mouse_pointer_end", vertical=True),
    ])
    return Widget("QWidget", "mouse_pointer", [], "QHBoxLayout", [pointer], spacing=8, margins=(8, 6, 8, 8))
# Macro panel (controls/MacroControl.ui), on the keyboard and mouse pages: the macro list, and
# the selected macro's actions with recording, moves, deletes, inserted mouse moves and delays.

MACRO_EDIT_BUTTONS = [("macro_btn_uptop", "macro_to_top_text"), ("macro_btn_up", "macro_move_up_text"),
                      ("macro_btn_down", "macro_move_down_text"), ("macro_btn_downbottom", "macro_to_bottom_text"),
                      ("macro_btn_delete", "macro_delete_action_text"),
                      ("macro_btn_deleteall", "macro_delete_all_text")]

MACRO_MOVES = [("macro_inset_moveleftkey_btn", "mouse_move_to_left_text", "mouse_x_left_edit"),
               ("macro_inset_moverightkey_btn", "mouse_move_to_right_text", "mouse_x_right_edit"),
               ("macro_inset_moveupkey_btn", "mouse_move_to_up_text", "mouse_y_up_edit"),
               ("macro_inset_movedownkey_btn", "mouse_move_to_down_text", "mouse_y_down_edit")]


def button(name, key, props=()):
    return Widget("QPushButton", name, text_key(key) + list(props))


def editor_card(name, layout, children, props=(), spacing=6):
    return group(name, layout, children, [prop("skinrole", "card", stdset=False)] + list(props), spacing=spacing,
                 margins=(10, 8, 10, 8))


def digits_edit(name, tip, width, text, digits):
    return Widget("QLineEdit", name, fixed(width, 26) + [tip_key(tip), prop("text", text), prop("maxLength", digits)])


def macro_panel():
    names = editor_card("macro_name_tab", "QVBoxLayout", [
        Widget("QLabel", "macro_list_title", text_key("macro_list_title_text") + [prop("skinrole", "heading", stdset=False)]),
        Widget("QListWidget", "macro_name_list", [tip_key("macro_list_title_text")]),
        group("macro_list_buttons", "QHBoxLayout", [button("macro_btn_name_add", "macro_add_text"),
                                                    button("macro_btn_name_sub", "macro_delete_text")]),
        group("macro_rename_row", "QHBoxLayout", [
            Widget("QLineEdit", "macro_edit_macroname", [tip_key("macro_name_edit_text"), prop("maxLength", 64)]),
            button("macro_btn_name_edit", "macro_rename_text")]),
        group("macro_file_buttons", "QHBoxLayout", [button("macro_btn_import", "macro_import_text"),
                                                    button("macro_btn_export", "macro_export_text")]),
    ], [prop("minimumSize", ("size", (210, 0))), prop("maximumSize", ("size", (210, 16777215)))])
    record = group("macro_record_bar", "QHBoxLayout", [
        Widget("CRedioMacroButtonUI", "macro_btn_starredio", text_key("macro_record_text")
               + [prop("skinrole", "record", stdset=False)]),
        Widget("CRedioMacroButtonUI", "macro_btn_stopredio", text_key("macro_stop_text")
               + [prop("visible", False), prop("skinrole", "recording", stdset=False),
                  prop("redioimage", "file='common/record_dot.svg' dest='10,8,22,20'")]),
        Widget("QCheckBox", "macro_check_time", text_key("macro_constant_delay_text")),
        digits_edit("macro_fixed_time_edit", "macro_fixed_time_text", 64, "50", 6),
        Widget("QLabel", "macro_ms_label", text_key("macro_ms_text")),
        Spacer("macro_record_bar_end"),
    ], spacing=8)
    source = Widget("QLabel", "macro_record_source", text_key("macro_record_source_desktop")
                    + [prop("visible", False), prop("wordWrap", True), prop("skinrole", "notice", stdset=False)])
    header = group("macro_action_header", "QHBoxLayout", [
        Widget("QLabel", "macro_action_header_name", text_key("macro_action_header_text")),
        Spacer("macro_action_header_space"),
        Widget("QLabel", "macro_action_header_delay", text_key("macro_delay_header_text")),
    ], margins=(10, 0, 18, 0))
    actions = group("macro_action_column", "QVBoxLayout", [
        header,
        Widget("CComboEditListUI", "macro_action_list", [tip_key("macro_action_list_text"),
                                                         prop("rowname", "macro_action"),
                                                         prop("editname", "macro_delay"), prop("editdigits", 6)]),
    ], spacing=2)
    edits = group("macro_tab_macroaction_edit", "QVBoxLayout", [button(name, key) for name, key in MACRO_EDIT_BUTTONS],
                  spacing=4)
    moves = group("macro_tab_macrodelay_edit", "QVBoxLayout",
                  [Widget("QLabel", "macro_move_title", text_key("macro_insert_move_text") + [prop("wordWrap", True)])]
                  + [group(btn.replace("_btn", "_row"), "QHBoxLayout",
                           [button(btn, key), digits_edit(edit, "macro_move_distance_text", 44, "10", 3)], spacing=4)
                     for btn, key, edit in MACRO_MOVES], spacing=4)
    side = group("macro_action_side", "QVBoxLayout", [edits, moves, Spacer("macro_action_side_end", vertical=True)],
                 [prop("minimumSize", ("size", (160, 0))), prop("maximumSize", ("size", (160, 16777215)))], spacing=14)
    save = group("macro_save_row", "QHBoxLayout", [
        Spacer("macro_save_space"), button("macro_btn_cancel", "macro_cancel_text"),
        button("macro_btn_save", "macro_save_text", [prop("skinrole", "primary", stdset=False)])])
    action = editor_card("macro_action_layout", "QVBoxLayout", [
        record, source, group("macro_action_area", "QHBoxLayout", [actions, side], spacing=8), save])
    return Widget("QWidget", "macro_control", [], "QHBoxLayout", [names, action], spacing=8, margins=(8, 6, 8, 8))


# ---------------------------------------------------------------------------------------------
# Shoot panel (controls/ShootControl.ui), on the mouse page: four guns with their pictures and
# the chart of the selected gun's pattern; thirty bullets with the selected one's move and delay.

GUN_PICTURES = [
    # Assault rifle, submachine gun, sniper rifle, pistol.
    ["<path d='M14 24 H132 L138 20 H176 V28 H190 V32 H176 V36 H132 L128 42 H96 L92 60 H78 L82 42 H58 L52 50 H20 "
     "L14 38 Z'/>", "<path d='M100 42 L106 58 H116 L112 42 Z'/>", "<path d='M70 18 H110 V24 H70 Z'/>"],
    ["<path d='M40 24 H140 V30 H160 V34 H140 V38 H118 L112 44 H92 L88 62 H76 L80 44 H64 V38 H40 Z'/>",
     "<path d='M98 44 V66 H108 V44 Z'/>", "<path d='M40 26 H22 L16 34 H40 Z'/>"],
    ["<path d='M8 30 H150 V34 H196 V37 H150 V40 H96 L90 58 H78 L82 40 H46 L36 50 H10 Z'/>",
     "<path d='M64 18 H118 L122 22 V28 H60 V22 Z'/>", "<circle cx='70' cy='22' r='3'/>"],
    ["<path d='M62 16 H142 V28 H92 L96 34 H84 L80 30 L74 62 H56 L64 28 H62 Z'/>"],
]


def gun_picture(shapes):
    return svg_file(200, 72, ["<g fill='#3a3f4b' stroke='#8a909c' stroke-width='1.5' stroke-linejoin='round'>"]
                    + ["  " + shape for shape in shapes] + ["</g>"])


def option(name, key, role):
    return Widget("QPushButton", name, text_key(key) + [prop("checkable", True), prop("autoExclusive", True),
                                                        prop("skinrole", role, stdset=False)])


def value_row(name, first, edit, tip, unit):
    return group(name, "QHBoxLayout", [first, digits_edit(edit, tip, 70, "0", 5),
                                       Widget("QLabel", name + "_unit", text_key(unit)), Spacer(name + "_end")])


def shoot_panel():
    pictures = Widget("QStackedWidget", "shoot_image_display_switch", fixed(200, 72),
                      None, [Widget("QLabel", "shoot_gun_image_%d" % n,
                                    [prop("pixmap", ("pixmap", "skin:common/shoot_gun_%d.svg" % n)),
                                     prop("alignment", ("set", "Qt::AlignCenter")), tip_key("shoot_gun_%d_text" % n)])
                             for n in range(4)])
    guns = editor_card("shoot_gun_column", "QVBoxLayout", [
        Widget("QLabel", "shoot_gun_title", text_key("shoot_gun_title_text") + [prop("skinrole", "heading", stdset=False)]),
        group("shoot_gun_options", "QHBoxLayout",
              [option("shoot_gun_op_%d" % n, "shoot_gun_%d_text" % n, "option") for n in range(4)], spacing=4),
        pictures,
        Widget("CChartViewUI", "shoot_chart", [prop("view", "path"), tip_key("shoot_chart_text")]
               + [prop("minimumSize", ("size", (200, 120)))]),
    ], [prop("maximumSize", ("size", (250, 16777215)))])
    bullets = Widget("QWidget", "bullet_options", [], "QGridLayout",
                     [(b // 10, b % 10, Widget("QPushButton", "bullet_op_%d" % b,
                                               [prop("text", str(b + 1)), prop("checkable", True),
                                                prop("autoExclusive", True), prop("skinrole", "bullet", stdset=False),
                                                tip_key("bullet_option_text")] + fixed(32, 24)))
                      for b in range(30)], spacing=3, margins=(0, 0, 0, 0))
    nav = group("bullet_nav_row", "QHBoxLayout", [
        Widget("QPushButton", "bullet_selected_prev", [prop("text", "◀"), tip_key("bullet_previous_text")] + fixed(30, 26)),
        Widget("QLabel", "bullet_select_title", text_key("bullet_title_text")),
        Widget("QLabel", "bullet_select_index", [prop("text", "1"), tip_key("bullet_title_text")]),
        Widget("QPushButton", "bullet_selected_next", [prop("text", "▶"), tip_key("bullet_next_text")] + fixed(30, 26)),
        Spacer("bullet_nav_end")])
    check = lambda name, key: Widget("QCheckBox", name, text_key(key) + fixed(150, 24))
    edits = group("bullet_edit_layout", "QVBoxLayout", [
        nav,
        value_row("bullet_x_row", check("bullet_x_check", "mouse_move_to_right_text"), "bullet_x_eidt",
                  "bullet_x_text", "bullet_counts_text"),
        value_row("bullet_y_row", check("bullet_y_check", "mouse_move_to_down_text"), "bullet_y_eidt",
                  "bullet_y_text", "bullet_counts_text"),
        value_row("bullet_delay_row", Widget("QLabel", "bullet_delay_label", text_key("bullet_delay_text") + fixed(150, 24)),
                  "bullet_delay_eidt", "bullet_delay_text", "macro_ms_text"),
    ], spacing=4)
    files = group("shoot_file_buttons", "QHBoxLayout", [
        button("shootdate_import_btn", "shoot_import_text"), button("shootdate_export_btn", "shoot_export_text"),
        button("shootdate_reset_btn", "shoot_reset_text"), Spacer("shoot_file_space")])
    write = group("shoot_write_row", "QHBoxLayout", [
        Spacer("shoot_write_space"),
        button("shootdate_save_btn", "shoot_save_text", [prop("skinrole", "primary", stdset=False)])])
    right = editor_card("shoot_bullet_column", "QVBoxLayout", [
        Widget("QLabel", "bullet_options_title", text_key("bullet_options_title_text")
               + [prop("skinrole", "heading", stdset=False)]),
        bullets, edits, Spacer("shoot_bullet_end", vertical=True), files, write])
    return Widget("QWidget", "shoot_control", [], "QHBoxLayout", [guns, right], spacing=8, margins=(8, 6, 8, 8))


# Pictures of the macro and shoot panels: the recording mark, press and release, the guns.
PANEL_PICTURES = {
    "common/record_dot.svg": svg_file(16, 16, ["<circle cx='8' cy='8' r='6' fill='#e63946'/>"]),
    "common/macro_down.svg": svg_file(16, 16, ["<path d='M8 13 L3 7 H6 V3 H10 V7 H13 Z' fill='#e63946'/>"]),
    "common/macro_up.svg": svg_file(16, 16, ["<path d='M8 3 L13 9 H10 V13 H6 V9 H3 Z' fill='#8a909c'/>"]),
}
PANEL_PICTURES.update({"common/shoot_gun_%d.svg" % n: gun_picture(shapes) for n, shapes in enumerate(GUN_PICTURES)})
# The headset's sound panels: the voice panel (controls/Voice6533Control.ui: equaliser presets,
# the user equalisers, the ten bands, microphone and monitor), the voice changer
# (controls/MagicControl.ui) and the 7.1 tab (controls/VirtualSet.ui: virtual surround and the
# room effect). Band gains run from -20 to 20, levels and the room size from 0 to 100.

EQ_BANDS = ["31", "62", "125", "250", "500", "1k", "2k", "4k", "8k", "16k"]
EQ_PRESET_COUNT = 13
VOICE_COUNT = 4
SURROUND_ENVIRONMENTS = 6


def horizontal_slider(name, tip, maximum):
    return Widget("QSlider", name, [prop("orientation", ("enum", "Qt::Horizontal")), prop("minimum", 0),
                                    prop("maximum", maximum), prop("pageStep", 10), tip_key(tip)])


def switch_with_slider(name, option, option_key, slider, slider_tip):
    return group(name, "QHBoxLayout", [Widget("QCheckBox", option, text_key(option_key) + fixed(140, 22)),
                                       horizontal_slider(slider, slider_tip, 100)])


def voice_panel():
    columns = []
    for first in range(1, EQ_PRESET_COUNT + 1, 5):
        options = [Widget("QRadioButton", "6533_eq_option_%d" % n, text_key("eq_preset_%d_text" % n) + [IGNORED_WIDTH])
                   for n in range(first, min(first + 5, EQ_PRESET_COUNT + 1))]
        columns.append(group("eq_option_column_%d" % first, "QVBoxLayout",
                             options + [Spacer("eq_option_column_end_%d" % first, vertical=True)], spacing=2))
    equaliser = editor_card("eq_preset_card", "QVBoxLayout", [
        label("eq_preset_label", "eq_preset_title_text"),
        group("eq_option_layout", "QHBoxLayout", columns, spacing=8),
    ], spacing=4)
    microphone = editor_card("mic_card", "QVBoxLayout", [
        switch_with_slider("mic_row", "6533_MicIn_option", "mic_in_text", "6533_MicIn_slider", "mic_level_tip"),
        switch_with_slider("monitor_row", "6533_MicMoniter_option", "mic_monitor_text", "6533_MicMoniter_slider",
                           "monitor_level_tip"),
    ], spacing=4)
    left = group("voice_left", "QVBoxLayout", [equaliser, microphone, Spacer("voice_left_end", vertical=True)],
                 spacing=8)
    bands = []
    for n, hz in enumerate(EQ_BANDS):
        slider = Widget("QSlider", "6533_eq_hz_slider_%d" % n,
                        [prop("orientation", ("enum", "Qt::Vertical")), prop("minimum", -20), prop("maximum", 20),
                         prop("pageStep", 2), prop("minimumSize", ("size", (0, 96))), tip_key("eq_band_%d_tip" % n)])
        bands.append(group("eq_band_%d" % n, "QVBoxLayout",
                           [slider, Widget("QLabel", "eq_band_label_%d" % n,
                                           [prop("text", hz), prop("alignment", ("set", "Qt::AlignHCenter"))])],
                           spacing=2))
    user = group("custom_eq_option_layout", "QHBoxLayout", [
        Widget("QComboBox", "custom_eq_name_combo", [tip_key("custom_eq_list_tip")] + fixed(110, 26)),
        Widget("QLineEdit", "custom_eq_name_edit", [tip_key("custom_eq_name_tip"), prop("maxLength", 32)]),
        Widget("QPushButton", "hs_EQ_btn_save", text_key("custom_eq_save_text")),
        Widget("QPushButton", "hs_EQ_btn_delete", [prop("text", "−"), tip_key("custom_eq_delete_tip")] + fixed(28, 26)),
    ], [prop("enabled", False)], spacing=4)
    band_card = editor_card("eq_band_card", "QVBoxLayout", [
        label("eq_band_title", "eq_band_title_text"),
        group("eq_band_layout", "QHBoxLayout", bands, spacing=2),
        label("custom_eq_label", "custom_eq_title_text"),
        user,
    ], spacing=4)
    return Widget("QWidget", "voice_control", [], "QHBoxLayout", [left, band_card],
                  spacing=8, margins=(8, 6, 8, 8))


def magic_panel():
    options = [Widget("QRadioButton", "magic_option_%d" % n, text_key("magic_voice_%d_text" % n))
               for n in range(1, VOICE_COUNT + 1)]
    voices = editor_card("magic_card", "QVBoxLayout", [
        Widget("QCheckBox", "magic_enable_option", text_key("magic_enable_text")),
        label("magic_hint", "magic_hint_text"),
        group("magic_option_layout", "QHBoxLayout", options + [Spacer("magic_option_end")], spacing=16),
    ], spacing=10)
    row = group("magic_row", "QHBoxLayout", [voices, Spacer("magic_row_end")])
    return Widget("QWidget", "magic_control", [], "QVBoxLayout", [row, Spacer("magic_control_end", vertical=True)],
                  spacing=8, margins=(8, 6, 8, 8))


def virtual_panel():
    surround = editor_card("virtual_surround_card", "QVBoxLayout", [
        Widget("QCheckBox", "virtual_surround_option", text_key("virtual_surround_text")),
        Widget("QLabel", "virtual_surround_hint", text_key("virtual_surround_hint_text")
               + [prop("alignment", ("set", "Qt::AlignLeft|Qt::AlignTop"))]),
    ], spacing=10)
    room = editor_card("virtual_room_card", "QVBoxLayout", [
        Widget("QCheckBox", "virtual_room_option", text_key("virtual_room_text")),
        group("virtual_room_layout", "QVBoxLayout", [
            label("virtual_environment_label", "virtual_environment_text"),
            Widget("QComboBox", "virtual_environment_combo", [tip_key("virtual_environment_text")]),
            label("virtual_roomsize_label", "virtual_roomsize_text"),
            horizontal_slider("virtual_roomsize_slider", "virtual_roomsize_text", 100),
        ], [prop("enabled", False)], spacing=6),
    ], spacing=10)
    row = group("virtual_row", "QHBoxLayout", [surround, room], spacing=8)
    return Widget("QWidget", "virtual_control", [], "QVBoxLayout", [row, Spacer("virtual_control_end", vertical=True)],
                  spacing=8, margins=(8, 6, 8, 8))


def panel(cls, name):
    return Widget(cls, name, [prop("skinrole", "panel", stdset=False)])


def page(kind, picture, key_panels, function_panels):
    """A device page: the profile bar (a panel built from its own skin file), then
    "device_function_switch" whose first page shows the picture above
    "device_key_function_switch", the panels that work on the picture."""
    centred = Widget("QWidget", "%s_device_picture" % kind, [], "QHBoxLayout",
                     [Spacer("%s_picture_left" % kind), picture, Spacer("%s_picture_right" % kind)],
                     spacing=0, margins=(0, 4, 0, 4))
    key_switch = Widget("QStackedWidget", "device_key_function_switch", [], None, key_panels)
    first = Widget("QWidget", "%s_device_seting_layout" % kind, [], "QVBoxLayout", [centred, key_switch],
                   spacing=6, margins=(0, 0, 0, 0))
    switch = Widget("QStackedWidget", "device_function_switch", [], None, [first] + function_panels)
    return Widget("QWidget", "%s_device" % kind, [prop("skinrole", "page", stdset=False)], "QVBoxLayout",
                  [Widget("CDeviceProfileUI", "DeviceProfileItem"), switch], spacing=0, margins=(0, 0, 0, 0))


def key_button(name, rect, role, text="", hidden=False, extra=()):
    props = [prop("geometry", ("rect", rect)), prop("skinrole", role, stdset=False)]
    if text:
        props.append(prop("text", text))
    if role == "light":
        props.append(prop("lightimage", LIGHT_IMAGES[(rect[2], rect[3])] if (rect[2], rect[3]) in LIGHT_IMAGES
                          else "devices/led_glow.svg"))
    if role in ("keycap", "mousekey"):
        # Shown while the key does something else than its factory function.
        props.append(prop("keysetimage", "devices/keyset_mark.svg"))
    if hidden:
        props.append(prop("visible", False))
    props += list(extra)
    return Widget("CDeviceKeyButtonUI", name, props)


LIGHT_IMAGES = {}

# ---------------------------------------------------------------------------------------------
# Keyboard: where each cell of the 6 x 21 matrix sits, in key units (x, y, width, height, legend).
# Cells left out are keys this keyboard does not have (international keys, empty cells).

U = 24            # pixels per key unit
KB_MARGIN = 14    # body margin around the keys
MACRO_COLUMN = 1.25

_ROW_Y = [0, 1.5, 2.5, 3.5, 4.5, 5.5]


def _row(row, start_x, keys):
    """keys: (column, width, legend); placed left to right from start_x."""
    cells, x = {}, start_x
    for column, width, legend in keys:
        if column is None:
            x += width
            continue
        cells[row * 21 + column] = (x, _ROW_Y[row], width, 1, legend)
        x += width
    return cells


def keyboard_cells():
    cells = {}
    m = MACRO_COLUMN
    cells.update(_row(0, m, [(0, 1, "Esc"), (None, 1, "")] + [(c, 1, "F%d" % c) for c in range(1, 5)]
                      + [(None, 0.5, "")] + [(c, 1, "F%d" % c) for c in range(5, 9)] + [(None, 0.5, "")]
                      + [(c, 1, "F%d" % c) for c in range(9, 13)] + [(None, 0.25, "")]
                      + [(13, 1, "Prt"), (14, 1, "Scr"), (15, 1, "Brk"), (None, 0.25, ""),
                         (16, 1, "GM"), (None, 2, ""), (17, 1, "◆")]))
    cells.update(_row(1, m, [(0, 1, "`")] + [(c, 1, str(c % 10)) for c in range(1, 11)]
                      + [(11, 1, "-"), (12, 1, "="), (13, 2, "Bksp"), (None, 0.25, ""),
                         (14, 1, "Ins"), (15, 1, "Hm"), (16, 1, "PgU"), (None, 0.25, ""),
                         (17, 1, "Num"), (18, 1, "/"), (19, 1, "*"), (20, 1, "-")]))
    cells.update(_row(2, m, [(0, 1.5, "Tab")] + [(c, 1, "QWERTYUIOP"[c - 1]) for c in range(1, 11)]
                      + [(11, 1, "["), (12, 1, "]"), (13, 1.5, "\\"), (None, 0.25, ""),
                         (14, 1, "Del"), (15, 1, "End"), (16, 1, "PgD"), (None, 0.25, ""),
                         (17, 1, "7"), (18, 1, "8"), (19, 1, "9")]))
    cells.update(_row(3, m, [(0, 1.75, "Caps")] + [(c, 1, "ASDFGHJKL"[c - 1]) for c in range(1, 10)]
                      + [(10, 1, ";"), (11, 1, "'"), (12, 2.25, "Enter"), (None, 3.5, ""),
                         (13, 1, "4"), (14, 1, "5"), (15, 1, "6")]))
    cells.update(_row(4, m, [(0, 2.25, "Shift")] + [(c, 1, "ZXCVBNM"[c - 1]) for c in range(1, 8)]
                      + [(8, 1, ","), (9, 1, "."), (10, 1, "/"), (11, 2.75, "Shift"), (None, 1.25, ""),
                         (12, 1, "↑"), (None, 1.25, ""), (13, 1, "1"), (14, 1, "2"), (15, 1, "3")]))
    cells.update(_row(5, m, [(0, 1.25, "Ctrl"), (1, 1.25, "Win"), (2, 1.25, "Alt"), (3, 5, "")]))
    # Right modifiers of the bottom row in their physical order: Alt, Win, FN, Menu, Ctrl.
    x = m + 3 * 1.25 + 5
    for column, legend in ((4, "Alt"), (20, "Win"), (5, "FN"), (6, "Menu"), (7, "Ctrl")):
        cells[5 * 21 + column] = (x, _ROW_Y[5], 1.25, 1, legend)
        x += 1.25
    x += 0.25
    for column, legend in ((8, "←"), (9, "↓"), (10, "→")):
        cells[5 * 21 + column] = (x, _ROW_Y[5], 1, 1, legend)
        x += 1
    x += 0.25
    cells[5 * 21 + 11] = (x, _ROW_Y[5], 2, 1, "0")
    cells[5 * 21 + 12] = (x + 2, _ROW_Y[5], 1, 1, ".")
    cells[5 * 21 + 13] = (x + 3, _ROW_Y[4], 1, 2, "Ent")
    cells[5 * 21 + 14] = (x + 3, _ROW_Y[2], 1, 2, "+")
    # M1-M5 (row 5, columns 15-19) and M6 (row 4, column 20): the macro column on the left.
    for number in range(1, 7):
        index = 5 * 21 + 14 + number if number <= 5 else 4 * 21 + 20
        cells[index] = (0, _ROW_Y[number - 1], 1, 1, "M%d" % number)
    return cells


def keyboard_page():
    cells = keyboard_cells()
    width = int(round((MACRO_COLUMN + 22.5) * U)) + 2 * KB_MARGIN
    height = int(6.5 * U) + 2 * KB_MARGIN
    lights, keys = [], []
    for index in range(126):
        cell = cells.get(index)
        if cell is None:
            rect = (0, 0, U, U)
            lights.append(key_button("light_%d" % index, rect, "light", hidden=True))
            keys.append(key_button("key_%d" % index, rect, "keycap", hidden=True))
            continue
        x, y, w, h, legend = cell
        rect = (KB_MARGIN + int(round(x * U)), KB_MARGIN + int(round(y * U)), int(round(w * U)) - 2,
                int(round(h * U)) - 2)
        LIGHT_IMAGES.setdefault((rect[2], rect[3]), "devices/key_glow_%dx%d.svg" % (rect[2], rect[3]))
        lights.append(key_button("light_%d" % index, rect, "light"))
        keys.append(key_button("key_%d" % index, (rect[0] + 2, rect[1] + 2, rect[2] - 4, rect[3] - 4), "keycap",
                               legend))
    # The keyboard's buttons are found under "keyboard_device_key_light"; its rubber band is
    # reported by the selection panel "device_key_light" inside it.
    panel_ = Widget("CSelectPanelUI", "device_key_light",
                    fixed(width, height) + [prop("bkimage", "devices/keyboard_body.svg")], None, lights + keys)
    picture = Widget("QWidget", "keyboard_device_key_light", fixed(width, height), "QHBoxLayout", [panel_],
                     spacing=0, margins=(0, 0, 0, 0))
    body = svg_file(width, height, [
        "<defs><linearGradient id='kb' x1='0' y1='0' x2='0' y2='1'>"
        "<stop offset='0' stop-color='#2c3038'/><stop offset='1' stop-color='#1b1e24'/></linearGradient></defs>",
        "<rect x='1' y='1' width='%d' height='%d' rx='12' fill='url(#kb)' stroke='#3b404b' stroke-width='2'/>"
        % (width - 2, height - 2),
        "<rect x='%d' y='%d' width='%d' height='%d' rx='6' fill='#121419'/>"
        % (KB_MARGIN - 5, KB_MARGIN - 5, width - 2 * KB_MARGIN + 10, height - 2 * KB_MARGIN + 10),
        "<rect x='%d' y='4' width='60' height='3' rx='1.5' fill='#e63946' opacity='0.8'/>" % (width // 2 - 30),
    ])
    pages = [panel("QWidget", "keyboard_cursor_panel"), panel("CKeyboardSystemUI", "SystemControlItem")]
    ui = page("keyboard", picture,
              [panel("CLightControlUI", "LightControlItem"), panel("CKeySetControlUI", "KeySetControlItem"),
               panel("QWidget", "keyboard_key_function_panel_2")],
              [panel("CMacroControlUI", "MacroControlItem")] + pages)
    return ui, {"devices/keyboard_body.svg": body}


# ---------------------------------------------------------------------------------------------
# Mouse: top view with its seven buttons, six LEDs down the left edge mirrored on the right
# ("light_0_<n>"), and the logo LED.

MOUSE_W, MOUSE_H = 300, 210


def mouse_page():
    cx = MOUSE_W // 2
    body = svg_file(MOUSE_W, MOUSE_H, [
        "<defs><linearGradient id='ms' x1='0' y1='0' x2='1' y2='1'>"
        "<stop offset='0' stop-color='#323741'/><stop offset='1' stop-color='#1a1d23'/></linearGradient></defs>",
        "<path d='M%d 8 C%d 8 %d 40 %d 92 C%d 160 %d 204 %d 204 C%d 204 %d 160 %d 92 C%d 40 %d 8 %d 8 Z' "
        "fill='url(#ms)' stroke='#3f4450' stroke-width='2'/>"
        % (cx, cx + 58, cx + 66, cx + 66, cx + 66, cx + 40, cx, cx - 40, cx - 66, cx - 66, cx - 66, cx - 58, cx),
        "<line x1='%d' y1='10' x2='%d' y2='86' stroke='#111317' stroke-width='3'/>" % (cx, cx),
        "<path d='M%d 86 C%d 92 %d 92 %d 86' fill='none' stroke='#111317' stroke-width='3'/>"
        % (cx - 64, cx - 20, cx + 20, cx + 64),
    ])
    keys = [
        ("key_0", (cx - 56, 22, 50, 58), "L"),
        ("key_1", (cx + 6, 22, 50, 58), "R"),
        ("key_2", (cx - 8, 26, 16, 30), ""),
        ("key_5", (cx - 8, 62, 16, 10), ""),
        ("key_6", (cx - 8, 74, 16, 10), ""),
        ("key_3", (cx - 74, 92, 12, 24), ""),
        ("key_4", (cx - 74, 120, 12, 24), ""),
    ]
    lights = []
    for n in range(6):
        y = 96 + n * 16
        lights.append(key_button("light_%d" % n, (cx - 62 + n * 3, y, 8, 12), "light"))
        lights.append(key_button("light_0_%d" % n, (cx + 54 - n * 3, y, 8, 12), "light"))
    lights.append(key_button("light_logo", (cx - 14, 140, 28, 28), "light",
                             extra=[prop("toolTip", "logo"), prop("lightimage", "devices/logo_glow.svg")]))
    buttons = lights + [key_button(name, rect, "mousekey", legend) for name, rect, legend in keys]
    picture = Widget("CSelectPanelUI", "mouse_device_key_light",
                     fixed(MOUSE_W, MOUSE_H) + [prop("bkimage", "devices/mouse_body.svg")], None, buttons)
    logo = svg_file(28, 28, ["<path d='M14 2 L26 14 L14 26 L2 14 Z M14 8 L8 14 L14 20 L20 14 Z' fill='white' "
                             "fill-rule='evenodd'/>"])
    ui = page("mouse", picture,
              [panel("CLightControlUI", "LightControlItem"), panel("CKeySetControlUI", "KeySetControlItem"),
               panel("CShootControlUI", "ShootControlItem")],
              [panel("CMacroControlUI", "MacroControlItem"), panel("CMouseDpiUI", "DpiControlItem"),
               panel("CMousePointerUI", "PointerControlItem")])
    return ui, {"devices/mouse_body.svg": body, "devices/logo_glow.svg": logo}


# ---------------------------------------------------------------------------------------------
# Mouse pad: a wide pad with 15 LEDs; LED 0 is the emblem in the corner, LEDs 1-14 run up the
# left edge, along the top and down the right edge, so the pairs (1, 14) ... (7, 8) mirror.

PAD_W, PAD_H = 560, 190


def pad_page():
    body = svg_file(PAD_W, PAD_H, [
        "<defs><linearGradient id='pd' x1='0' y1='0' x2='1' y2='1'>"
        "<stop offset='0' stop-color='#23262e'/><stop offset='1' stop-color='#15171c'/></linearGradient></defs>",
        "<rect x='6' y='6' width='%d' height='%d' rx='14' fill='#0d0f12' stroke='#3b404b' stroke-width='2'/>"
        % (PAD_W - 12, PAD_H - 12),
        "<rect x='18' y='18' width='%d' height='%d' rx='8' fill='url(#pd)'/>" % (PAD_W - 36, PAD_H - 36),
        "<path d='M%d %d h40 v-40' fill='none' stroke='#2c3038' stroke-width='2'/>" % (PAD_W - 80, PAD_H - 30),
    ])
    leds = {0: (PAD_W - 58, PAD_H - 58, 28, 28)}
    for n, y in zip((1, 2, 3), (130, 90, 50)):
        leds[n] = (6, y, 10, 28)
        leds[15 - n] = (PAD_W - 16, y, 10, 28)
    for n in range(4, 12):
        x = 40 + (n - 4) * ((PAD_W - 80 - 44) // 7)
        leds[n] = (x, 6, 44, 10)
    buttons = []
    for n in range(15):
        extra = [prop("lightimage", "devices/logo_glow.svg")] if n == 0 else []
        buttons.append(key_button("light_%d" % n, leds[n], "light", extra=extra))
    picture = Widget("CSelectPanelUI", "mousepad_device_key_light",
                     fixed(PAD_W, PAD_H) + [prop("bkimage", "devices/mousepad_body.svg")], None, buttons)
    ui = page("mousepad", picture, [panel("CLightControlUI", "LightControlItem")], [])
    return ui, {"devices/mousepad_body.svg": body}


# ---------------------------------------------------------------------------------------------
# Headset: front view; LED 0 on the headband, LEDs 1-6 round the left ear cup, 7-12 round the
# right one.

HS_W, HS_H = 320, 210


def headset_page():
    body = svg_file(HS_W, HS_H, [
        "<path d='M62 120 C62 20 258 20 258 120' fill='none' stroke='#2c3038' stroke-width='16' "
        "stroke-linecap='round'/>",
        "<path d='M62 120 C62 20 258 20 258 120' fill='none' stroke='#3b404b' stroke-width='2'/>",
        "<ellipse cx='70' cy='140' rx='46' ry='58' fill='#1d2026' stroke='#3b404b' stroke-width='2'/>",
        "<ellipse cx='250' cy='140' rx='46' ry='58' fill='#1d2026' stroke='#3b404b' stroke-width='2'/>",
        "<ellipse cx='70' cy='140' rx='26' ry='36' fill='#121419'/>",
        "<ellipse cx='250' cy='140' rx='26' ry='36' fill='#121419'/>",
        "<path d='M40 176 C20 196 60 206 96 200' fill='none' stroke='#2c3038' stroke-width='5' "
        "stroke-linecap='round'/>",
    ])
    leds = {0: (HS_W // 2 - 20, 40, 40, 10)}
    for i in range(6):
        angle = math.radians(-120 + i * 48)
        for centre, n in ((70, 1 + i), (250, 12 - i)):
            x = centre + 38 * math.sin(angle) * (1 if centre == 250 else -1)
            y = 140 - 48 * math.cos(angle)
            leds[n] = (int(round(x)) - 6, int(round(y)) - 6, 12, 12)
    buttons = [key_button("light_%d" % n, leds[n], "light") for n in range(13)]
    picture = Widget("CSelectPanelUI", "hs6533_device_key_light",
                     fixed(HS_W, HS_H) + [prop("bkimage", "devices/hs6533_body.svg")], None, buttons)
    ui = page("hs6533", picture,
              [panel("CLightControlUI", "LightControlItem"), panel("CVoice6533ControlUI", "Voice6533ControlItem"),
               panel("CMagicControlUI", "MagicControlItem")],
              [panel("CVirtualSetControlUI", "VirtualSetControlItem")])
    return ui, {"devices/hs6533_body.svg": body}


# ---------------------------------------------------------------------------------------------
# Window backgrounds the skin picker offers ("common/background.png" is also its reset value):
# a dark diagonal gradient with a soft glow of the accent colour and faint diagonal lines.

BACKGROUND_W, BACKGROUND_H = 800, 572


def png_file(width, height, pixel, alpha=False):
    """An 8-bit PNG; pixel(x, y) gives (r, g, b), or (r, g, b, a) with alpha."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9))
            + chunk(b"IEND", b""))


def background(dark, light, glow, glow_at):
    gx, gy = glow_at

    def pixel(x, y):
        t = (x / BACKGROUND_W + y / BACKGROUND_H) / 2
        d = math.hypot(x - gx, y - gy) / BACKGROUND_W
        g = max(0.0, 1 - d * 1.6) ** 2 * 0.35
        line = 6 if (x + y) % 24 == 0 else 0
        return bytes(min(255, int(dark[i] + (light[i] - dark[i]) * t + glow[i] * g) + line) for i in range(3))

    return png_file(BACKGROUND_W, BACKGROUND_H, pixel)


BACKGROUNDS = {
    "common/background.png": ((16, 18, 23), (30, 34, 42), (230, 57, 70), (620, 80)),
    "common/background_ember.png": ((22, 12, 10), (60, 26, 18), (255, 120, 40), (160, 480)),
}

# ---------------------------------------------------------------------------------------------
# Small pictures the code names as PNG files: the device list icons (each list entry shows
# "common/device_ico/<prefix>[_synchro]_normal.png" and "_selected.png") and the power
# indicator's charging and phone pictures. Shapes are tested per sub-pixel (4 x 4 samples).

GREY, WHITE, ACCENT, AMBER, GREEN = (138, 144, 156), (240, 242, 246), (230, 57, 70), (255, 200, 61), (70, 200, 110)


def rrect(x, y, w, h, r):
    def inside(px, py):
        qx = max(abs(px - (x + w / 2)) - (w / 2 - r), 0)
        qy = max(abs(py - (y + h / 2)) - (h / 2 - r), 0)
        return abs(px - (x + w / 2)) <= w / 2 and abs(py - (y + h / 2)) <= h / 2 and qx * qx + qy * qy <= r * r
    return inside


def outline(shape_out, shape_in):
    return lambda px, py: shape_out(px, py) and not shape_in(px, py)


def frame(x, y, w, h, r, width=1.6):
    return outline(rrect(x, y, w, h, r), rrect(x + width, y + width, w - 2 * width, h - 2 * width, max(r - width, 0)))


def ellipse(cx, cy, rx, ry):
    return lambda px, py: ((px - cx) / rx) ** 2 + ((py - cy) / ry) ** 2 <= 1


def ring(cx, cy, rx, ry, width=1.6):
    return outline(ellipse(cx, cy, rx, ry), ellipse(cx, cy, rx - width, ry - width))


def segment(x1, y1, x2, y2, width=1.6):
    def inside(px, py):
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((px - x1) * dx + (py - y1) * dy) / (dx * dx + dy * dy)))
        return math.hypot(px - (x1 + t * dx), py - (y1 + t * dy)) <= width / 2
    return inside


def polygon(points):
    def inside(px, py):
        hit = False
        for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
            if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                hit = not hit
        return hit
    return inside


def icon(width, height, layers):
    """layers: (colour, shape) painted in order; a PNG with alpha."""
    def pixel(x, y):
        r = g = b = a = 0.0
        for colour, shape in layers:
            cover = sum(shape(x + (i + 0.5) / 4, y + (j + 0.5) / 4) for i in range(4) for j in range(4)) / 16
            if cover:
                r, g, b = (r * (1 - cover) + colour[0] * cover, g * (1 - cover) + colour[1] * cover,
                           b * (1 - cover) + colour[2] * cover)
                a = a + (1 - a) * cover
        return bytes((int(r), int(g), int(b), int(a * 255)))
    return png_file(width, height, pixel, alpha=True)


def device_shapes(prefix):
    if prefix == "kb_device":
        keys = [rrect(5 + 3.6 * i, 11, 2.4, 2.4, 0.5) for i in range(5)]
        keys += [rrect(6.8 + 3.6 * i, 14.6, 2.4, 2.4, 0.5) for i in range(4)]
        return [frame(2, 8, 24, 13, 2.5)] + keys + [segment(9, 19, 19, 19, 1.4)]
    if prefix == "ms_device":
        return [ring(14, 14, 7.5, 11), segment(14, 3.5, 14, 11), segment(7, 12, 21, 12, 1.2)]
    if prefix == "hard_mp_device":
        return [frame(2, 7, 24, 14, 1.5), segment(3.5, 8.5, 24.5, 8.5, 1.2)]
    if prefix == "soft_mp_device":
        return [frame(2, 7, 24, 14, 4), segment(7, 17, 21, 17, 1.2)]
    if prefix == "hd_device":
        arc = outline(ellipse(14, 15, 10, 10), ellipse(14, 15, 8.4, 8.4))
        return [lambda px, py: arc(px, py) and py < 16, rrect(3, 14, 5, 9, 2), rrect(20, 14, 5, 9, 2)]
    if prefix == "hub_device":
        return [frame(3, 9, 22, 10, 2), rrect(7, 12.5, 3, 3, 0.5), rrect(12.5, 12.5, 3, 3, 0.5),
                rrect(18, 12.5, 3, 3, 0.5)]
    return [ring(14, 14, 10, 10), rrect(12.8, 7, 2.4, 9, 1), ellipse(14, 19.5, 1.4, 1.4)]


DEVICE_ICON_PREFIXES = ["kb_device", "ms_device", "hard_mp_device", "soft_mp_device", "hd_device", "hub_device",
                        "unknow_device"]


def device_icons():
    files = {}
    for prefix in DEVICE_ICON_PREFIXES:
        for synchro in ("", "_synchro"):
            for state, colour in (("normal", GREY), ("selected", WHITE)):
                layers = [(colour, shape) for shape in device_shapes(prefix)]
                if synchro:
                    layers.append((ACCENT, ellipse(24, 4, 3.2, 3.2)))
                files["common/device_ico/%s%s_%s.png" % (prefix, synchro, state)] = icon(28, 28, layers)
    return files


def battery(fill_colour=None, fill=0.0):
    layers = [(GREY, frame(1, 2, 20, 12, 2, 1.4)), (GREY, rrect(21, 5.5, 2.5, 5, 1))]
    if fill_colour:
        layers.append((fill_colour, rrect(3.5, 4.5, 15 * fill, 7, 1)))
    return layers


BOLT = polygon([(12.5, 1), (6, 9), (10.5, 9), (9, 15), (16, 6.5), (11.5, 6.5)])


def phone(extra):
    return [(GREY, frame(2, 1, 12, 20, 2.5, 1.4))] + extra


def power_pictures():
    wireless = [(AMBER, BOLT), (WHITE, outline(ellipse(20, 12, 4, 4), ellipse(20, 12, 2.8, 2.8)))]
    return {
        "power/powered.png": icon(24, 16, battery(WHITE, 0.6)),
        "power/powering.png": icon(24, 16, battery() + [(AMBER, BOLT)]),
        "power/wuxian_powering.png": icon(24, 16, battery() + wireless),
        "power/power.png": icon(24, 16, battery(GREEN, 1.0)),
        "power/Phone_type_iphone.png": icon(16, 22, phone([(GREY, rrect(6, 3, 4, 1.6, 0.8))])),
        "power/Phone_type_samsung.png": icon(16, 22, phone([(GREY, ellipse(8, 4, 1, 1))])),
        "power/Phone_type_other.png": icon(16, 22, phone([(GREY, segment(6, 18, 10, 18, 1.2))])),
        "power/Phone_type_no_device.png": icon(16, 22, [((70, 75, 86), frame(2, 1, 12, 20, 2.5, 1.2))]),
    }


# A bar along the bottom of a key whose function was changed; drawn stretched over the key.
KEYSET_MARK = svg_file(20, 20, ["<rect x='4' y='16.5' width='12' height='2' rx='1' fill='#ffb703'/>"])

APP_ICON = svg_file(64, 64, [
    "<rect x='4' y='4' width='56' height='56' rx='12' fill='#1c1f26' stroke='#e63946' stroke-width='5'/>",
    "<polyline points='16,46 16,18 32,36 48,18 48,46' fill='none' stroke='#e63946' stroke-width='7' "
    "stroke-linecap='round' stroke-linejoin='round'/>",
])

# ---------------------------------------------------------------------------------------------


def all_files():
    files = {"controls/DeviceProfile.ui": ui_file(profile_bar(), "The profile bar of every device page."),
             "controls/LightControl.ui": ui_file(light_panel(), "The light panel of every device page."),
             "controls/KeySetControl.ui": ui_file(key_set_panel(), "The key assignment panel of the keyboard and mouse."),
             "controls/KeyboardSystem.ui": ui_file(keyboard_system_panel(), "The keyboard's system settings."),
             "controls/MouseDpi.ui": ui_file(mouse_dpi_panel(), "The mouse's DPI stages and polling rate."),
             "controls/MousePointer.ui": ui_file(mouse_pointer_panel(), "The mouse's pointer settings."),
             "controls/MacroControl.ui": ui_file(macro_panel(), "The macro panel of the keyboard and mouse pages."),
             "controls/ShootControl.ui": ui_file(shoot_panel(), "The shoot pattern panel of the mouse page."),
             "controls/Voice6533Control.ui": ui_file(voice_panel(), "The headset's voice panel."),
             "controls/MagicControl.ui": ui_file(magic_panel(), "The headset's voice changer."),
             "controls/VirtualSet.ui": ui_file(virtual_panel(), "The headset's 7.1 tab.")}
    files.update(PANEL_PICTURES)
    for name, (ui, pictures) in (("keyboarddevice", keyboard_page()), ("mousedevice", mouse_page()),
                                 ("mousepaddevice", pad_page()), ("hs6533device", headset_page())):
        files["devices/%s.ui" % name] = ui_file(ui, "The %s page." % name.replace("device", ""))
        files.update(pictures)
    for (w, h), name in LIGHT_IMAGES.items():
        files[name] = glow_svg("g", w, h, 4)
    files["devices/led_glow.svg"] = glow_svg("g", 16, 16, 5)
    files["devices/keyset_mark.svg"] = KEYSET_MARK
    for name, colours in BACKGROUNDS.items():
        files[name] = background(*colours)
    files.update(device_icons())
    files.update(power_pictures())
    files["common/app_icon.svg"] = APP_ICON
    return files


def main(argv):
    check = "--check" in argv
    stale = []
    for relative, text in sorted(all_files().items()):
        path = SKIN_DIR / relative
        data = text if isinstance(text, bytes) else text.encode("utf-8")
        if check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(relative)
            continue
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
    if stale:
        print("out of date (run data/tools/make_skin.py): " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
