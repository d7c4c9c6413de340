#include "tools/shot/capture.h"

#include <cstdio>
#include <cstdint>
#include <cstring>
#include <zlib.h>

namespace {

void Put32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

void Chunk(FILE* f, const char* type, const uint8_t* data, uint32_t n)
{
    uint8_t head[8];
    Put32(head, n);
    std::memcpy(head + 4, type, 4);
    fwrite(head, 1, 8, f);
    if (n)
        fwrite(data, 1, n, f);
    // crc32 with a null buffer starts afresh instead of going on: only add data that exists.
    uLong sum = crc32(0, head + 4, 4);
    if (n)
        sum = crc32(sum, data, n);
    uint8_t crc[4];
    Put32(crc, uint32_t(sum));
    fwrite(crc, 1, 4, f);
}

// RGB rows, each led by filter byte 0, deflated by zlib (same input, same file).
bool WritePng(const char* path, const uint8_t* rgb, int width, int height)
{
    size_t rowBytes = size_t(width) * 3 + 1;
    uLong raw = uLong(rowBytes * height);
    uLongf zsize = compressBound(raw);
    uint8_t* line = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, raw));
    uint8_t* z = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, zsize));
    bool ok = line != NULL && z != NULL;
    if (ok) {
        for (int y = 0; y < height; ++y) {
            line[y * rowBytes] = 0;
            std::memcpy(line + y * rowBytes + 1, rgb + size_t(y) * width * 3, size_t(width) * 3);
        }
        ok = compress2(z, &zsize, line, raw, Z_BEST_COMPRESSION) == Z_OK;
    }
    FILE* f = ok ? fopen(path, "wb") : NULL;
    if (f != NULL) {
        static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
        fwrite(sig, 1, 8, f);
        uint8_t ihdr[13] = {0, 0, 0, 0, 0, 0, 0, 0, 8, 2, 0, 0, 0};
        Put32(ihdr, uint32_t(width));
        Put32(ihdr + 4, uint32_t(height));
        Chunk(f, "IHDR", ihdr, 13);
        Chunk(f, "IDAT", z, uint32_t(zsize));
        Chunk(f, "IEND", NULL, 0);
        ok = fclose(f) == 0;
    } else {
        ok = false;
    }
    if (z)
        HeapFree(GetProcessHeap(), 0, z);
    if (line)
        HeapFree(GetProcessHeap(), 0, line);
    return ok;
}

}  // namespace

bool CaptureWindowPng(HWND window, int width, int height, const char* path)
{
    RECT r;
    if (!GetWindowRect(window, &r))
        return false;
    HDC screen = GetDC(NULL);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi;
    std::memset(&bi, 0, sizeof(bi));
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    uint8_t* rgb = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, size_t(width) * height * 3));
    bool ok = rgb != NULL && bits != NULL;
    if (ok) {
        const uint8_t* src = static_cast<const uint8_t*>(bits);
        for (int i = 0; i < width * height; ++i) {
            rgb[i * 3 + 0] = src[i * 4 + 2];
            rgb[i * 3 + 1] = src[i * 4 + 1];
            rgb[i * 3 + 2] = src[i * 4 + 0];
        }
        ok = WritePng(path, rgb, width, height);
    }
    if (rgb)
        HeapFree(GetProcessHeap(), 0, rgb);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(NULL, screen);
    return ok;
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(NULL);
    COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(NULL, screen);
    return c;
}

HWND WaitForProcessWindow(DWORD pid, const char* cls, const char* title, DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        for (HWND w = FindWindowExA(NULL, NULL, cls, title); w != NULL; w = FindWindowExA(NULL, w, cls, title)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == pid && IsWindowVisible(w))
                return w;
        }
        if (GetTickCount() - start > ms)
            return NULL;
        Sleep(50);
    }
}

void SendPointer(DWORD flags, int x, int y)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    // Rounded up, so that scaling back and truncating lands on the pixel itself.
    in.mi.dx = (x * 65536 + w - 1) / w;
    in.mi.dy = (y * 65536 + h - 1) / h;
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof(in));
}
