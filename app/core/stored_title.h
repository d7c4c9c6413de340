// How a stored "LastWindow" value is settled into the 100-byte LastWindowText.
// Platform-free so every odd registry shape can be tested natively.
#pragma once
#include <cstddef>

enum class StoredTitleQuery {
    Ok,         // the value fitted; bytes says how many were written
    TooLarge,   // the value did not fit the buffer (its bytes are not trustworthy)
    Failed,     // missing value or any other failure
};

constexpr std::size_t kTitleCapacity = 100;
constexpr unsigned long kRegSz = 1;

// text is the 100-byte buffer the query wrote into. Afterwards it always holds a
// NUL within its 100 bytes: a value of another type, one that did not fit, or a
// failed query gives the empty text; a value without NUL is cut at its length,
// and a full 100-byte value without NUL keeps its first 99 characters.
void SettleStoredTitle(char* text, StoredTitleQuery query, unsigned long type, unsigned long bytes);
