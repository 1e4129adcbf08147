#include "image/RegionResource.h"

#include "framework/AfxFunctions.h"
#include "framework/Handles.h"
#include "framework/Resources.h"

#include <cstring>
#include <utility>

bool IsValidRegionData(const void* data, size_t size)
{
    if (!data || size < sizeof(RGNDATAHEADER))
        return false;
    RGNDATAHEADER header;
    memcpy(&header, data, sizeof header);
    const size_t room = size - sizeof(RGNDATAHEADER);
    return header.dwSize == sizeof(RGNDATAHEADER) && header.iType == RDH_RECTANGLES &&
           header.nCount <= room / sizeof(RECT) && header.nRgnSize <= room;
}

namespace {

bool Fail(const char* message)
{
    AfxMessageBox(message, MB_OK);
    return false;
}

// Null, the user told, when the data is no region.
GdiRegion RegionFromData(const void* data, size_t size)
{
    if (size == 0) {
        Fail("region has an invalid size");
        return GdiRegion();
    }
    if (!IsValidRegionData(data, size)) {
        Fail("failed to create a region from that data");
        return GdiRegion();
    }
    GdiRegion region(::ExtCreateRegion(nullptr, static_cast<DWORD>(size), static_cast<const RGNDATA*>(data)));
    if (!region)
        Fail("failed to create a region from that data");
    return region;
}

bool SetOwnedRegion(GdiRegion region, HWND window, bool redraw)
{
    if (!::SetWindowRgn(window, region.get(), redraw ? TRUE : FALSE))
        return Fail("failed to set the region for that window");
    // The window owns the region now and deletes it when it gets another.
    region.release();
    return true;
}

}  // namespace

GdiRegion LoadRegionResource(int id)
{
    const ResourceBytes bytes = FindResourceBytes(AfxGetResourceHandle(), id, RT_RCDATA);
    if (!bytes) {
        Fail("failed to find region");
        return GdiRegion();
    }
    return RegionFromData(bytes.data, bytes.size);
}

bool ApplyRegionResource(int id, HWND window, bool redraw)
{
    GdiRegion region = LoadRegionResource(id);
    return region && SetOwnedRegion(std::move(region), window, redraw);
}

bool ApplyRegionData(const void* data, size_t size, HWND window, bool redraw)
{
    GdiRegion region = RegionFromData(data, size);
    return region && SetOwnedRegion(std::move(region), window, redraw);
}

bool ApplyRegionCopy(HRGN region, HWND window, bool redraw)
{
    GdiRegion copy(::CreateRectRgn(0, 0, 0, 0));
    if (!copy || ::CombineRgn(copy.get(), region, nullptr, RGN_COPY) == ERROR)
        return Fail("failed to create a region from that data");
    return SetOwnedRegion(std::move(copy), window, redraw);
}
