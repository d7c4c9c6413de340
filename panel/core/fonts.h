// The panel's font requests and what they become when the face turns out to be
// scalable. The captions are laid out for a bitmap face that maps these small
// requests to its own 8-point size; a scalable face honours them literally, so
// widths come out stretched and the height-1 question mark becomes a dot.
#pragma once

struct FontRequest {
    int height;  // negative: character height, as the platform reads lfHeight
    int width;
    int weight;
};

inline constexpr FontRequest MoreCaptionFont = {9, 5, 500};
inline constexpr FontRequest ButtonCaptionFont = {10, 8, 600};
inline constexpr FontRequest ControlFontRequest = {10, 10, 500};
inline constexpr FontRequest HeadingFont = {15, 10, 900};
inline constexpr FontRequest RadioLabelFont = {11, 8, 500};
inline constexpr FontRequest QuestionMarkFont = {1, 0, 500};
// The tray menu's own record: item labels and the upright caption.
inline constexpr FontRequest MenuItemFont = {10, 8, 100};
inline constexpr FontRequest MenuCaptionFont = {22, 11, 900};

// The face used instead when the template face is scalable.
inline constexpr char ScalableSubstituteFace[] = "Arial";

// Sizes for the substitute face, chosen so that every caption fits its place
// in Arial metrics (Liberation Sans under Wine).
FontRequest ScalableSubstitute(FontRequest requested);
