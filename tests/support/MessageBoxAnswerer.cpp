#include "MessageBoxAnswerer.h"
#include "framework/CWnd.h"

namespace {

thread_local MessageBoxAnswerer* t_current = nullptr;

std::string WindowText(HWND window)
{
    return GetWindowTextString(window);
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(int answer)
    : m_answer(answer)
    , m_previous(t_current)
{
    t_current = this;
    m_hook = ::SetWindowsHookExA(WH_CBT, &MessageBoxAnswerer::HookProc, nullptr, ::GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
    t_current = m_previous;
}

LRESULT CALLBACK MessageBoxAnswerer::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    MessageBoxAnswerer* self = t_current;
    if (code == HCBT_ACTIVATE && self) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = {};
        ::GetClassNameA(window, className, sizeof(className));
        // The text of a message box is its static control 0xFFFF.
        if (std::string(className) == "#32770" && ::GetDlgItem(window, 0xFFFF)) {
            Box box;
            box.caption = WindowText(window);
            box.text = WindowText(::GetDlgItem(window, 0xFFFF));
            box.owner = ::GetWindow(window, GW_OWNER);
            self->m_boxes.push_back(box);
            ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(self->m_answer, BN_CLICKED), 0);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
