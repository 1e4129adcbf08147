// The main window by keyboard and through the system's accessibility interface,
// in this process and from another one.
#include "MainWindowFixture.h"

#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "mainwnd/HotSpotId.h"
#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "support/MessagePump.h"
#include "support/TopDownDib.h"

#include <oleacc.h>

#include <algorithm>
#include <cstdlib>

namespace {

const IID kIAccessible = __uuidof(IAccessible);

std::string SelfPath()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

VARIANT Child(long id)
{
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::string Name(IAccessible* object, long child)
{
    BSTR name = nullptr;
    if (FAILED(object->get_accName(Child(child), &name)) || !name)
        return "(none)";
    const std::string text = Narrow(name);
    ::SysFreeString(name);
    return text;
}

std::vector<std::string> ChildNames(IAccessible* object)
{
    long count = 0;
    object->get_accChildCount(&count);
    std::vector<std::string> names;
    for (long child = 1; child <= count; ++child)
        names.push_back(Name(object, child));
    return names;
}

ComPtr<IAccessible> ClientObject(HWND window)
{
    ComPtr<IAccessible> object;
    ::AccessibleObjectFromWindow(window, OBJID_CLIENT, kIAccessible, object.put_void());
    return object;
}

// The names of the home view's hot spots, in the order Tab walks them.
const std::vector<std::string> kHomeEnglish = {"Notes", "Timer", "German weather", "Zorla 1.0 on the web",
                                               "Send me to a friend", "Close"};
const std::vector<std::string> kHomeGerman = {"Notizen", "Timer", "Biergartenwetter", "Zorla 1.0 im Netz",
                                              "Sende mich an einen Freund", "Schließen"};

class MainAccess : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    void TearDown() override
    {
        MainWindowFixture::TearDown();
        ::CoUninitialize();
    }

    // A key as the modal loop hands it on: the window's keys first, then the
    // control's own handling.
    void Press(WPARAM key, bool shift = false)
    {
        BYTE keys[256] = {};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG message{::GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
        if (!CWnd::WalkPreTranslateTree(&message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        PumpPendingMessages();
    }
    MainView View() const { return dlg->Face().GetView(); }
    int Focused() const { return dlg->Keyboard().FocusedHotSpot(); }

    // Pixels of the mark's colour around a hot spot, as the screen shows them.
    int MarkPixels(int hotSpot)
    {
        ::UpdateWindow(window);
        RECT box = dlg->Keyboard().Find(hotSpot)->Bounds();
        ::InflateRect(&box, 3, 3);
        const int width = box.right - box.left, height = box.bottom - box.top;
        DWORD* bits = nullptr;
        GdiBitmap target = CreateTopDownDib(width, height, &bits);
        MemoryDC memory(::CreateCompatibleDC(nullptr));
        {
            SelectScope select(memory.get(), target.get());
            WindowDCScope source(window);
            ::BitBlt(memory.get(), 0, 0, width, height, source.dc(), box.left, box.top, SRCCOPY);
        }
        ::GdiFlush();
        const DWORD mark = RGB(165, 114, 49);  // the blue, as a DIB holds it
        return static_cast<int>(std::count_if(bits, bits + width * height,
                                              [mark](DWORD p) { return (p & 0xFFFFFF) == mark; }));
    }
};
using GermanMainAccess = MainAccess;

// What a screen reader hears of this process: the window, object and child of
// every focus and reorder event, delivered through the message queue.
class HeardEvents {
public:
    struct Event {
        DWORD event;
        HWND window;
        LONG object;
        LONG child;
    };
    HeardEvents()
        : m_hook(::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_FOCUS, nullptr, Heard, ::GetCurrentProcessId(), 0,
                                   WINEVENT_OUTOFCONTEXT))
    {
        s_heard.clear();
    }
    ~HeardEvents() { ::UnhookWinEvent(m_hook); }
    HeardEvents(const HeardEvents&) = delete;
    HeardEvents& operator=(const HeardEvents&) = delete;

    bool Heard(DWORD event, HWND window, LONG child) const
    {
        PumpPendingMessages();
        return std::any_of(s_heard.begin(), s_heard.end(), [&](const Event& e) {
            return e.event == event && e.window == window && e.object == OBJID_CLIENT && e.child == child;
        });
    }

private:
    static void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
    {
        s_heard.push_back(Event{event, window, object, child});
    }
    static std::vector<Event> s_heard;
    HWINEVENTHOOK m_hook;
};
std::vector<HeardEvents::Event> HeardEvents::s_heard;
using MainKeyboardTest = MainAccess;

TEST_F(MainKeyboardTest, TabAndArrowsWalkTheHotSpotsOfHomeAndTheMarkFollows)
{
    Open();
    ::SetFocus(window);
    const int unmarked = MarkPixels(HotSpotNotes);
    const int unmarkedClose = MarkPixels(HotSpotClose);
    struct Row {
        WPARAM key;
        bool shift;
        int focused;
    };
    const Row rows[] = {
        {VK_TAB, false, HotSpotNotes},   {VK_TAB, false, HotSpotReminder}, {VK_RIGHT, false, HotSpotWeather},
        {VK_DOWN, false, HotSpotBrandLogo}, {VK_TAB, false, HotSpotEnvelope}, {VK_TAB, false, HotSpotClose},
        {VK_TAB, false, HotSpotNotes},   {VK_LEFT, false, HotSpotClose},   {VK_UP, false, HotSpotEnvelope},
        {VK_TAB, true, HotSpotBrandLogo},
    };
    for (const Row& row : rows) {
        Press(row.key, row.shift);
        EXPECT_EQ(Focused(), row.focused) << "after key " << row.key;
        EXPECT_EQ(::GetFocus(), window);
    }
    Press(VK_TAB, true);
    Press(VK_TAB, true);
    ASSERT_EQ(Focused(), HotSpotReminder);
    Press(VK_TAB, true);
    ASSERT_EQ(Focused(), HotSpotNotes);
    EXPECT_GE(MarkPixels(HotSpotNotes), unmarked + 100) << "the mark is drawn around the focused hot spot";
    Press(VK_TAB, true);
    ASSERT_EQ(Focused(), HotSpotClose);
    EXPECT_LE(MarkPixels(HotSpotNotes), unmarked) << "and gone when the focus moves on";
    EXPECT_GE(MarkPixels(HotSpotClose), unmarkedClose + 40);
}

TEST_F(MainKeyboardTest, EnterPressesEscapeGoesHomeAndTheEditorKeepsItsKeys)
{
    Open();
    ::SetFocus(window);
    HeardEvents events;
    for (int i = 0; i < 3; ++i)
        Press(VK_TAB);
    ASSERT_EQ(Focused(), HotSpotWeather);
    EXPECT_TRUE(events.Heard(EVENT_OBJECT_FOCUS, window, 3)) << "a screen reader hears the weather's button focused";
    Press(VK_RETURN);
    EXPECT_EQ(View(), MainView::Weather);
    EXPECT_TRUE(events.Heard(EVENT_OBJECT_REORDER, window, CHILDID_SELF)) << "and the view's buttons changing";
    EXPECT_TRUE(::IsWindow(window)) << "Enter never closes the window";
    Press(VK_ESCAPE);
    EXPECT_EQ(View(), MainView::Home);
    EXPECT_EQ(Focused(), HotSpotNotes) << "home starts the ring again";
    Press(VK_SPACE);
    ASSERT_EQ(View(), MainView::Notes);
    ASSERT_EQ(::GetFocus(), Item(IDC_EDITOR_TEXT));
    SetWindowTextString(Item(IDC_EDITOR_TEXT), "Milk");
    SendMessageA(Item(IDC_EDITOR_TEXT), EM_SETSEL, 4, 4);
    Press(VK_RETURN);
    EXPECT_EQ(GetWindowTextString(Item(IDC_EDITOR_TEXT)), "Milk\r\n") << "Enter makes a new line in the editor";
    EXPECT_EQ(View(), MainView::Notes);
    Press(VK_TAB);
    EXPECT_EQ(Focused(), HotSpotFileNote) << "Tab moves on from the editor to filing the note";
    EXPECT_EQ(GetWindowTextString(Item(IDC_EDITOR_TEXT)), "Milk\r\n");
    Press(VK_TAB, true);
    EXPECT_EQ(::GetFocus(), Item(IDC_EDITOR_TEXT));
}

TEST_F(MainAccess, ListsPressesAndPlacesTheHotSpots)
{
    Open();
    ComPtr<IAccessible> client = ClientObject(window);
    ASSERT_TRUE(client);
    EXPECT_EQ(ChildNames(client.get()), kHomeEnglish);
    VARIANT role;
    ASSERT_EQ(client->get_accRole(Child(1), &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON);
    BSTR action = nullptr;
    ASSERT_EQ(client->get_accDefaultAction(Child(1), &action), S_OK);
    EXPECT_EQ(Narrow(action), "Press");
    ::SysFreeString(action);

    RECT frame{};
    ::GetWindowRect(window, &frame);
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(client->accLocation(&left, &top, &width, &height, Child(6)), S_OK);  // the close button
    EXPECT_EQ((std::vector<long>{left, top, width, height}), (std::vector<long>{frame.left + 399, frame.top + 260, 22, 23}));

    ::SetFocus(window);
    ASSERT_EQ(client->accSelect(SELFLAG_TAKEFOCUS, Child(2)), S_OK);
    VARIANT focus;
    ASSERT_EQ(client->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.lVal, 2);
    VARIANT state;
    ASSERT_EQ(client->get_accState(Child(2), &state), S_OK);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);

    ASSERT_EQ(client->accDoDefaultAction(Child(3)), S_OK);
    EXPECT_TRUE(PumpMessagesUntil([&] { return View() == MainView::Weather; }));
    EXPECT_EQ(Name(client.get(), 1), "Update weather data") << "the children follow the view";
}

TEST_F(GermanMainAccess, NamesTheHotSpotsInGerman)
{
    FillTranslationTable(GetTranslator());
    Open();
    ComPtr<IAccessible> client = ClientObject(window);
    ASSERT_TRUE(client);
    EXPECT_EQ(ChildNames(client.get()), kHomeGerman);
    BSTR action = nullptr;
    ASSERT_EQ(client->get_accDefaultAction(Child(1), &action), S_OK);
    EXPECT_EQ(Narrow(action), "Drücken");
    ::SysFreeString(action);
}

// Screen readers ask from a process of their own.
TEST_F(MainAccess, AnotherProcessReadsTheHotSpots)
{
    Open();
    TestProcess child;
    ASSERT_TRUE(child.Start(SelfPath(), "--gtest_filter=MainAccessChild.ReadsTheHomeView",
                            {"ZORLA_MAIN_WINDOW=" + std::to_string(reinterpret_cast<UINT_PTR>(window))}));
    ASSERT_TRUE(PumpMessagesUntil([&] { return !child.Running(); }, 60000));
    DWORD code = 1;
    ASSERT_TRUE(child.WaitExit(1000, &code));
    EXPECT_EQ(code, 0u) << "the other process's failure is in the output above";
    EXPECT_TRUE(PumpMessagesUntil([&] { return View() == MainView::Weather; })) << "its press switched the view";
}

TEST(MainAccessChild, ReadsTheHomeView)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        const char* handle = std::getenv("ZORLA_MAIN_WINDOW");
        ASSERT_TRUE(handle);
        HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(handle)));
        ComPtr<IAccessible> client = ClientObject(window);
        ASSERT_TRUE(client);
        EXPECT_EQ(ChildNames(client.get()), kHomeEnglish);
        long left = 0, top = 0, width = 0, height = 0;
        EXPECT_EQ(client->accLocation(&left, &top, &width, &height, Child(6)), S_OK);
        EXPECT_EQ((std::vector<long>{width, height}), (std::vector<long>{22, 23}));
        EXPECT_EQ(client->accDoDefaultAction(Child(3)), S_OK);
    }
    ::CoUninitialize();
}

}  // namespace
