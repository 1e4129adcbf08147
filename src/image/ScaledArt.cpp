#include "image/ScaledArt.h"

#include "framework/AfxFunctions.h"
#include "framework/Resources.h"
#include "image/AreaResample.h"
#include "image/JpegDecoder.h"
#include "image/RegionResource.h"

#include <utility>

namespace {

const int kDrawnPercents[] = {125, 150, 175, 200};

bool HasPicture(HINSTANCE instance, int id)
{
    return static_cast<bool>(FindResourceBytes(instance, id, MAKEINTRESOURCEA(10)));  // RT_RCDATA
}

// A bitmap resource as a 32-bit picture of the caller's.
bool ReadBitmap(HINSTANCE instance, int id, PLDIBSection& picture)
{
    GdiBitmap loaded(static_cast<HBITMAP>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (!loaded || !::GetObjectA(loaded.get(), sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    PLDIBSection copy;
    copy.Create(info.bmWidth, info.bmHeight, 32);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = info.bmHeight;  // bottom-up, as the section
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    const HDC screen = ::GetDC(nullptr);
    const int lines = ::GetDIBits(screen, loaded.get(), 0, static_cast<UINT>(info.bmHeight), copy.Row(info.bmHeight - 1),
                                  &format, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (lines != info.bmHeight)
        return false;
    picture = std::move(copy);
    return true;
}

}  // namespace

RECT ScaledArt::DecodePicture(JpegDecoder& decoder, HINSTANCE instance, int id, POINT origin,
                              const DisplayScale& scale, PLDIBSection& picture)
{
    const bool doubled = !scale.IsBase() && HasPicture(instance, DoubleId(id));
    PLDIBSection drawn;
    // A whole picture at a whole number of eighths of the doubled drawing
    // (125, 150, 175 %) is scaled by the decoder: the same area each pixel
    // covers, at a fraction of the work.
    const int eighths = scale.Dpi() * 8 / (2 * DisplayScale::kBaseDpi);
    if (doubled && origin.x == 0 && origin.y == 0 && scale.Dpi() * 8 % (2 * DisplayScale::kBaseDpi) == 0 &&
        eighths < 8) {
        decoder.DecodeResource(instance, DoubleId(id), drawn, 32, nullptr, eighths);
        picture = std::move(drawn);
        return RECT{0, 0, picture.Width(), picture.Height()};
    }
    decoder.DecodeResource(instance, doubled ? DoubleId(id) : id, drawn, 32);
    const int sourceDpi = doubled ? 2 * DisplayScale::kBaseDpi : DisplayScale::kBaseDpi;
    const RECT place = {origin.x, origin.y, origin.x + drawn.Width() * DisplayScale::kBaseDpi / sourceDpi,
                        origin.y + drawn.Height() * DisplayScale::kBaseDpi / sourceDpi};
    const RECT target = scale.InnerRect(place);
    if (scale.Dpi() == sourceDpi) {
        picture = std::move(drawn);
        return target;
    }
    AreaResample resample;
    resample.source = &drawn;
    resample.sourceOrigin = POINT{origin.x * sourceDpi / DisplayScale::kBaseDpi,
                                  origin.y * sourceDpi / DisplayScale::kBaseDpi};
    resample.sourceDpi = sourceDpi;
    resample.targetDpi = scale.Dpi();
    resample.Into(target, picture);
    return target;
}

bool ScaledArt::LoadBitmap(HINSTANCE instance, int id, const DisplayScale& scale, PLDIBSection& bitmap, bool hasKey,
                           COLORREF key)
{
    PLDIBSection drawn;
    const bool doubled = !scale.IsBase() && ReadBitmap(instance, DoubleId(id), drawn);
    if (!doubled && !ReadBitmap(instance, id, drawn))
        return false;
    const int sourceDpi = doubled ? 2 * DisplayScale::kBaseDpi : DisplayScale::kBaseDpi;
    if (scale.Dpi() == sourceDpi) {
        bitmap = std::move(drawn);
        return true;
    }
    const RECT place = {0, 0, drawn.Width() * DisplayScale::kBaseDpi / sourceDpi,
                        drawn.Height() * DisplayScale::kBaseDpi / sourceDpi};
    AreaResample resample;
    resample.source = &drawn;
    resample.sourceDpi = sourceDpi;
    resample.targetDpi = scale.Dpi();
    resample.hasKey = hasKey;
    resample.key = key;
    resample.Into(scale.Rect(place), bitmap);
    return true;
}

GdiRegion ScaledArt::LoadRegion(int id, const DisplayScale& scale)
{
    const int percent = scale.Percent();
    HINSTANCE instance = AfxGetResourceHandle();
    // The drawn outline nearest above the scale (or the biggest), shrunk to it.
    int drawnPercent = 100;
    for (int drawn : kDrawnPercents) {
        if (percent <= 100 || drawnPercent >= percent)
            break;
        if (FindResourceBytes(instance, RegionId(id, drawn), MAKEINTRESOURCEA(10)))
            drawnPercent = drawn;
    }
    if (drawnPercent == percent)
        return LoadRegionResource(RegionId(id, drawnPercent));
    const ResourceBytes bytes = FindResourceBytes(instance, RegionId(id, drawnPercent), MAKEINTRESOURCEA(10));
    if (!bytes || !IsValidRegionData(bytes.data, bytes.size))
        return LoadRegionResource(RegionId(id, drawnPercent));  // tells the user what is wrong
    const float factor = static_cast<float>(scale.Dpi()) / (drawnPercent * DisplayScale::kBaseDpi / 100.0f);
    const XFORM shrink = {factor, 0, 0, factor, 0, 0};
    GdiRegion region(::ExtCreateRegion(&shrink, bytes.size, reinterpret_cast<const RGNDATA*>(bytes.data)));
    return region ? std::move(region) : LoadRegionResource(RegionId(id, drawnPercent));
}
