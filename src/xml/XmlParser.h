#pragma once

#include "XmlElement.h"

#include <cstddef>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>

namespace util::xml {

// Builds an element tree from an XML document with expat. Not thread-safe; one
// parser object per thread.
class XmlParser {
public:
    // Larger documents are refused: the program's own files stay far below
    // this, and a tree costs many times its source size in memory.
    static constexpr std::size_t MAX_DOCUMENT_BYTES = 32u * 1024u * 1024u;
    // Elements plus attributes: a tree costs about 150 bytes per node, and an
    // empty element is only four bytes of source.
    static constexpr std::size_t MAX_NODES = 1000000;
    // Expat expands nested entity references recursively; capping the number
    // of declared entities caps that recursion, so a hostile document cannot
    // overflow the stack. Documents of this program declare none.
    static constexpr int MAX_ENTITY_DECLARATIONS = 64;
    static constexpr std::size_t READ_CHUNK_BYTES = 65536;

    XmlParser();
    ~XmlParser();
    XmlParser(const XmlParser&) = delete;
    XmlParser& operator=(const XmlParser&) = delete;

    // Throws util::io::FileNotFoundException (message: the path),
    // util::io::IOException or XML2_Exception. Null only for a document
    // without any element, which expat already reports as an error.
    std::unique_ptr<XmlElement> parseFile(const std::filesystem::path& file);
    // Throws XML2_Exception.
    std::unique_ptr<XmlElement> parseBuffer(const char* bytes, std::size_t length);

private:
    struct Expat;  // the expat handlers and the parser handle, kept out of this header

    void reset();
    void flushText();
    std::unique_ptr<XmlElement> takeRoot();
    std::string openElementNames() const;
    [[noreturn]] void fail(const std::string& message);
    [[noreturn]] void failParse(const std::string& message);

    std::unique_ptr<XmlElement> m_root;  // owns the tree while it is being built
    XmlElement* m_current = nullptr;     // the open element
    std::exception_ptr m_handlerError;   // thrown inside a handler, rethrown after expat returns
    Expat* m_expat = nullptr;            // set while a parse runs
    const char* m_abortReason = nullptr;
    int m_entityDeclarations = 0;
    std::size_t m_nodes = 0;
    // Character data of the open element since its last start or end tag.
    // Expat hands text over in many pieces (at each line end and reference);
    // gathered here, it reaches the element in one piece and one allocation.
    std::string m_text;
};

}  // namespace util::xml
