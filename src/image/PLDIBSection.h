#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <array>

// A device-independent bitmap section: 32-bit blue-green-red-x pixels, or 8-bit
// with a grey palette, rows stored bottom-up and padded to 4 bytes. Move-only,
// because it owns its section.
class PLDIBSection {
public:
    PLDIBSection() = default;
    PLDIBSection(PLDIBSection&& other) noexcept;
    PLDIBSection& operator=(PLDIBSection&& other) noexcept;
    PLDIBSection(const PLDIBSection&) = delete;
    PLDIBSection& operator=(const PLDIBSection&) = delete;

    // Replaces the picture by an empty one of this size; bitsPerPixel is 8 or 32.
    // Throws PLTextException ("Out of memory creating bitmap.") when Windows
    // cannot give the section.
    void Create(int width, int height, int bitsPerPixel);

    // Copies the whole picture with its top-left corner at (x, y).
    void Draw(HDC dc, int x, int y, DWORD rop = SRCCOPY) const;
    // Copies the part inside source (right and bottom exclusive) to dest.
    void DrawPart(HDC dc, POINT dest, const RECT& source) const;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int BitsPerPixel() const { return m_bitsPerPixel; }
    bool IsEmpty() const { return !m_section; }
    HBITMAP Handle() const { return m_section.get(); }

    int Stride() const { return ((m_width * m_bitsPerPixel + 31) / 32) * 4; }
    // Row y counted from the top of the picture.
    BYTE* Row(int y) const { return m_bits + static_cast<size_t>(m_height - 1 - y) * Stride(); }

private:
    // Copies from a memory DC holding the section; the palette goes in first.
    void Blit(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY, DWORD rop) const;

    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 0;
    // The grey ramp of 8-bit pictures; unused for 32-bit ones.
    std::array<RGBQUAD, 256> m_palette{};
    GdiBitmap m_section;
    BYTE* m_bits = nullptr;
};
