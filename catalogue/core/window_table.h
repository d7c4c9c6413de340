// The WindowTable: 20-byte records back to back in one 64 KiB block, written by the
// enumeration and read by the list building through one shared cursor.
// This module owns the table's start, its end limit and the cursor.
#pragma once
#include <cstdint>

struct WindowRecord {
    uint32_t handle;  // 32 bits are significant on every Windows; 0 ends the catalogue
    int32_t width;
    int32_t height;
    int32_t left;
    int32_t top;
};
static_assert(sizeof(WindowRecord) == 20, "records must stay 20 bytes");

constexpr uint32_t kWindowTableBytes = 65536;
// The last place a record may start: one record short of the block's end.
constexpr uint32_t kWindowTableEndLimit = kWindowTableBytes - sizeof(WindowRecord);
constexpr int kWindowTableRecords = kWindowTableEndLimit / sizeof(WindowRecord) + 1;
static_assert(kWindowTableRecords == 3276, "the table holds 3,276 records");

extern unsigned char* WindowTableStart;     // NULL when the block could not be obtained
extern unsigned char* WindowTableEnd;       // the end limit, start + 65,516
extern unsigned char* WindowTableCursor;    // next record to write or to read

// Takes a 64 KiB block for the table and fills it with zero bytes.
void AttachWindowTable(void* block);
void RewindWindowTable();
// True while the cursor is not above the end limit.
bool WindowTableHasRoom();
// Writes one record at the cursor and advances; false when the table is full.
bool StoreWindowRecord(uint32_t handle, int32_t left, int32_t top, int32_t right, int32_t bottom);
// After an enumeration: a zero handle at the cursor, unless the table is full.
void CloseCatalogue();
// The record at the cursor, advancing past it; NULL at the end of the catalogue.
const WindowRecord* NextCatalogueRecord();
