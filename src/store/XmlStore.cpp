#include "store/XmlStore.h"

#include "base/FileSystem.h"
#include "base/StoredNames.h"
#include "xml/IOException.h"
#include "xml/XML2_Exception.h"
#include "xml/XmlParser.h"
#include "xml/XmlWriter.h"

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

using util::xml::XmlElement;

namespace {

const char* const ROOT = "DATABASE";

// The XML layer opens its files by their wide names: a path from UTF-8.
std::filesystem::path PathForXmlLayer(const std::string& path)
{
    return std::filesystem::u8path(path);
}

}  // namespace

std::string XmlStore::PathIn(std::string folder, const std::string& name)
{
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += folder.find('\\') != std::string::npos ? '\\' : '/';
    return folder + name;
}

std::string XmlStore::FileIn(const std::string& folder, const char* storeName)
{
    return PathIn(folder, std::string(stored::kDataFilePrefix) + storeName);
}

XmlStore::XmlStore(const char* storeName, const std::string& folder, FileSystem& files,
                   const std::vector<std::string>& legacyFolders)
    : m_files(files)
    , m_path(FileIn(folder, storeName))
    , m_loadPath(m_path)
{
    for (const std::string& legacy : legacyFolders)
        if (!legacy.empty())
            m_legacyPaths.push_back(FileIn(legacy, storeName));
}

XmlStore::~XmlStore() = default;

void XmlStore::SetDocument(std::unique_ptr<XmlElement> root)
{
    m_root = std::move(root);
    OnDocumentChanged();
}

// Earlier versions kept the files in the program folder, or in the temporary
// folder (which Windows' clean-up may empty) when the program folder was read-only.
void XmlStore::TakeOverLegacyFile()
{
    m_legacyChecked = true;
    if (m_files.Exists(m_path))
        return;
    for (const std::string& legacy : m_legacyPaths) {
        if (m_files.SamePath(legacy, m_path) || !m_files.Exists(legacy))
            continue;
        // A program folder that takes no new files may still be read: copy then.
        if (m_files.Move(legacy, m_path, true) != FileSystem::MoveResult::Moved && !m_files.CopyNew(legacy, m_path))
            m_loadPath = legacy;  // read it where it is; the next save lands in the data folder
        return;
    }
}

bool XmlStore::Load()
{
    SetDocument(nullptr);
    if (!m_legacyChecked)
        TakeOverLegacyFile();

    if (!m_files.Exists(m_loadPath)) {
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

bool XmlStore::LoadOrStartEmpty()
{
    if (Load())
        return true;
    // A file that could not be read at all has already been shown with its path.
    if (m_files.Exists(m_loadPath) && MoveAside(m_loadPath).empty())
        return false;
    SetDocument(std::make_unique<XmlElement>(ROOT));
    return false;
}

void XmlStore::SetAsideUnparsable(const std::string& file)
{
    const std::string keptAs = MoveAside(file);
    if (keptAs.empty())
        Report(StoreProblem{StoreProblem::NotMovable, file, m_files.LastErrorText()});
    else
        Report(StoreProblem{StoreProblem::SetAside, file, keptAs});
}

void XmlStore::Report(StoreProblem problem)
{
    m_problems.push_back(std::move(problem));
}

std::vector<StoreProblem> XmlStore::TakeProblems()
{
    return std::exchange(m_problems, {});
}

void XmlStore::DropProblems(StoreProblem::Kind kind)
{
    m_problems.erase(std::remove_if(m_problems.begin(), m_problems.end(),
                                    [kind](const StoreProblem& problem) { return problem.kind == kind; }),
                     m_problems.end());
}

std::string XmlStore::MoveAside(const std::string& file) const
{
    for (int n = 1; n <= 999; ++n) {
        const std::string target = file + ".bad" + (n == 1 ? std::string() : std::to_string(n));
        const FileSystem::MoveResult moved = m_files.Move(file, target, false);
        if (moved == FileSystem::MoveResult::Moved)
            return target;
        if (moved == FileSystem::MoveResult::Failed)
            return std::string();
    }
    return std::string();
}

bool XmlStore::Save()
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
        // The bytes reach the disk before the rename makes them the data file: a
        // rename that got there first would leave an empty file after a power cut.
        if (!m_files.Flush(temporary) || !m_files.Replace(temporary, m_path))
            throw util::io::IOException("Could not write to stream.");
        m_loadPath = m_path;
        m_writeFailing = false;
        return true;
    } catch (const util::io::IOException&) {
        m_files.Remove(temporary);
        m_writeFailing = true;
        Report(StoreProblem{StoreProblem::WriteFailed, m_path, std::string()});
    } catch (...) {
        m_writeFailing = true;
        // Not swallowed: the window's boundary reports it; the half-written
        // temporary file must not stay behind either way.
        m_files.Remove(temporary);
        throw;
    }
    return false;
}
