#include "support/RunningZorla.h"

RunningZorla::RunningZorla(const ZorlaCopy& copy, const std::vector<std::string>& environment)
    : m_copy(copy)
{
    Restart(environment);
}

bool RunningZorla::Exit()
{
    return m_main && m_process && ZorlaCopy::Exit(m_main, *m_process);
}

HWND RunningZorla::Restart(const std::vector<std::string>& environment)
{
    m_main = m_copy.StartAndWait(m_process, environment);
    return m_main;
}
