// A process's GDI objects, counted in Wine's handle table in its PEB (GetGuiResources gives 0 under Wine): 65,536 cells
// of 24 bytes, a type byte at 14 when used (1: a display context). objects is -1 when the table cannot be read.
#pragma once
#include <windows.h>
#include <winternl.h>

#include <vector>

struct GdiObjects { long objects, dcs; };

inline GdiObjects CountGdiObjects(HANDLE process)
{
    static std::vector<unsigned char> cells(65536 * 24);
    GdiObjects n = {-1, 0};
    PROCESS_BASIC_INFORMATION info = {};
    char* table = NULL;
    const size_t at = sizeof(void*) == 4 ? 0x94 : 0xF8;  // of the table's address in the PEB
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &info, sizeof(info), NULL) == 0 &&
        ReadProcessMemory(process, (char*)info.PebBaseAddress + at, &table, sizeof(table), NULL) && table &&
        ReadProcessMemory(process, table, cells.data(), cells.size(), NULL))
        for (size_t i = n.objects = 0; i < 65536; ++i) n.objects += cells[i * 24 + 14] != 0, n.dcs += cells[i * 24 + 14] == 1;
    return n;
}
