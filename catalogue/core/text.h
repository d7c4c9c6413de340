// The catalogue's own text conversions: handles in hexadecimal, numbers in decimal.
#pragma once
#include <cstdint>

// Exactly eight upper-case hexadecimal digits and a NUL (9 bytes) at out.
void FormatHandleHex8(uint32_t handle, char* out);
// Leading white space, an optional sign, then digits up to the first other byte.
// Overflow wraps as 32-bit arithmetic would; text without digits gives 0.
int32_t ParseDecimal(const char* text);
// Signed base 10, NUL-terminated; the buffer holds at least 12 bytes.
void FormatDecimal(int32_t value, char* buffer);
