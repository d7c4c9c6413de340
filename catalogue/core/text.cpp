#include "catalogue/core/text.h"

void FormatHandleHex8(uint32_t handle, char* out)
{
    static const char kDigits[] = "0123456789ABCDEF";
    for (int i = 7; i >= 0; --i) {
        out[i] = kDigits[handle & 0xF];
        handle >>= 4;
    }
    out[8] = '\0';
}

static bool IsBlank(unsigned char c)
{
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

int32_t ParseDecimal(const char* text)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (IsBlank(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Unsigned, so that wrapping on overflow is defined.
    uint32_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10u + static_cast<uint32_t>(*p - '0');
        ++p;
    }
    if (negative)
        value = 0u - value;
    return static_cast<int32_t>(value);
}

void FormatDecimal(int32_t value, char* buffer)
{
    uint32_t magnitude = static_cast<uint32_t>(value);
    if (value < 0) {
        *buffer++ = '-';
        magnitude = 0u - magnitude;  // -2147483648 stays exact as an unsigned number
    }
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10u);
        magnitude /= 10u;
    } while (magnitude != 0);
    while (count > 0)
        *buffer++ = digits[--count];
    *buffer = '\0';
}
