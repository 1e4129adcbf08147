#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// The start-up after the first paint: one step per posted message, each
// posting the next, so the user's input and the system's messages get their
// turn in between. Whatever has not run yet can be run at once.
class StartSteps {
public:
    using Step = std::function<void()>;
    // The steps go by message (wParam: the step's number) to the window.
    StartSteps(UINT message, std::vector<Step> steps);

    void Attach(HWND window) { m_window = window; }
    // The first paint: the first step is posted, once.
    void Begin();
    // The message of step: runs it when it is the next, then posts the one after.
    void Run(WPARAM step);
    void RunRemaining();
    bool Done() const { return m_next >= m_steps.size(); }

private:
    UINT m_message;
    std::vector<Step> m_steps;
    HWND m_window = nullptr;
    bool m_begun = false;
    size_t m_next = 0;
};
