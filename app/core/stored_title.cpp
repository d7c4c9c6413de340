#include "app/core/stored_title.h"

void SettleStoredTitle(char* text, StoredTitleQuery query, unsigned long type, unsigned long bytes)
{
    if (query != StoredTitleQuery::Ok || type != kRegSz) {
        text[0] = '\0';
        return;
    }
    if (bytes >= kTitleCapacity)
        text[kTitleCapacity - 1] = '\0';
    else
        text[bytes] = '\0';
}
