#include "catalogue/core/labels.h"

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

const char* HideShowLabel(int targetHidden)
{
    return targetHidden == 1 ? kShowText : kHideText;
}
