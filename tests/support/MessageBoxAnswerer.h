#pragma once

#include <windows.h>

#include <string>
#include <vector>

// While it exists, every message box (or other dialog of class "#32770") that
// this thread shows is recorded and answered at once with the given button, so
// code under test that asks the user does not block the test.
class MessageBoxAnswerer {
public:
    struct Box {
        std::string caption;
        std::string text;
        HWND owner = nullptr;
    };

    explicit MessageBoxAnswerer(int answer = IDOK);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    const std::vector<Box>& boxes() const { return m_boxes; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);

    int m_answer;
    HHOOK m_hook = nullptr;
    MessageBoxAnswerer* m_previous = nullptr;
    std::vector<Box> m_boxes;
};
