#include "mainwnd/StartSteps.h"

StartSteps::StartSteps(UINT message, std::vector<Step> steps)
    : m_message(message)
    , m_steps(std::move(steps))
{}

// Posted, so it comes after the picture is on the screen.
void StartSteps::Begin()
{
    if (m_begun || !m_window)
        return;
    m_begun = true;
    ::PostMessageA(m_window, m_message, 0, 0);
}

void StartSteps::Run(WPARAM step)
{
    if (step != m_next || Done() || !::IsWindow(m_window))
        return;
    ++m_next;
    m_steps[step]();
    if (!Done() && ::IsWindow(m_window))
        ::PostMessageA(m_window, m_message, m_next, 0);
}

void StartSteps::RunRemaining()
{
    while (!Done() && ::IsWindow(m_window))
        Run(m_next);
}
