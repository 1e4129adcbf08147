#include "XmlWriter.h"

#include "IOException.h"
#include "Utf8Sequence.h"

#include <vector>

namespace util::xml {

namespace {

const char* const WRITE_FAILED = "Could not write to stream.";

enum class Context { Name, Attribute, Text };

constexpr bool isPlainCharacter(unsigned char c, Context context)
{
    if (c >= 0x80)
        return false;
    if (context == Context::Name)
        return true;
    switch (c) {
    case '&':
    case '<':
    case '\r': return false;
    case '>': return context != Context::Text;
    case '"':
    case '\n':
    case '\t': return context != Context::Attribute;
    default: return c >= 0x20;
    }
}

// Which bytes go out as they are, one table per context: a save asks this for
// every byte of the file.
struct PlainBytes {
    bool byContext[3][256] = {};

    constexpr PlainBytes()
    {
        for (int context = 0; context < 3; ++context)
            for (int c = 0; c < 256; ++c)
                byContext[context][c] = isPlainCharacter(static_cast<unsigned char>(c), static_cast<Context>(context));
    }
};

constexpr PlainBytes PLAIN;

// Code points that XML 1.0 cannot carry, not even as a reference: written,
// they would make the whole file unreadable, so they are left out.
bool isUnwritable(unsigned long codePoint)
{
    return (codePoint < 0x20 && codePoint != '\t' && codePoint != '\n' && codePoint != '\r') || codePoint == 0xFFFE ||
           codePoint == 0xFFFF;
}

// Appends the character at text[i], which is not plain; returns its length.
std::size_t appendSpecial(std::string& out, const std::string& text, std::size_t i, Context context)
{
    const unsigned char c = static_cast<unsigned char>(text[i]);
    switch (c) {
    case '&': out += "&amp;"; return 1;
    case '<': out += "&lt;"; return 1;
    case '>': out += "&gt;"; return 1;
    case '"': out += "&quot;"; return 1;
    case '\r': out += "&#13;"; return 1;
    case '\n': out += "&#10;"; return 1;
    case '\t': out += "&#9;"; return 1;
    default: break;
    }
    unsigned long codePoint = c;
    const std::size_t length = c < 0x80 ? 1 : decodeUtf8(text, i, codePoint);
    if (length == 0) {
        // Not UTF-8: the byte is taken as the ISO-8859-1 character of the same
        // value, which is how the file reads back, so nothing is lost and the
        // next read gives well-formed UTF-8.
        out += static_cast<char>(c);
        return 1;
    }
    if (isUnwritable(codePoint))
        return length;
    if (codePoint <= 0xFF)
        out += static_cast<char>(codePoint);
    else if (context == Context::Name)
        out.append(text, i, length);  // names cannot hold references; no better form exists in ISO-8859-1
    else
        out += "&#" + std::to_string(codePoint) + ";";
    return length;
}

// Escapes & and < everywhere, > in text and " in attribute values. Beyond
// that, white space that expat would normalise on reading is written as a
// character reference, and the tree's UTF-8 is written as ISO-8859-1 bytes
// (or references above U+00FF), so a document read back gives the same tree.
void appendEncoded(std::string& out, const std::string& text, Context context)
{
    const bool* plain = PLAIN.byContext[static_cast<int>(context)];
    std::size_t plainStart = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (plain[static_cast<unsigned char>(text[i])]) {
            ++i;
            continue;
        }
        out.append(text, plainStart, i - plainStart);
        i += appendSpecial(out, text, i, context);
        plainStart = i;
    }
    out.append(text, plainStart, std::string::npos);
}

}  // namespace

XmlWriter::XmlWriter(const std::filesystem::path& file)
    : m_stream(file, std::ios::out | std::ios::binary | std::ios::trunc)
{}

XmlWriter::~XmlWriter() = default;

void XmlWriter::check()
{
    if (!m_stream.is_open() || !m_stream)
        throw util::io::IOException(WRITE_FAILED);
}

void XmlWriter::writeDocument(const XmlElement& root)
{
    check();
    // CR LF written out, so the file has the same bytes on every platform.
    m_stream << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";
    check();
    writeElement(0, root);
    m_stream.flush();
    check();
}

void XmlWriter::writeElement(int depth, const XmlElement& element)
{
    static_cast<void>(depth);
    check();
    struct Open {
        const XmlElement* element;
        int nextChild;
    };
    std::vector<Open> open;

    writeStartTag(element);
    if (element.getChildCount() > 0)
        open.push_back({&element, 0});
    while (!open.empty()) {
        Open& top = open.back();
        if (top.nextChild < top.element->getChildCount()) {
            const XmlElement& child = *top.element->getChild(top.nextChild++);
            writeStartTag(child);
            if (child.getChildCount() > 0)
                open.push_back({&child, 0});  // invalidates top
        } else {
            writeEndTag(*top.element);
            open.pop_back();
        }
    }
}

// Everything up to the children; a childless element is complete afterwards.
void XmlWriter::writeStartTag(const XmlElement& element)
{
    m_buffer.clear();
    m_buffer += '<';
    appendEncoded(m_buffer, element.getName(), Context::Name);
    for (int i = 0; i < element.getAttributeCount(); ++i) {
        const XmlAttribute* attribute = element.getAttributeAt(i);
        m_buffer += ' ';
        appendEncoded(m_buffer, attribute->getName(), Context::Name);
        m_buffer += "=\"";
        appendEncoded(m_buffer, attribute->getValue(), Context::Attribute);
        m_buffer += '"';
    }
    if (element.getChildCount() == 0 && element.getText().empty()) {
        m_buffer += "/>";
    } else {
        m_buffer += '>';
        appendEncoded(m_buffer, element.getText(), Context::Text);
        if (element.getChildCount() == 0) {
            m_buffer += "</";
            appendEncoded(m_buffer, element.getName(), Context::Name);
            m_buffer += '>';
        }
    }
    m_stream.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    check();
}

void XmlWriter::writeEndTag(const XmlElement& element)
{
    m_buffer.clear();
    m_buffer += "</";
    appendEncoded(m_buffer, element.getName(), Context::Name);
    m_buffer += '>';
    m_stream.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    check();
}

void XmlWriter::close()
{
    if (!m_stream.is_open())
        throw util::io::IOException(WRITE_FAILED);
    m_stream.close();
    if (!m_stream)
        throw util::io::IOException(WRITE_FAILED);
}

}  // namespace util::xml
