#include "framework/AfxFunctions.h"
#include "image/JpegDecoder.h"
#include "image/PLTextException.h"
#include "resource.h"
#include "support/TopDownDib.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

struct PictureSize {
    int id;
    int width;
    int height;
};

const PictureSize kPictures[] = {
    {IDP_HOME, 440, 444},         {IDP_NOTE_EDITOR, 440, 444},  {IDP_WEATHER, 440, 444},
    {IDP_REMINDER_EDITOR, 440, 444}, {IDP_WEATHER_COPY, 440, 444}, {IDP_BLINK_OTHER, 38, 14},
    {IDP_BLINK_HOME, 34, 18},     {IDP_CLOSE_HOVER, 22, 23},    {IDP_ENVELOPE_HOVER, 24, 25},
    {IDP_BACK_HOVER, 25, 23},     {IDP_REFRESH_HOVER, 23, 22},  {IDP_ABOUT, 300, 350},
    {IDP_NOTE, 193, 218},         {IDP_REMINDER, 194, 146},     {IDP_ALERT, 47, 47},
};

// The decoder's message for an id or a buffer, or "" when it decoded.
std::string DecodeError(int id)
{
    JpegDecoder decoder;
    PLDIBSection bitmap;
    try {
        decoder.DecodeResource(AfxGetResourceHandle(), id, bitmap);
    } catch (const PLTextException& e) {
        return e.Text();
    }
    return "";
}

std::string DecodeError(const std::vector<BYTE>& bytes, PLDIBSection& bitmap)
{
    JpegDecoder decoder;
    try {
        decoder.DecodeBuffer(bytes.data(), bytes.size(), bitmap);
    } catch (const PLTextException& e) {
        return e.Text();
    }
    return "";
}

std::vector<BYTE> ResourceBytes(int id)
{
    HMODULE module = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
    const BYTE* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, resource)));
    return std::vector<BYTE>(data, data + ::SizeofResource(module, resource));
}

// A small JPEG made here, so the test knows what every row should hold:
// the top half light, the bottom half dark.
std::vector<BYTE> EncodeTwoTone(int width, int height, bool grey)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = width;
    info.image_height = height;
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<BYTE> row(width * info.input_components);
    while (info.next_scanline < info.image_height) {
        const bool top = info.next_scanline < info.image_height / 2;
        for (int x = 0; x < width; ++x) {
            if (grey) {
                row[x] = top ? 230 : 20;
            } else {
                row[x * 3 + 0] = top ? 240 : 10;  // red on top
                row[x * 3 + 1] = 30;
                row[x * 3 + 2] = top ? 10 : 240;  // blue below
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<BYTE> bytes(out, out + outSize);
    std::free(out);
    return bytes;
}

// A 32-bit top-down DIB to draw into and read back exactly.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill)
        : m_width(width)
        , m_dc(::CreateCompatibleDC(nullptr))
    {
        m_bitmap = CreateTopDownDib(width, height, &m_bits);
        m_old = ::SelectObject(m_dc.get(), m_bitmap.get());
        RECT all = {0, 0, width, height};
        GdiBrush brush(::CreateSolidBrush(fill));
        ::FillRect(m_dc.get(), &all, brush.get());
        ::GdiFlush();
    }
    ~Canvas() { ::SelectObject(m_dc.get(), m_old); }

    HDC dc() const { return m_dc.get(); }
    // 0x00RRGGBB
    DWORD Pixel(int x, int y) const
    {
        ::GdiFlush();
        return m_bits[y * m_width + x] & 0xFFFFFF;
    }

private:
    int m_width;
    MemoryDC m_dc;
    GdiBitmap m_bitmap;
    DWORD* m_bits = nullptr;
    HGDIOBJ m_old = nullptr;
};

// 0x00RRGGBB of a 32-bit bitmap, counted from the top.
DWORD BitmapPixel(const PLDIBSection& bitmap, int x, int y)
{
    const BYTE* p = bitmap.Row(y) + x * 4;
    return static_cast<DWORD>(p[2]) << 16 | static_cast<DWORD>(p[1]) << 8 | p[0];
}

int Channel(DWORD rgb, int shift)
{
    return static_cast<int>((rgb >> shift) & 0xFF);
}

TEST(JpegDecoder, EveryPictureDecodesAtItsSizeInColour)
{
    JpegDecoder decoder;
    for (const PictureSize& picture : kPictures) {
        PLDIBSection bitmap;
        ASSERT_NO_THROW(decoder.DecodeResource(AfxGetResourceHandle(), picture.id, bitmap)) << picture.id;
        EXPECT_EQ(bitmap.Width(), picture.width) << picture.id;
        EXPECT_EQ(bitmap.Height(), picture.height) << picture.id;
        EXPECT_EQ(bitmap.BitsPerPixel(), 32) << picture.id;
        BITMAP info{};
        ASSERT_TRUE(::GetObjectA(bitmap.Handle(), sizeof info, &info));
        EXPECT_EQ(info.bmWidth, picture.width);
        EXPECT_EQ(info.bmHeight, picture.height);
    }
}

TEST(JpegDecoder, ErrorsCarryTheDecoderMessage)
{
    EXPECT_EQ(DecodeError(999), "Decoder error: Opening resource 999 failed\n");
    EXPECT_EQ(DecodeError(IDR_REGION_HOME), "Decoder error: Unknown file type.\n");

    JpegDecoder decoder;
    PLDIBSection bitmap;
    try {
        decoder.DecodeResource(AfxGetResourceHandle(), 999, bitmap);
        FAIL() << "no exception";
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.Code(), PL_ERRFILE_NOT_FOUND);
    }
    // The WAVE resources are no RCDATA; asking for their type finds them, but
    // they are no pictures.
    try {
        decoder.DecodeResource(AfxGetResourceHandle(), IDW_GREETING, bitmap, 0, "WAVE");
        FAIL() << "no exception";
    } catch (const PLTextException& e) {
        EXPECT_EQ(e.Code(), PL_ERRUNKNOWN_FILE_TYPE);
    }
}

