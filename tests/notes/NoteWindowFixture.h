#pragma once

#include "model/ZorlaModel.h"
#include "notes/NoteWindowRegistry.h"
#include "resource.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

inline const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

// Stands in for the main window: owns the registry and counts the times it
// heard of lost windows.
class MainStandIn : public CWnd {
public:
    MainStandIn()
    {
        SubclassWindow(::CreateWindowExA(0, "STATIC", "main", WS_POPUP, 600, 400, 100, 100, nullptr, nullptr,
                                         ::GetModuleHandleA(nullptr), nullptr));
        registry.SetLostHandler([this] { ++lostReports; });
    }
    ~MainStandIn() override
    {
        registry.CloseAllKeepingState();
        ::DestroyWindow(m_hWnd);
    }

    NoteWindowRegistry registry;
    int lostReports = 0;
};

class NoteWindowTest : public ::testing::Test {
protected:
    NoteWindowTest()
        : model(TestPlatform::Context(folder.Path()))
        , notes(model.Notes())
        , timers(model.Reminders())
    {
        model.DeletedBin().LoadOrStartEmpty();
        main.registry.SetModel(&model);
    }

    void LoadNotes(const std::string& entries)
    {
        TestFiles::Write(notes.GetPath(), std::string(kDeclaration) + "<DATABASE>" + entries + "</DATABASE>");
        ASSERT_TRUE(notes.Load());
    }
    void LoadTimers(const std::string& entries)
    {
        TestFiles::Write(timers.GetPath(), std::string(kDeclaration) + "<DATABASE>" + entries + "</DATABASE>");
        ASSERT_TRUE(timers.Load());
    }

    // Opens every entry of the store as the main window does at start-up.
    void OpenAll(EntryStore& store)
    {
        for (CEntry& entry : store.ReadAll())
            main.registry.Open(entry, &main);
    }

    CNoteDlg* Window(const std::string& key) { return main.registry.Find(key); }

    static RECT ScreenRect(HWND window)
    {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        return rect;
    }
    static COLORREF ScreenPixel(int x, int y)
    {
        HDC screen = ::GetDC(nullptr);
        const COLORREF pixel = ::GetPixel(screen, x, y);
        ::ReleaseDC(nullptr, screen);
        return pixel;
    }
    static RECT ChildRect(HWND dialog, int id)
    {
        RECT rect{};
        ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    TempFolder folder;
    ZorlaModel model;
    NoteStore& notes;
    ReminderStore& timers;
    MainStandIn main;
};

