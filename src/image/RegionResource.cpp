#include "image/RegionResource.h"

#include "framework/AfxFunctions.h"
#include "framework/Handles.h"
#include "framework/Resources.h"

#include <cstring>

namespace {

bool Fail(const char* message)
{
    AfxMessageBox(message, MB_OK);
    return false;
}

}  // namespace

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

bool ApplyRegionResource(int id, HWND window, bool redraw)
{
    const ResourceBytes bytes = FindResourceBytes(AfxGetResourceHandle(), id, RT_RCDATA);
    if (!bytes)
        return Fail("failed to find region");
    return ApplyRegionData(bytes.data, bytes.size, window, redraw);
}

bool ApplyRegionData(const void* data, size_t size, HWND window, bool redraw)
{
    if (size == 0)
        return Fail("region has an invalid size");
    if (!IsValidRegionData(data, size))
        return Fail("failed to create a region from that data");
    GdiRegion region(::ExtCreateRegion(nullptr, static_cast<DWORD>(size), static_cast<const RGNDATA*>(data)));
    if (!region)
        return Fail("failed to create a region from that data");
    if (!::SetWindowRgn(window, region.get(), redraw ? TRUE : FALSE))
        return Fail("failed to set the region for that window");
    // The window owns the region now and deletes it when it gets another.
    region.release();
    return true;
}
