#include "image/PLDIBSection.h"

#include "image/PLTextException.h"

#include <utility>

PLDIBSection::PLDIBSection(PLDIBSection&& other) noexcept
{
    *this = std::move(other);
}

PLDIBSection& PLDIBSection::operator=(PLDIBSection&& other) noexcept
{
    if (this != &other) {
        m_width = std::exchange(other.m_width, 0);
        m_height = std::exchange(other.m_height, 0);
        m_bitsPerPixel = std::exchange(other.m_bitsPerPixel, 0);
        m_palette = other.m_palette;
        m_section = std::move(other.m_section);
        m_bits = std::exchange(other.m_bits, nullptr);
    }
    return *this;
}

void PLDIBSection::Create(int width, int height, int bitsPerPixel)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD palette[256];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;  // positive: bottom-up rows
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.header.biCompression = BI_RGB;

    std::array<RGBQUAD, 256> palette{};
    if (bitsPerPixel == 8) {
        for (int i = 0; i < 256; ++i) {
            const BYTE grey = static_cast<BYTE>(i);
            palette[i] = RGBQUAD{grey, grey, grey, 0};
            info.palette[i] = palette[i];
        }
    }

    void* bits = nullptr;
    HBITMAP section = nullptr;
    if (width > 0 && height > 0 && (bitsPerPixel == 8 || bitsPerPixel == 32))
        section = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) {
        if (section)
            ::DeleteObject(section);
        throw PLTextException(PL_ERRNO_MEMORY, "Out of memory creating bitmap.");
    }

    m_section.reset(section);
    m_bits = static_cast<BYTE*>(bits);
    m_width = width;
    m_height = height;
    m_bitsPerPixel = bitsPerPixel;
    m_palette = palette;
}

void PLDIBSection::Draw(HDC dc, int x, int y, DWORD rop) const
{
    Blit(dc, x, y, m_width, m_height, 0, 0, rop);
}

void PLDIBSection::DrawPart(HDC dc, POINT dest, const RECT& source) const
{
    Blit(dc, dest.x, dest.y, source.right - source.left, source.bottom - source.top, source.left, source.top, SRCCOPY);
}

void PLDIBSection::Blit(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY, DWORD rop) const
{
    if (!dc || !m_section || width <= 0 || height <= 0)
        return;
    MemoryDC memory(::CreateCompatibleDC(dc));
    if (!memory)
        return;
    SelectScope select(memory.get(), m_section.get());
    if (m_bitsPerPixel == 8)
        ::SetDIBColorTable(memory.get(), 0, 256, m_palette.data());
    ::BitBlt(dc, x, y, width, height, memory.get(), sourceX, sourceY, rop);
}
