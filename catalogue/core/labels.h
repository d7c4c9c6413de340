// Texts the catalogue shows: list labels, the HideShowButton caption and the
// warning about a vanished target. The Russian texts are Windows-1251 at run time.
#pragma once
#include <cstdint>

constexpr int kLabelNameMax = 104;       // characters of a title or class name kept in a label
constexpr int kLabelBufferBytes = 125;   // the longest label, 106 + 18 characters, and its NUL

// name part, "  [HWND: ", eight hex digits, "]". The name part is the title, or
// "<" + class name + ">" when the title is empty; each is cut at 104 characters.
// A NULL text counts as empty. Returns the label's length.
int BuildWindowLabel(char* out, const char* title, const char* className, uint32_t handle);

// A label's collation key: bytes that order as the list's own comparison orders the
// labels, so that the list can be sorted here and filled at known places.
struct LabelKey {
    const unsigned char* bytes;
    int length;
};

// Puts order[0..count) (indexes into keys) in ascending key order: bytewise, a key that
// is the start of a longer one first, equal keys as they came. scratch holds count entries.
void SortByKeys(uint16_t* order, uint16_t* scratch, int count, const LabelKey* keys);

// The caption names the action the next press requests.
const char* HideShowLabel(int targetHidden);

extern const char kHideText[];
extern const char kShowText[];
extern const char kCloseTargetText[];
extern const char kTargetMissingText[];
extern const char kTargetMissingCaption[];
