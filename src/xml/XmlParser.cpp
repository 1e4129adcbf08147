#include "XmlParser.h"

#include "FileNotFoundException.h"
#include "IOException.h"
#include "XML2_Exception.h"

// Both expat builds we link (Debian's and the cross-built one) have DTD
// support; the define only makes expat.h declare the amplification limits.
#ifndef XML_DTD
#define XML_DTD
#endif
#include <expat.h>

#include <fstream>
#include <new>
#include <optional>
#include <vector>

namespace util::xml {

namespace {

const char* const TOO_LARGE = "document too large";
const char* const TOO_MANY_ENTITIES = "too many entity declarations";

}  // namespace

// Owns one expat parser for the length of a parse and forwards expat's
// callbacks to the XmlParser. No exception may cross expat's C frames, so each
// handler catches everything, stops expat and leaves the error for later.
struct XmlParser::Expat {
    XmlParser& parser;
    XML_Parser handle = nullptr;

    explicit Expat(XmlParser& owner)
        : parser(owner)
    {
        handle = XML_ParserCreate(nullptr);
        if (!handle)
            throw std::bad_alloc();
        XML_SetUserData(handle, &owner);
        XML_SetElementHandler(handle, &onStart, &onEnd);
        XML_SetCharacterDataHandler(handle, &onText);
        XML_SetEntityDeclHandler(handle, &onEntityDecl);
#if XML_MAJOR_VERSION > 2 || (XML_MAJOR_VERSION == 2 && XML_MINOR_VERSION >= 4)
        // Expat's own defaults, set explicitly so that a different default in
        // another expat build cannot switch the protection off.
        XML_SetBillionLaughsAttackProtectionMaximumAmplification(handle, 100.0f);
        XML_SetBillionLaughsAttackProtectionActivationThreshold(handle, 8u * 1024u * 1024u);
#endif
        owner.m_expat = this;
    }

    ~Expat()
    {
        release();
        parser.m_expat = nullptr;
    }
    Expat(const Expat&) = delete;
    Expat& operator=(const Expat&) = delete;

    void release()
    {
        if (handle) {
            XML_ParserFree(handle);
            handle = nullptr;
        }
    }

    static XmlParser& owner(void* userData)
    {
        return *static_cast<XmlParser*>(userData);
    }

    static void stop(XmlParser& self)
    {
        if (self.m_expat && self.m_expat->handle)
            XML_StopParser(self.m_expat->handle, XML_FALSE);
    }

    static bool stopped(const XmlParser& self)
    {
        return self.m_handlerError || self.m_abortReason;
    }

    static void XMLCALL onStart(void* userData, const XML_Char* name, const XML_Char** attributes)
    {
        XmlParser& self = owner(userData);
        if (stopped(self))
            return;
        std::size_t nodes = 1;
        for (int i = 0; attributes[i]; i += 2)
            ++nodes;
        self.m_nodes += nodes;
        if (self.m_nodes > MAX_NODES) {
            self.m_abortReason = TOO_LARGE;
            stop(self);
            return;
        }
        try {
            self.flushText();
            auto element = std::make_unique<XmlElement>(name);
            XmlElement* opened = element.get();
            if (self.m_current)
                self.m_current->addChild(std::move(element));
            else
                self.m_root = std::move(element);
            self.m_current = opened;
            opened->setAttributes(attributes);
        } catch (...) {
            self.m_handlerError = std::current_exception();
            stop(self);
        }
    }

    static void XMLCALL onEnd(void* userData, const XML_Char*)
    {
        XmlParser& self = owner(userData);
        if (stopped(self))
            return;
        try {
            self.flushText();
        } catch (...) {
            self.m_handlerError = std::current_exception();
            stop(self);
            return;
        }
        // The root stays open after it closes: it is what the parse returns.
        if (self.m_current && self.m_current->getParent())
            self.m_current = self.m_current->getParent();
    }

    static void XMLCALL onText(void* userData, const XML_Char* text, int length)
    {
        XmlParser& self = owner(userData);
        if (stopped(self) || length <= 0 || !self.m_current)
            return;
        try {
            self.m_text.append(text, static_cast<std::size_t>(length));
        } catch (...) {
            self.m_handlerError = std::current_exception();
            stop(self);
        }
    }

    static void XMLCALL onEntityDecl(void* userData, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                     const XML_Char*, const XML_Char*, const XML_Char*)
    {
        XmlParser& self = owner(userData);
        if (stopped(self))
            return;
        if (++self.m_entityDeclarations > MAX_ENTITY_DECLARATIONS) {
            self.m_abortReason = TOO_MANY_ENTITIES;
            stop(self);
        }
    }

