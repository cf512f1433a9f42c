#pragma once

// Every size of the main window's layout, in pixels at 96 dots per inch, kept together so
// that a later scaling step has one place to work on.
namespace dustbane::metrics {

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
inline constexpr int buttonFontHeight = 15;

inline constexpr int statusStripHeight = 26;
inline constexpr int progressWidth = 107;
inline constexpr int progressMaximum = 500;
inline constexpr int statusPanel1Width = 110;
inline constexpr int statusPanel2Width = 115;

inline constexpr int listImageSize = 16;

inline constexpr int aboutWidth = 380;
inline constexpr int aboutHeight = 180;

} // namespace dustbane::metrics
