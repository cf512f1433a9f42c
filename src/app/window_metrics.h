#pragma once

// Every size of the main window's layout, in pixels at 96 dots per inch; the windows scale
// each one to the density of the screen they are on with scaled().
namespace dustbane::metrics {

inline constexpr int designDpi = 96;

// A designed length at the given density, rounded to the nearest pixel as MulDiv rounds. A
// density the system could not tell (0 or less) is taken as the designed one.
constexpr int scaled(int pixels, int dpi) {
    if (dpi <= 0) {
        dpi = designDpi;
    }
    long long product = static_cast<long long>(pixels) * dpi;
    long long half = designDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / designDpi
                                         : -((-product + half) / designDpi));
}

inline constexpr int windowWidth = 761;
inline constexpr int windowHeight = 595;
// The smallest outer size the user can drag the window to.
inline constexpr int minimumWindowWidth = 420;
inline constexpr int minimumWindowHeight = 240;

inline constexpr int toolbarHeightText = 80;
inline constexpr int toolbarHeightIcons = 60;
inline constexpr int buttonTop = 2;
inline constexpr int buttonWidthText = 72;
inline constexpr int buttonHeightText = 75;
inline constexpr int buttonPitchText = 73;
inline constexpr int buttonSizeIcons = 55;
inline constexpr int buttonPitchIcons = 56;
inline constexpr int buttonPictureSize = 36;
// The clean picture is one pixel shorter than the others.
inline constexpr int cleanPictureHeight = 35;
// From the button's top to the picture's when a caption is shown, and from the picture to
// the caption.
inline constexpr int pictureTopWithCaption = 7;
inline constexpr int captionGap = 4;
inline constexpr int captionMargin = 2;
inline constexpr int buttonFontHeight = 15;

inline constexpr int statusStripHeight = 26;
// The progress bar sits this far inside the strip, above and below.
inline constexpr int progressInset = 2;
inline constexpr int progressWidth = 107;
inline constexpr int progressMaximum = 500;
inline constexpr int statusPanel1Width = 110;
inline constexpr int statusPanel2Width = 115;

inline constexpr int listImageSize = 16;
// Room for the image and the padding around the text in the main list's one column.
inline constexpr int listColumnPadding = 32;

inline constexpr int aboutWidth = 380;
inline constexpr int aboutHeight = 180;

} // namespace dustbane::metrics
