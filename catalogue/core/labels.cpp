#include "catalogue/core/labels.h"

#include <cstring>

#include "catalogue/core/text.h"

const char kHideText[] = "Спрятать";
const char kShowText[] = "Показать";
const char kCloseTargetText[] = "Закрыть";
const char kTargetMissingText[] =
    "           !!! Окно не найдено !!!\n\nОкно вероятно уже закрыто. Обновите список.";
const char kTargetMissingCaption[] = "Ошибка";

static char* CopyCut(char* out, const char* text, int limit)
{
    if (text != nullptr)
        for (int i = 0; i < limit && text[i] != '\0'; ++i)
            *out++ = text[i];
    return out;
}

int BuildWindowLabel(char* out, const char* title, const char* className, uint32_t handle)
{
    char* p = out;
    if (title != nullptr && title[0] != '\0') {
        p = CopyCut(p, title, kLabelNameMax);
    } else {
        *p++ = '<';
        p = CopyCut(p, className, kLabelNameMax);
        *p++ = '>';
    }
    static const char kSeparator[] = "  [HWND: ";
    p = CopyCut(p, kSeparator, sizeof(kSeparator) - 1);
    FormatHandleHex8(handle, p);
    p += 8;
    *p++ = ']';
    *p = '\0';
    return static_cast<int>(p - out);
}

static bool KeyBefore(const LabelKey& a, const LabelKey& b)
{
    const int common = a.length < b.length ? a.length : b.length;
    const int order = std::memcmp(a.bytes, b.bytes, static_cast<size_t>(common));
    return order < 0 || (order == 0 && a.length < b.length);
}

// Bottom-up merge sort: n log n comparisons at most, no recursion, no allocation.
void SortByKeys(uint16_t* order, uint16_t* scratch, int count, const LabelKey* keys)
{
    uint16_t* from = order;
    uint16_t* to = scratch;
    for (int width = 1; width < count; width *= 2) {
        for (int start = 0; start < count; start += 2 * width) {
            const int middle = start + width < count ? start + width : count;
            const int end = start + 2 * width < count ? start + 2 * width : count;
            int left = start, right = middle, out = start;
            while (left < middle && right < end)
                to[out++] = KeyBefore(keys[from[right]], keys[from[left]]) ? from[right++] : from[left++];
            while (left < middle)
                to[out++] = from[left++];
            while (right < end)
                to[out++] = from[right++];
        }
        uint16_t* swap = from;
        from = to;
        to = swap;
    }
    if (from != order)
        std::memcpy(order, from, static_cast<size_t>(count) * sizeof(uint16_t));
}

const char* HideShowLabel(int targetHidden)
{
    return targetHidden == 1 ? kShowText : kHideText;
}
