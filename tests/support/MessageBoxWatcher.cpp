#include "support/MessageBoxWatcher.h"

#include "framework/Utf8.h"
#include "support/TestProcess.h"

namespace {

// The fixed control ids of the system's message box: the text and the icon.
const int kTextId = 0xFFFF;
const int kIconId = 0x0440;

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (owner == search->processId && std::string(name) == "#32770" && IsWindowVisible(window) &&
        GetDlgItem(window, kTextId)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool ReadMessageBox(DWORD processId, SeenBox& box, HWND* window)
{
    Search search{processId, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return false;
    // As the program keeps text: UTF-8. Another process's static answers
    // WM_GETTEXT itself.
    wchar_t text[2048] = L"";
    GetWindowTextW(search.found, text, 2048);
    box.caption = Narrow(text);
    GetDlgItemTextW(search.found, kTextId, text, 2048);
    box.text = Narrow(text);
    box.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(search.found, kIconId, STM_GETICON, 0, 0));
    box.owner = GetWindow(search.found, GW_OWNER);
    box.seen = true;
    if (window)
        *window = search.found;
    return true;
}

MessageBoxWatcher::MessageBoxWatcher(DWORD processId, int answer, DWORD ms)
    : m_thread(&MessageBoxWatcher::Watch, this, processId, answer, ms)
{}

MessageBoxWatcher::~MessageBoxWatcher()
{
    if (m_thread.joinable())
        m_thread.join();
}

SeenBox MessageBoxWatcher::Result()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_box;
}

void MessageBoxWatcher::Watch(DWORD processId, int answer, DWORD ms)
{
    HWND window = nullptr;
    if (!WaitUntil([&] { return ReadMessageBox(processId, m_box, &window); }, ms))
        return;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}

namespace {

std::string DrawnPixels(HICON icon)
{
    const int size = 32;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    std::string pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            pixels.append(reinterpret_cast<const char*>(&c), sizeof c);
        }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace

bool SameIconPicture(HICON a, HICON b)
{
    return a && b && DrawnPixels(a) == DrawnPixels(b);
}

HICON SystemIcon(LPCSTR id)
{
    return LoadIconA(nullptr, id);
}
