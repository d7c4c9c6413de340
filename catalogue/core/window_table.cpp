#include "catalogue/core/window_table.h"

#include <cstring>

unsigned char* WindowTableStart = nullptr;
unsigned char* WindowTableEnd = nullptr;
unsigned char* WindowTableCursor = nullptr;

// Every record access goes through here, so nothing is read or written past the limit.
bool WindowTableHasRoom()
{
    return WindowTableCursor != nullptr && WindowTableCursor <= WindowTableEnd;
}

void AttachWindowTable(void* block)
{
    WindowTableStart = static_cast<unsigned char*>(block);
    WindowTableCursor = WindowTableStart;
    if (block == nullptr) {
        WindowTableEnd = nullptr;
        return;
    }
    WindowTableEnd = WindowTableStart + kWindowTableEndLimit;
    std::memset(block, 0, kWindowTableBytes);
}

void RewindWindowTable()
{
    WindowTableCursor = WindowTableStart;
}

bool StoreWindowRecord(uint32_t handle, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (!WindowTableHasRoom())
        return false;
    WindowRecord* record = reinterpret_cast<WindowRecord*>(WindowTableCursor);
    record->handle = handle;
    // Differences of arbitrary rectangles must not be signed overflow.
    record->width = static_cast<int32_t>(static_cast<uint32_t>(right) - static_cast<uint32_t>(left));
    record->height = static_cast<int32_t>(static_cast<uint32_t>(bottom) - static_cast<uint32_t>(top));
    record->left = left;
    record->top = top;
    WindowTableCursor += sizeof(WindowRecord);
    return true;
}

void CloseCatalogue()
{
    if (WindowTableHasRoom())
        reinterpret_cast<WindowRecord*>(WindowTableCursor)->handle = 0;
}

const WindowRecord* NextCatalogueRecord()
{
    if (!WindowTableHasRoom())
        return nullptr;
    const WindowRecord* record = reinterpret_cast<const WindowRecord*>(WindowTableCursor);
    if (record->handle == 0)
        return nullptr;
    WindowTableCursor += sizeof(WindowRecord);
    return record;
}
