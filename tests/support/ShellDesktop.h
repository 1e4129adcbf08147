#pragma once

#include <windows.h>

#include <vector>

// The shell's desktop windows, built in this process with the shell's class
// names, because Wine has none. The top-level windows cover the screen at the
// bottom of the z-order; the view sits a little inside its top-level window, so
// its client coordinates differ from the screen's. Destroying the object
// destroys the windows and makes CDesktopHost forget the view it found.
//
//     ShellDesktop desktop(ShellDesktop::Classic);
//     HWND view = desktop.View();
class ShellDesktop {
public:
    enum Arrangement {
        // "Progman" -> "SHELLDLL_DefView" -> "SysListView32".
        Classic,
        // An empty "Progman"; a top-level "WorkerW" -> view -> icon list.
        WorkerW,
        // Classic, and the view also holds a document window with the browser,
        // "Internet Explorer_Server", inside it.
        WebView,
        // WebView with an empty document window: no browser.
        WebViewWithoutBrowser,
        // WorkerW, with a top-level "XDesktopOverlay" in front of the "WorkerW":
        // its first child is no view, its second child is a view without icons.
        ForeignTopLevel,
    };

    static constexpr POINT kViewOffset = {8, 16};

    explicit ShellDesktop(Arrangement arrangement);
    ~ShellDesktop();
    ShellDesktop(const ShellDesktop&) = delete;
    ShellDesktop& operator=(const ShellDesktop&) = delete;

    HWND Progman() const { return m_progman; }
    // The "SHELLDLL_DefView" that holds the icons.
    HWND View() const { return m_view; }
    HWND IconList() const { return m_iconList; }
    // "Internet Explorer_Server", or null.
    HWND Browser() const { return m_browser; }
    // The top-level "WorkerW" holding the view, or null.
    HWND Worker() const { return m_worker; }
    // The "XDesktopOverlay" window, or null.
    HWND Overlay() const { return m_overlay; }

    // One more window of that class (registered when needed): the last child
    // of parent, or else a top-level window in front of this desktop's others.
    HWND Add(const char* className, HWND parent = nullptr);

private:
    void StackTopLevels();

    std::vector<HWND> m_topLevels;  // front to back
    HWND m_progman = nullptr;
    HWND m_view = nullptr;
    HWND m_iconList = nullptr;
    HWND m_browser = nullptr;
    HWND m_worker = nullptr;
    HWND m_overlay = nullptr;
};
