#pragma once

// The editor's pictures: every one is drawn by our generator (tools/picgen) and
// embedded at build time. This table is the contract between the two: the generator
// must write each name at exactly this size, and the editor asks for pictures only by
// these names. Header-only and free of dependencies so that the generator can use it.

namespace zd8
{

struct PictureSpec
{
    const char* name;
    int width, height;
};

inline constexpr PictureSpec pictureCatalogue[] = {
    // Main window
    { "logo", 564, 62 },
    { "top_bar", 1024, 68 },
    { "wood_side", 16, 768 },
    { "about", 500, 375 },

    // Parameter controls (ParameterControl)
    { "value_bar", 200, 18 },          // styles 0 and 8, ZoneValueField style 50
    { "value_bar_cap", 14, 18 },
    { "value_box_tall", 200, 22 },     // ZoneValueField style 0
    { "value_box_tall_cap", 14, 22 },
    { "field_box", 180, 24 },          // ZoneValueField style 54
    { "switch_off", 19, 12 },          // styles 1 and 101
    { "switch_on", 19, 12 },
    { "button_off", 52, 34 },          // style 13
    { "button_on", 52, 34 },
    { "knob_strip_a", 2584, 46 },      // style 3: 55 frames of 46x46, 47 px apart
    { "knob_strip_b", 2584, 46 },
    { "knob_back", 46, 46 },
    { "slider_track", 28, 154 },       // styles 4 and 10
    { "slider_thumb", 19, 41 },
    { "drawbar_1", 32, 151 },          // style 77
    { "drawbar_2", 32, 151 },
    { "drawbar_3", 32, 151 },
    { "lamp_off", 17, 11 },            // styles 200 and 201
    { "lamp_on", 17, 11 },
    { "lamp_pressed", 17, 11 },
    { "value_tag", 54, 13 },           // style 202
    { "menu_button", 64, 22 },         // style 203
    { "menu_button_pressed", 64, 22 },

    // Other widgets
    { "check_off", 20, 11 },
    { "check_on", 20, 11 },
    { "check_pressed", 20, 11 },
    { "bigknob_0", 908, 100 },         // nine 100x100 frames, 101 px apart
    { "bigknob_1", 908, 100 },
    { "bigknob_2", 908, 100 },
    { "bigknob_3", 908, 100 },
    { "wheel_strip", 2377, 260 },      // 35 frames of 65x260, 68 px apart
    { "monitor_back", 230, 80 },
    { "monitor_slider", 6, 15 },
    { "monitor_levels", 33, 42 },      // eleven 3x42 strips
    { "monitor_wheel", 13, 17 },
    { "zone_keys", 341, 14 },
    { "window_buttons", 54, 30 },      // three 18x15 buttons, normal row then highlighted row
    { "window_close", 17, 15 },
    { "lib_button_body", 200, 48 },    // library buttons: body stretched, right cap; shown at half size
    { "lib_button_cap", 10, 48 },
    { "lib_button_body_lit", 200, 48 },
    { "lib_button_cap_lit", 10, 48 },

    // Panel painter (ZD8LookAndFeel)
    { "edge_top", 50, 7 },
    { "edge_bottom", 50, 7 },
    { "edge_left", 7, 50 },
    { "edge_right", 7, 50 },
    { "corner_top_left", 20, 20 },
    { "corner_top_right", 20, 20 },
    { "corner_bottom_left", 20, 20 },
    { "corner_bottom_right", 20, 20 },
    { "texture", 1009, 114 },
    { "overlay", 953, 253 },

    // Object display and list
    { "category_sheet", 4453, 520 },   // 21 x 5 cells of 212x103
    { "category_icons", 1050, 125 },   // 21 x 5 cells of 49x24 on a 50x25 grid
    { "lcd_back", 216, 48 },
    { "list_back", 246, 360 },
    { "scroll_thumb", 25, 43 },

    // Pages
    { "program_back_standard", 996, 584 },
    { "program_back_organ", 996, 584 },
    { "controls_panel", 950, 420 },
    { "controls_label_plate", 66, 14 },
    { "controls_tw7_badge", 36, 14 },
};

inline constexpr int pictureCount = (int) (sizeof (pictureCatalogue) / sizeof (pictureCatalogue[0]));

// Every picture is embedded twice, from the same drawing: "<name>.png" at the size above
// and "<name>@2x.png" at exactly double that size, for a window scaled above 100 % and
// for high-density displays.
inline constexpr int pictureDensities = 2;
inline constexpr const char* doubleDensitySuffix = "@2x";

} // namespace zd8
