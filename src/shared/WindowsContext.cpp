#include "shared/WindowsContext.h"

#include "shared/CDataFolder.h"

WindowsContext::WindowsContext()
    : m_folder(CDataFolder::Get())
{
    if (!CDataFolder::IsSetForTest())
        m_legacyFolders = {CDataFolder::ProgramFolder(), CDataFolder::TemporaryFolder()};
}

WindowsContext::WindowsContext(const std::string& folder)
    : m_folder(folder)
{}
