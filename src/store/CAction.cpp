#include "store/CAction.h"

#include "store/CDataFolder.h"
#include "framework/SystemMessage.h"
#include "framework/Utf8.h"
#include "xml/IOException.h"
#include "xml/XML2_Exception.h"
#include "xml/XmlParser.h"
#include "xml/XmlWriter.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

using util::xml::XmlElement;

namespace {

const char* const ROOT = "DATABASE";

bool Exists(const std::string& path)
{
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string SystemErrorText(DWORD error)
{
    std::string result;
    if (!SystemMessageText(error, result))
        result = "Error " + std::to_string(error);
    // The system's texts end in a line break, which would split the sentence.
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result;
}

// Brings the bytes written through the stream to the disk before the rename makes
// them the data file; a rename that reaches the disk before the data would leave
// an empty file after a power cut.
bool FlushToDisk(const std::string& path)
{
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    return flushed;
}

// The XML layer opens its files by their wide names: a path from UTF-8.
std::filesystem::path PathForXmlLayer(const std::string& path)
{
    return std::filesystem::u8path(path);
}

std::string FileIn(std::string folder, const char* storeName)
{
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder + "Zorla_" + storeName;
}

}  // namespace

CAction::CAction(const char* storeName)
    : CAction(storeName, CDataFolder::Get())
{
    if (!CDataFolder::IsSetForTest())
        m_legacyPaths = {FileIn(CDataFolder::ProgramFolder(), storeName),
                         FileIn(CDataFolder::TemporaryFolder(), storeName)};
}

CAction::CAction(const char* storeName, const std::string& folder, const std::string& legacyFolder)
    : m_path(FileIn(folder, storeName))
    , m_loadPath(m_path)
{
    if (!legacyFolder.empty())
        m_legacyPaths.push_back(FileIn(legacyFolder, storeName));
}

CAction::~CAction() = default;

void CAction::SetDocument(std::unique_ptr<XmlElement> root)
{
    m_root = std::move(root);
    OnDocumentChanged();
}

// Earlier versions kept the files in the program folder, or in the temporary
// folder (which Windows' clean-up may empty) when the program folder was read-only.
void CAction::TakeOverLegacyFile()
{
    m_legacyChecked = true;
    if (Exists(m_path))
        return;
    for (const std::string& legacy : m_legacyPaths) {
        const std::wstring from = Widen(legacy);
        const std::wstring to = Widen(m_path);
        if (lstrcmpiW(from.c_str(), to.c_str()) == 0 || !Exists(legacy))
            continue;
        // A program folder that takes no new files may still be read: copy then.
        if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH) &&
            !CopyFileW(from.c_str(), to.c_str(), TRUE))
            m_loadPath = legacy;  // read it where it is; the next save lands in the data folder
        return;
    }
}

bool CAction::Load()
{
    SetDocument(nullptr);
    if (!m_legacyChecked)
        TakeOverLegacyFile();

    if (!Exists(m_loadPath)) {
        SetDocument(std::make_unique<XmlElement>(ROOT));
        return true;
    }
    try {
        util::xml::XmlParser parser;
        std::unique_ptr<XmlElement> root = parser.parseFile(PathForXmlLayer(m_loadPath));
        if (!root)
            throw util::xml::XML2_Exception("no element found");
        SetDocument(std::move(root));
        return true;
    } catch (const util::io::IOException& e) {
        Report(StoreProblem{StoreProblem::Unreadable, m_loadPath, e.toString()});
    } catch (const util::xml::XML2_Exception&) {
        SetAsideUnparsable(m_loadPath);
    }
    return false;
}

bool CAction::LoadOrStartEmpty()
{
    if (Load())
        return true;
    // A file that could not be read at all has already been shown with its path.
    if (Exists(m_loadPath) && MoveAside(m_loadPath).empty())
        return false;
    SetDocument(std::make_unique<XmlElement>(ROOT));
    return false;
}

void CAction::SetAsideUnparsable(const std::string& file)
{
    const std::string keptAs = MoveAside(file);
    if (keptAs.empty())
        Report(StoreProblem{StoreProblem::NotMovable, file, SystemErrorText(GetLastError())});
    else
        Report(StoreProblem{StoreProblem::SetAside, file, keptAs});
}

void CAction::Report(StoreProblem problem)
{
    m_problems.push_back(std::move(problem));
}

std::vector<StoreProblem> CAction::TakeProblems()
{
    return std::exchange(m_problems, {});
}

void CAction::DropProblems(StoreProblem::Kind kind)
{
    m_problems.erase(std::remove_if(m_problems.begin(), m_problems.end(),
                                    [kind](const StoreProblem& problem) { return problem.kind == kind; }),
                     m_problems.end());
}

std::string CAction::MoveAside(const std::string& file)
{
    for (int n = 1; n <= 999; ++n) {
        const std::string target = file + ".bad" + (n == 1 ? std::string() : std::to_string(n));
        if (MoveFileExW(Widen(file).c_str(), Widen(target).c_str(), MOVEFILE_WRITE_THROUGH))
            return target;
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
            return std::string();
    }
    return std::string();
}

bool CAction::Save()
{
    if (!m_root)
        return true;
    const std::string temporary = m_path + ".tmp";
    try {
        {
            util::xml::XmlWriter writer(PathForXmlLayer(temporary));
            writer.writeDocument(*m_root);
            writer.close();
        }
        if (!FlushToDisk(temporary) || !MoveFileExW(Widen(temporary).c_str(), Widen(m_path).c_str(),
                                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            throw util::io::IOException("Could not write to stream.");
        m_loadPath = m_path;
        m_writeFailing = false;
        return true;
    } catch (const util::io::IOException&) {
        DeleteFileW(Widen(temporary).c_str());
        m_writeFailing = true;
        Report(StoreProblem{StoreProblem::WriteFailed, m_path, std::string()});
    } catch (...) {
        m_writeFailing = true;
        // Not swallowed: the window's boundary reports it; the half-written
        // temporary file must not stay behind either way.
        DeleteFileW(Widen(temporary).c_str());
        throw;
    }
    return false;
}