    // Expat's text for the failure (ours when we stopped it ourselves) and
    // where it happened.
    struct Failure {
        std::string text;
        std::string line;
        std::string column;
    };

    Failure failure() const
    {
        Failure result;
        const XML_Error code = XML_GetErrorCode(handle);
        const XML_LChar* text = XML_ErrorString(code);
        if (parser.m_abortReason && code == XML_ERROR_ABORTED)
            text = parser.m_abortReason;
        result.text = text ? text : "";
        result.line = std::to_string(XML_GetCurrentLineNumber(handle));
        result.column = std::to_string(XML_GetCurrentColumnNumber(handle));
        return result;
    }

    Failure failure(const char* text) const
    {
        Failure result = failure();
        result.text = text;
        return result;
    }
};

XmlParser::XmlParser() = default;

XmlParser::~XmlParser() = default;

void XmlParser::reset()
{
    m_current = nullptr;
    m_root.reset();
    std::string().swap(m_text);
    m_handlerError = nullptr;
    m_abortReason = nullptr;
    m_entityDeclarations = 0;
    m_nodes = 0;
    m_expat = nullptr;
}

void XmlParser::flushText()
{
    if (m_text.empty() || !m_current)
        return;
    m_current->appendText(m_text.data(), m_text.size());
    m_text.clear();
}

std::unique_ptr<XmlElement> XmlParser::takeRoot()
{
    m_expat = nullptr;
    m_current = nullptr;
    std::string().swap(m_text);
    return std::move(m_root);
}

std::string XmlParser::openElementNames() const
{
    std::vector<const XmlElement*> chain;
    for (const XmlElement* e = m_current; e; e = e->getParent())
        chain.push_back(e);
    std::string names;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        names += (*it)->getName();
    return names;
}

void XmlParser::failParse(const std::string& message)
{
    // An exception thrown inside a handler (out of memory, say) is the real cause:
    // it wins over expat's message about the stopped parse.
    if (m_handlerError) {
        std::exception_ptr error = m_handlerError;
        reset();
        std::rethrow_exception(error);
    }
    fail(message);
}

void XmlParser::fail(const std::string& message)
{
    XML2_Exception error(message);
    if (m_current)
        error.setElement(openElementNames());
    reset();  // discards the partial tree
    throw error;
}

std::unique_ptr<XmlElement> XmlParser::parseFile(const std::filesystem::path& file)
{
    // For the messages: the name as the program keeps text.
    const std::string path = file.u8string();
    // Binary: expat handles CR LF itself, and the bytes must reach it unchanged.
    // A path opens by its wide name where the system has one.
    std::ifstream in(file, std::ios::in | std::ios::binary);
    if (!in.is_open())
        throw util::io::FileNotFoundException(path);

    reset();
    Expat expat(*this);
    std::size_t total = 0;
    for (;;) {
        // Read straight into expat's own buffer, which it would copy into anyway.
        char* buffer = static_cast<char*>(XML_GetBuffer(expat.handle, static_cast<int>(READ_CHUNK_BYTES)));
        if (!buffer) {
            expat.release();
            reset();
            throw std::bad_alloc();
        }
        in.read(buffer, static_cast<std::streamsize>(READ_CHUNK_BYTES));
        if (in.bad()) {
            expat.release();
            reset();
            throw util::io::IOException("Could not read from file " + path);
        }
        const std::size_t got = static_cast<std::size_t>(in.gcount());
        total += got;
        const bool last = got < READ_CHUNK_BYTES;

        std::optional<Expat::Failure> failure;
        if (total > MAX_DOCUMENT_BYTES)
            failure = expat.failure(TOO_LARGE);
        else if (XML_ParseBuffer(expat.handle, static_cast<int>(got), last) == XML_STATUS_ERROR)
            failure = expat.failure();
        if (failure) {
            const std::string message =
                failure->text + " (" + path + " at " + failure->line + ":" + failure->column + ")";
            expat.release();
            failParse(message);
        }
        if (last)
            break;
    }
    expat.release();
    return takeRoot();
}

std::unique_ptr<XmlElement> XmlParser::parseBuffer(const char* bytes, std::size_t length)
{
    reset();
    if (length > MAX_DOCUMENT_BYTES)
        fail(std::string(TOO_LARGE) + " - Buffer at Line: 1 Column: 0");

    Expat expat(*this);
    if (XML_Parse(expat.handle, bytes, static_cast<int>(length), XML_TRUE) == XML_STATUS_ERROR) {
        const Expat::Failure failure = expat.failure();
        const std::string message = failure.text + " - Buffer at Line: " + failure.line + " Column: " + failure.column;
        expat.release();
        failParse(message);
    }
    expat.release();
    return takeRoot();
}

}  // namespace util::xml
