#include "image/RegionResource.h"

#include "framework/AfxFunctions.h"
#include "framework/Handles.h"
#include "resource.h"
#include "support/MessageBoxAnswerer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A real popup window of the program's size, destroyed by the test.
class PopupWindow {
public:
    PopupWindow()
        : m_window(::CreateWindowExA(0, "STATIC", "region test", WS_POPUP, 0, 0, 440, 444, nullptr, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr))
    {}
    ~PopupWindow() { ::DestroyWindow(m_window); }
    HWND get() const { return m_window; }

private:
    HWND m_window;
};

std::vector<BYTE> ResourceBytes(int id)
{
    HMODULE module = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
    const BYTE* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, resource)));
    return std::vector<BYTE>(data, data + ::SizeofResource(module, resource));
}

// The window's region box, or an empty rectangle when it has none.
RECT WindowRegionBox(HWND window)
{
    GdiRegion region(::CreateRectRgn(0, 0, 0, 0));
    RECT box{};
    if (::GetWindowRgn(window, region.get()) != ERROR)
        ::GetRgnBox(region.get(), &box);
    return box;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

std::string Show(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

struct RegionCase {
    int id;
    RECT bounds;
};

TEST(ApplyRegionResource, EveryRegionShapesTheWindowToItsBounds)
{
    const RegionCase cases[] = {
        {IDR_REGION_HOME, {7, 1, 439, 443}},
        {IDR_REGION_OTHER, {0, 1, 439, 443}},
        {IDR_REGION_NOTE, {0, 0, 193, 217}},
        {IDR_REGION_REMINDER, {1, 1, 194, 145}},
    };
    PopupWindow window;
    MessageBoxAnswerer boxes;
    for (const RegionCase& c : cases) {
        const std::vector<BYTE> bytes = ResourceBytes(c.id);
        RGNDATAHEADER header;
        ASSERT_GE(bytes.size(), sizeof header);
        std::memcpy(&header, bytes.data(), sizeof header);
        EXPECT_TRUE(SameRect(header.rcBound, c.bounds)) << c.id << ": " << Show(header.rcBound);
        EXPECT_EQ(bytes.size(), sizeof header + 16 * header.nCount) << c.id;

        ASSERT_TRUE(ApplyRegionResource(c.id, window.get())) << c.id;
        EXPECT_TRUE(SameRect(WindowRegionBox(window.get()), c.bounds))
            << c.id << ": " << Show(WindowRegionBox(window.get()));
    }
    EXPECT_TRUE(boxes.boxes().empty());
    // The outline really is irregular: a corner outside the figure is cut away.
    GdiRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_TRUE(ApplyRegionResource(IDR_REGION_HOME, window.get()));
    ::GetWindowRgn(window.get(), region.get());
    EXPECT_FALSE(::PtInRegion(region.get(), 3, 200));
    EXPECT_TRUE(::PtInRegion(region.get(), 220, 220));
}

struct BadRegion {
    const char* what;
    std::vector<BYTE> bytes;
    const char* message;
};

TEST(ApplyRegionResource, DamagedDataIsReportedAndTheShapeKept)
{
    const std::vector<BYTE> good = ResourceBytes(IDR_REGION_NOTE);
    auto withCount = [&](DWORD count) {
        std::vector<BYTE> bytes = good;
        std::memcpy(bytes.data() + 8, &count, 4);
        return bytes;
    };
    auto withHeaderSize = [&](DWORD size) {
        std::vector<BYTE> bytes = good;
        std::memcpy(bytes.data(), &size, 4);
        return bytes;
    };
    const char* invalidSize = "region has an invalid size";
    const char* cannotCreate = "failed to create a region from that data";
    const std::vector<BadRegion> cases = {
        {"zero bytes", {}, invalidSize},
        {"half a header", std::vector<BYTE>(good.begin(), good.begin() + 20), cannotCreate},
        {"one rectangle too many", withCount((good.size() - 32) / 16 + 1), cannotCreate},
        {"a huge count", withCount(0x10000000), cannotCreate},
        {"rectangles cut off", std::vector<BYTE>(good.begin(), good.end() - 8), cannotCreate},
        {"wrong header size", withHeaderSize(64), cannotCreate},
    };

    PopupWindow window;
    ASSERT_TRUE(ApplyRegionResource(IDR_REGION_OTHER, window.get()));
    for (const BadRegion& c : cases) {
        MessageBoxAnswerer boxes;
        EXPECT_FALSE(ApplyRegionData(c.bytes.data(), c.bytes.size(), window.get())) << c.what;
        ASSERT_EQ(boxes.boxes().size(), 1u) << c.what;
        EXPECT_EQ(boxes.boxes()[0].text, c.message) << c.what;
        EXPECT_TRUE(SameRect(WindowRegionBox(window.get()), RECT{0, 1, 439, 443})) << c.what;
    }
    EXPECT_TRUE(IsValidRegionData(good.data(), good.size()));
}

TEST(ApplyRegionResource, MissingResourceAndMissingWindowAreReported)
{
    PopupWindow window;
    {
        MessageBoxAnswerer boxes;
        EXPECT_FALSE(ApplyRegionResource(999, window.get()));
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, "failed to find region");
    }
    {
        MessageBoxAnswerer boxes;
        EXPECT_FALSE(ApplyRegionResource(IDR_REGION_HOME, nullptr));
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, "failed to set the region for that window");
    }
}

TEST(ApplyRegionCopy, EachWindowGetsItsOwnCopyAndTheRegionStaysTheCallers)
{
    MessageBoxAnswerer boxes;
    GdiRegion outline = LoadRegionResource(IDR_REGION_NOTE);
    ASSERT_TRUE(outline);
    PopupWindow first;
    PopupWindow second;
    ASSERT_TRUE(ApplyRegionCopy(outline.get(), first.get()));
    ASSERT_TRUE(ApplyRegionCopy(outline.get(), second.get(), false));
    // Destroying a window deletes its region; the caller's must live on.
    ::DestroyWindow(first.get());
    EXPECT_EQ(OBJ_REGION, static_cast<int>(::GetObjectType(outline.get())));
    GdiRegion shown(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(COMPLEXREGION, ::GetWindowRgn(second.get(), shown.get()));
    EXPECT_TRUE(::EqualRgn(shown.get(), outline.get()));
    EXPECT_TRUE(SameRect(WindowRegionBox(second.get()), RECT{0, 0, 193, 217}));
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST(LoadRegionResource, AMissingResourceIsReportedAndGivesNoRegion)
{
    MessageBoxAnswerer boxes;
    EXPECT_FALSE(LoadRegionResource(999));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "failed to find region");
}

}  // namespace
