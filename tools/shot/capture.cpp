#include "tools/shot/capture.h"

#include <cstdio>
#include <cstdint>
#include <cstring>

namespace {

uint32_t CrcTable[256];

void MakeCrcTable()
{
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        CrcTable[n] = c;
    }
}

uint32_t Crc(uint32_t crc, const uint8_t* data, size_t n)
{
    crc = ~crc;
    for (size_t i = 0; i < n; ++i)
        crc = CrcTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void Put32(FILE* f, uint32_t v)
{
    uint8_t b[4] = {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
    fwrite(b, 1, 4, f);
}

void Chunk(FILE* f, const char* type, const uint8_t* data, uint32_t n)
{
    Put32(f, n);
    uint8_t head[4];
    std::memcpy(head, type, 4);
    fwrite(head, 1, 4, f);
    if (n)
        fwrite(data, 1, n, f);
    uint32_t crc = Crc(0, head, 4);
    crc = Crc(crc, data, n);
    Put32(f, crc);
}

// RGB rows, each led by filter byte 0, in zlib "stored" blocks: no compression
// library needed and still a valid PNG.
bool WritePng(const char* path, const uint8_t* rgb, int width, int height)
{
    MakeCrcTable();
    size_t rowBytes = size_t(width) * 3 + 1;
    size_t raw = rowBytes * height;
    size_t blocks = (raw + 65534) / 65535;
    size_t zsize = 2 + raw + blocks * 5 + 4;
    uint8_t* z = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, zsize));
    uint8_t* line = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, raw));
    if (!z || !line)
        return false;
    for (int y = 0; y < height; ++y) {
        line[y * rowBytes] = 0;
        std::memcpy(line + y * rowBytes + 1, rgb + size_t(y) * width * 3, size_t(width) * 3);
    }
    size_t o = 0;
    z[o++] = 0x78;
    z[o++] = 0x01;
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < raw; ++i) {
        a = (a + line[i]) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t done = 0; done < raw;) {
        size_t n = raw - done > 65535 ? 65535 : raw - done;
        z[o++] = done + n == raw ? 1 : 0;
        z[o++] = uint8_t(n);
        z[o++] = uint8_t(n >> 8);
        z[o++] = uint8_t(~n);
        z[o++] = uint8_t(~n >> 8);
        std::memcpy(z + o, line + done, n);
        o += n;
        done += n;
    }
    uint32_t adler = (b << 16) | a;
    z[o++] = uint8_t(adler >> 24);
    z[o++] = uint8_t(adler >> 16);
    z[o++] = uint8_t(adler >> 8);
    z[o++] = uint8_t(adler);

    FILE* f = fopen(path, "wb");
    bool ok = f != NULL;
    if (ok) {
        static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
        fwrite(sig, 1, 8, f);
        uint8_t ihdr[13] = {uint8_t(width >> 24), uint8_t(width >> 16), uint8_t(width >> 8), uint8_t(width),
                            uint8_t(height >> 24), uint8_t(height >> 16), uint8_t(height >> 8), uint8_t(height),
                            8, 2, 0, 0, 0};
        Chunk(f, "IHDR", ihdr, 13);
        Chunk(f, "IDAT", z, uint32_t(o));
        Chunk(f, "IEND", NULL, 0);
        ok = fclose(f) == 0;
    }
    HeapFree(GetProcessHeap(), 0, z);
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
