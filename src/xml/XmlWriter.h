#pragma once

#include "XmlElement.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace util::xml {

// Writes an element tree to a file as an ISO-8859-1 document: the declaration
// on the first line, the whole tree without indentation on the second.
class XmlWriter {
public:
    // Creates or truncates the file. A file that cannot be opened shows up as
    // an IOException from the first write.
    explicit XmlWriter(const std::filesystem::path& file);
    virtual ~XmlWriter();
    XmlWriter(const XmlWriter&) = delete;
    XmlWriter& operator=(const XmlWriter&) = delete;

    // Declaration plus root, then flushed. Throws util::io::IOException
    // "Could not write to stream." when the file is not open or a write fails.
    void writeDocument(const XmlElement& root);
    // One element and its subtree, without recursion (the depth is only passed on).
    void writeElement(int depth, const XmlElement& element);
    // Closes the file; throws IOException when the final flush fails, so a
    // caller can tell a complete file from a truncated one.
    void close();

private:
    void check();
    void writeStartTag(const XmlElement& element);
    void writeEndTag(const XmlElement& element);

    std::ofstream m_stream;
    std::string m_buffer;  // one tag at a time, reused
};

}  // namespace util::xml