TEST(JpegDecoder, DamagedStreamsThrowAndLeaveTheBitmap)
{
    const std::vector<BYTE> good = ResourceBytes(IDP_BLINK_HOME);
    PLDIBSection bitmap;
    ASSERT_EQ(DecodeError(good, bitmap), "");
    const HBITMAP held = bitmap.Handle();

    // A start-of-image marker followed by garbage.
    std::vector<BYTE> garbage = {0xFF, 0xD8, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    // The header cut short: libjpeg finds no image.
    std::vector<BYTE> cut(good.begin(), good.begin() + 40);
    // A frame of zero width.
    std::vector<BYTE> empty = good;
    std::vector<BYTE> empty2 = good;
    for (size_t i = 0; i + 9 < empty.size(); ++i) {
        if (empty[i] == 0xFF && empty[i + 1] == 0xC0) {
            empty[i + 7] = empty[i + 8] = 0;  // width
            empty2[i + 5] = 0x75;             // height 30000
            empty2[i + 6] = 0x30;
            empty2[i + 7] = 0x75;  // width 30000
            empty2[i + 8] = 0x30;
            break;
        }
    }
    ASSERT_NE(empty, good) << "no baseline frame header found";

    for (const auto* bytes : {&garbage, &cut, &empty}) {
        const std::string text = DecodeError(*bytes, bitmap);
        EXPECT_EQ(text.rfind("Decoder error: ", 0), 0u) << text;
        EXPECT_GT(text.size(), std::string("Decoder error: \n").size());
        EXPECT_EQ(bitmap.Handle(), held);
        EXPECT_EQ(bitmap.Width(), 34);
    }
    // 30000 x 30000 would need 3.6 GB: refused before any allocation.
    EXPECT_EQ(DecodeError(empty2, bitmap), "Decoder error: Out of memory creating bitmap.\n");
    EXPECT_EQ(bitmap.Handle(), held);
    EXPECT_EQ(DecodeError(std::vector<BYTE>{0xFF}, bitmap), "Decoder error: Unknown file type.\n");
}

TEST(JpegDecoder, RowsArriveTopFirstInColourAndGrey)
{
    JpegDecoder decoder;
    PLDIBSection colour;
    const std::vector<BYTE> colourBytes = EncodeTwoTone(16, 16, false);
    decoder.DecodeBuffer(colourBytes.data(), colourBytes.size(), colour);
    ASSERT_EQ(colour.BitsPerPixel(), 32);

    PLDIBSection grey;
    const std::vector<BYTE> greyBytes = EncodeTwoTone(13, 16, true);
    decoder.DecodeBuffer(greyBytes.data(), greyBytes.size(), grey);
    ASSERT_EQ(grey.BitsPerPixel(), 8);
    ASSERT_EQ(grey.Width(), 13);

    Canvas canvas(40, 20, RGB(0, 255, 0));
    colour.Draw(canvas.dc(), 0, 0, SRCCOPY);
    grey.Draw(canvas.dc(), 20, 0, SRCCOPY);

    const DWORD top = canvas.Pixel(8, 2);
    const DWORD bottom = canvas.Pixel(8, 13);
    EXPECT_GT(Channel(top, 16), 200) << std::hex << top;  // red on top
    EXPECT_LT(Channel(top, 0), 50) << std::hex << top;
    EXPECT_GT(Channel(bottom, 0), 200) << std::hex << bottom;  // blue below
    EXPECT_LT(Channel(bottom, 16), 50) << std::hex << bottom;

    // Grey goes through the grey palette: equal channels, light over dark.
    const DWORD greyTop = canvas.Pixel(26, 2);
    const DWORD greyBottom = canvas.Pixel(26, 13);
    EXPECT_EQ(Channel(greyTop, 0), Channel(greyTop, 8));
    EXPECT_EQ(Channel(greyTop, 8), Channel(greyTop, 16));
    EXPECT_NEAR(Channel(greyTop, 0), 230, 6);
    EXPECT_NEAR(Channel(greyBottom, 0), 20, 6);
    EXPECT_EQ(canvas.Pixel(33, 5), 0x00FF00u) << "drawn wider than the picture";

    // Asked for 8 bits, a colour picture comes out grey.
    PLDIBSection asked;
    decoder.DecodeBuffer(colourBytes.data(), colourBytes.size(), asked, 8);
    EXPECT_EQ(asked.BitsPerPixel(), 8);
}

TEST(PLDIBSection, DrawPartCopiesExactlyTheBlockInPlace)
{
    JpegDecoder decoder;
    PLDIBSection picture;
    decoder.DecodeResource(AfxGetResourceHandle(), IDP_HOME, picture);
    const COLORREF fill = RGB(255, 0, 255);
    Canvas canvas(440, 444, fill);

    const RECT block = {62, 138, 100, 152};
    picture.DrawPart(canvas.dc(), POINT{block.left, block.top}, block);

    int copied = 0;
    for (int y = block.top - 2; y < block.bottom + 2; ++y) {
        for (int x = block.left - 2; x < block.right + 2; ++x) {
            const POINT p = {x, y};
            if (::PtInRect(&block, p)) {
                ASSERT_EQ(canvas.Pixel(x, y), BitmapPixel(picture, x, y)) << x << "," << y;
                ++copied;
            } else {
                ASSERT_EQ(canvas.Pixel(x, y), 0xFF00FFu) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(copied, 38 * 14);
}

TEST(PLDIBSection, MovingHandsOverTheSection)
{
    JpegDecoder decoder;
    PLDIBSection first;
    decoder.DecodeResource(AfxGetResourceHandle(), IDP_ALERT, first);
    const HBITMAP handle = first.Handle();
    PLDIBSection second(std::move(first));
    EXPECT_TRUE(first.IsEmpty());
    EXPECT_EQ(first.Width(), 0);
    EXPECT_EQ(second.Handle(), handle);
    EXPECT_EQ(second.Width(), 47);

    decoder.DecodeResource(AfxGetResourceHandle(), IDP_BLINK_OTHER, second);
    EXPECT_EQ(::GetObjectType(handle), 0u) << "the replaced section is deleted";
    Canvas canvas(4, 4, RGB(1, 2, 3));
    first.Draw(canvas.dc(), 0, 0, SRCCOPY);  // empty: draws nothing
    EXPECT_EQ(canvas.Pixel(0, 0), 0x010203u);
}

}  // namespace
