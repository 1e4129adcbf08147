#include "framework/CWnd.h"
#include "framework/Handles.h"

#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

HBITMAP NewBitmap()
{
    return ::CreateBitmap(4, 4, 1, 32, nullptr);
}

bool IsLiveGdiObject(HGDIOBJ object)
{
    return ::GetObjectType(object) != 0;
}

TEST(UniqueHandle, MovingHandsOverTheObjectAndDeletesItOnce)
{
    HBITMAP raw = NewBitmap();
    ASSERT_TRUE(raw);
    GdiBitmap first(raw);
    {
        GdiBitmap second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(first.get(), nullptr);
        EXPECT_EQ(second.get(), raw);
        // The moved-from owner goes out of scope later; only `second` deletes.
    }
    EXPECT_FALSE(IsLiveGdiObject(raw));
}

TEST(UniqueHandle, MoveAssignmentDeletesWhatTheTargetHeld)
{
    HBITMAP kept = NewBitmap();
    HBITMAP replaced = NewBitmap();
    GdiBitmap source(kept);
    GdiBitmap target(replaced);
    target = std::move(source);
    EXPECT_FALSE(IsLiveGdiObject(replaced));
    EXPECT_TRUE(IsLiveGdiObject(kept));
    EXPECT_FALSE(source);

    GdiBitmap& alias = target;
    target = std::move(alias);
    EXPECT_TRUE(IsLiveGdiObject(kept)) << "self-move must not delete";
    target.reset();
    EXPECT_FALSE(IsLiveGdiObject(kept));
}

TEST(UniqueHandle, ReleaseGivesOwnershipAwayAndResetReplaces)
{
    HRGN region = ::CreateRectRgn(0, 0, 10, 10);
    GdiRegion owner(region);
    EXPECT_EQ(owner.release(), region);
    EXPECT_FALSE(owner);
    EXPECT_TRUE(IsLiveGdiObject(region));

    HRGN next = ::CreateRectRgn(0, 0, 5, 5);
    owner.reset(region);
    owner.reset(next);
    EXPECT_FALSE(IsLiveGdiObject(region));
    EXPECT_TRUE(IsLiveGdiObject(next));
    owner.reset(next);  // the same handle again must not delete it
    EXPECT_TRUE(IsLiveGdiObject(next));
}

TEST(UniqueHandle, KernelHandleTreatsBothFailureValuesAsEmpty)
{
    EXPECT_FALSE(KernelHandle(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(KernelHandle(nullptr));

    HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD flags = 0;
    {
        KernelHandle owner(event);
        EXPECT_TRUE(owner);
        EXPECT_TRUE(::GetHandleInformation(event, &flags));
    }
    EXPECT_FALSE(::GetHandleInformation(event, &flags));
}

TEST(SelectScope, PutsBackTheReplacedObjectIntoTheSameDC)
{
    MemoryDC first(::CreateCompatibleDC(nullptr));
    MemoryDC second(::CreateCompatibleDC(nullptr));
    const HGDIOBJ firstOriginal = ::GetCurrentObject(first.get(), OBJ_BITMAP);
    const HGDIOBJ secondOriginal = ::GetCurrentObject(second.get(), OBJ_BITMAP);
    HBITMAP raw = NewBitmap();
    {
        GdiBitmap bitmap(raw);
        {
            SelectScope selected(first.get(), bitmap.get());
            EXPECT_EQ(::GetCurrentObject(first.get(), OBJ_BITMAP), raw);
            EXPECT_EQ(selected.previous(), firstOriginal);
        }
        EXPECT_EQ(::GetCurrentObject(first.get(), OBJ_BITMAP), firstOriginal);
        EXPECT_EQ(::GetCurrentObject(second.get(), OBJ_BITMAP), secondOriginal);
    }
    // Deselected before its owner ended, so the owner could really delete it.
    EXPECT_FALSE(IsLiveGdiObject(raw));
}

TEST(SelectScope, SelectingARegionClipsAndRestoresNothing)
{
    MemoryDC dc(::CreateCompatibleDC(nullptr));
    GdiBitmap bitmap(NewBitmap());
    SelectScope selectBitmap(dc.get(), bitmap.get());
    GdiRegion region(::CreateRectRgn(0, 0, 2, 2));
    {
        SelectScope clip(dc.get(), region.get());
        EXPECT_EQ(clip.previous(), nullptr);
    }
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
}

class PaintingWindow : public CWnd {
public:
    int paints = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT) {
            PaintScope paint(m_hWnd);
            ++paints;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(PaintScope, ValidatesTheWindowSoPaintingStops)
{
    HWND window =
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    PaintingWindow painter;
    ASSERT_TRUE(painter.SubclassWindow(window));
    ::InvalidateRect(window, nullptr, TRUE);
    ::UpdateWindow(window);
    EXPECT_GE(painter.paints, 1);
    EXPECT_FALSE(::GetUpdateRect(window, nullptr, FALSE));
    ::DestroyWindow(window);
}

TEST(DCScopes, ReleaseTheirDCs)
{
    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    HDC client = nullptr;
    {
        ClientDCScope scope(window);
        client = scope.dc();
        ASSERT_TRUE(client);
        EXPECT_EQ(::WindowFromDC(client), window);
    }
    {
        WindowDCScope scope(window);
        ASSERT_TRUE(scope.dc());
        EXPECT_EQ(::WindowFromDC(scope.dc()), window);
    }
    // A released common DC no longer belongs to the window.
    EXPECT_NE(::WindowFromDC(client), window);
    ::DestroyWindow(window);
}

}  // namespace
