#pragma once

#include "store/StoreProblem.h"
#include "xml/XmlElement.h"

class FileSystem;

#include <memory>
#include <string>
#include <vector>

// A persistent XML store: one document kept in the data file "Zorla_<store name>".
// A store shows nothing: what went wrong with its file is kept as a StoreProblem
// until the window that called it takes the problems and shows them.
class XmlStore {
public:
    // The file lives in folder. When it is not there, the first Load takes it
    // over from the first of legacyFolders that holds one: where earlier versions
    // kept it. files must outlive the store.
    XmlStore(const char* storeName, const std::string& folder, FileSystem& files,
             const std::vector<std::string>& legacyFolders = {});
    virtual ~XmlStore();
    XmlStore(const XmlStore&) = delete;
    XmlStore& operator=(const XmlStore&) = delete;

    // Replaces the document by the file's content, or by an empty "DATABASE" when
    // there is no file. A file that cannot be read gives false and an Unreadable
    // problem; a file that does not parse is moved aside (MoveAside) and gives
    // false and a SetAside problem (NotMovable when it could not be moved).
    // Either way the store has no document afterwards.
    bool Load();
    // Load; on failure the file is moved aside and the store starts with an empty
    // document, so the user can go on and nothing of the old file is lost. When
    // the file can be neither read nor moved, the store stays without a document,
    // so no save can replace it. Returns what Load returned.
    bool LoadOrStartEmpty();

    // Writes the document to a temporary file beside the data file and then swaps
    // it in, so an interrupted save leaves the previous file whole. A failure
    // gives false and a WriteFailed problem, and leaves the previous file.
    // Without a document nothing happens (true).
    bool Save();
    // The last Save failed: the document holds changes the file lacks.
    bool IsWriteFailing() const { return m_writeFailing; }

    // Renames the data file to "<file>.bad", or ".bad2", ".bad3"... when taken.
    // Returns the new name, or empty when the file could not be moved (the system
    // error is then the thread's last error).
    std::string MoveAside() const { return MoveAside(m_path); }

    // "Zorla_<store name>" in folder.
    static std::string FileIn(const std::string& folder, const char* storeName);
    // name in folder, joined by the folder's own separator.
    static std::string PathIn(std::string folder, const std::string& name);

    const std::string& GetPath() const { return m_path; }
    util::xml::XmlElement* GetDocument() const { return m_root.get(); }
    void SetDocument(std::unique_ptr<util::xml::XmlElement> root);

    // What went wrong since the last call, oldest first; the list is emptied.
    std::vector<StoreProblem> TakeProblems();
    bool HasProblems() const { return !m_problems.empty(); }
    // Forgets the problems of one kind and keeps the others: a write that keeps
    // failing is shown once, not at every retry.
    void DropProblems(StoreProblem::Kind kind);

protected:
    // A new document was taken in, by Load or SetDocument.
    virtual void OnDocumentChanged() {}
    void Report(StoreProblem problem);

private:
    std::string MoveAside(const std::string& file) const;
    void TakeOverLegacyFile();
    void SetAsideUnparsable(const std::string& file);

    FileSystem& m_files;
    std::unique_ptr<util::xml::XmlElement> m_root;
    std::string m_path;
    std::vector<std::string> m_legacyPaths;
    // The file that Load reads: the data file, or the legacy one when it could
    // not be moved over.
    std::string m_loadPath;
    bool m_legacyChecked = false;
    std::vector<StoreProblem> m_problems;
    bool m_writeFailing = false;
};
