#pragma once

// Every picture the program embeds, with its exact pixel size (twice its drawn size).
// Pictures fetched by name through loadImage are stored as "<name>2x.png"; the few that
// are decoded straight from their resource (envelope background and title, the preset
// bar's arrows) carry no suffix. The build reads the file stems from this list to know
// what the artwork generator writes, so keep one entry per line in this exact form.

namespace corvane
{

struct ArtworkEntry
{
    const char* fileStem; // file is fileStem + ".png", resource is fileStem + "_png"
    int width;
    int height;
};

inline constexpr ArtworkEntry artworkCatalogue[] = {
    // window
    { "overlay2x", 2048, 670 },
    { "noise_overlay2x", 2048, 670 },
    { "corvane_logo2x", 204, 174 },
    { "preset_3d2x", 596, 116 },
    { "fader_track_short2x", 100, 354 },
    { "fader_white2x", 166, 154 },
    { "bg_drive_switch2x", 144, 36 },
    { "btn_drive_switch2x", 22, 22 },
    { "diod_normal2x", 6, 6 },
    { "diod_yellow2x", 6, 6 },
    { "diod_red2x", 6, 6 },
    { "diod_off2x", 6, 6 },
    { "zoom2x", 32, 32 },
    // oscillator panels
    { "selector_3d2x", 186, 186 },
    { "stepper_3d2x", 186, 116 },
    { "fader_green2x", 166, 154 },
    { "fader_yellow2x", 166, 154 },
    { "fader_purple2x", 166, 154 },
    { "fader_red2x", 166, 154 },
    { "FINE_track2x", 126, 24 },
    { "pitchtrack_knob2x", 16, 16 },
    { "corvane_OCT_track_type2x", 54, 126 },
    { "transistor2x", 64, 64 },
    { "tube2x", 64, 64 },
    { "plasma2x", 64, 64 },
    { "sine2x", 64, 64 },
    { "transistor_active2x", 64, 64 },
    { "tube_active2x", 64, 64 },
    { "plasma_active2x", 64, 64 },
    { "sine_active2x", 64, 64 },
    // effects panel
    { "switch_off2x", 34, 34 },
    { "switch_on2x", 34, 34 },
    { "led_plate2x", 16, 16 },
    { "switch_3d2x", 106, 194 },
    { "knob_plate2x", 174, 174 },
    { "knob_handle2x", 174, 174 },
    { "knob_shadow2x", 174, 174 },
    // envelope editor (decoded directly)
    { "bg_envelope", 820, 276 },
    { "envelope_title", 154, 38 },
    // preset bar arrows (decoded directly)
    { "preset_prev_normal", 56, 60 },
    { "preset_prev_pressed", 56, 60 },
    { "preset_prev_disabled", 56, 60 },
    { "preset_next_normal", 54, 60 },
    { "preset_next_pressed", 54, 60 },
    { "preset_next_disabled", 54, 60 },
    // preset manager panel
    { "pm_frame_top_left2x", 32, 32 },
    { "pm_frame_top2x", 32, 32 },
    { "pm_frame_top_right2x", 32, 32 },
    { "pm_frame_left2x", 32, 32 },
    { "pm_frame_centre2x", 32, 32 },
    { "pm_frame_right2x", 32, 32 },
    { "pm_frame_bottom_left2x", 32, 32 },
    { "pm_frame_bottom2x", 32, 32 },
    { "pm_frame_bottom_right2x", 32, 32 },
    { "pm_word_category2x", 82, 14 },
    { "pm_word_preset2x", 60, 14 },
    { "pm_word_preset_name2x", 106, 14 },
    { "pm_save_normal2x", 106, 48 },
    { "pm_save_pressed2x", 106, 48 },
    { "pm_save_disabled2x", 106, 48 },
    { "pm_save_as_normal2x", 144, 48 },
    { "pm_save_as_pressed2x", 144, 48 },
    { "pm_load_normal2x", 120, 48 },
    { "pm_load_pressed2x", 120, 48 },
    { "pm_export_normal2x", 136, 48 },
    { "pm_export_pressed2x", 136, 48 },
    { "pm_dialog_cancel_normal2x", 96, 48 },
    { "pm_dialog_cancel_pressed2x", 96, 48 },
    { "pm_dialog_save_normal2x", 112, 48 },
    { "pm_dialog_save_pressed2x", 112, 48 },
    { "pm_dialog_save_disabled2x", 112, 48 },
    { "pm_overwrite_normal2x", 112, 48 },
    { "pm_overwrite_pressed2x", 112, 48 },
    { "pm_delete_normal2x", 96, 48 },
    { "pm_delete_pressed2x", 96, 48 },
    { "pm_trash_normal2x", 36, 36 },
    { "pm_trash_pressed2x", 36, 36 },
};

inline constexpr int numArtworkEntries = (int) (sizeof (artworkCatalogue) / sizeof (artworkCatalogue[0]));

} // namespace corvane
