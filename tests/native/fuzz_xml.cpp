// libFuzzer target: any input must end in a tree or an XML2_Exception, and a
// tree written out and read back must come back the same.
#include "xml/XML2_Exception.h"
#include "xml/XmlParser.h"
#include "xml/XmlWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

using namespace util::xml;

namespace {

// Names with characters above U+00FF have no form in an ISO-8859-1 document;
// the writer leaves them in UTF-8 and they cannot round-trip.
bool hasWideCharacter(const std::string& name)
{
    for (unsigned char c : name) {
        if (c >= 0xC4)
            return true;
    }
    return false;
}

bool writable(const XmlElement& root)
{
    std::vector<const XmlElement*> pending{&root};
    while (!pending.empty()) {
        const XmlElement* e = pending.back();
        pending.pop_back();
        if (hasWideCharacter(e->getName()))
            return false;
        for (int i = 0; i < e->getAttributeCount(); ++i) {
            if (hasWideCharacter(e->getAttributeAt(i)->getName()))
                return false;
        }
        for (int i = 0; i < e->getChildCount(); ++i)
            pending.push_back(e->getChild(i));
    }
    return true;
}

bool sameNode(const XmlElement& a, const XmlElement& b)
{
    if (a.getName() != b.getName() || a.getText() != b.getText() || a.getChildCount() != b.getChildCount() ||
        a.getAttributeCount() != b.getAttributeCount())
        return false;
    for (int i = 0; i < a.getAttributeCount(); ++i) {
        if (a.getAttributeAt(i)->getName() != b.getAttributeAt(i)->getName() ||
            a.getAttributeAt(i)->getValue() != b.getAttributeAt(i)->getValue())
            return false;
    }
    return true;
}

bool sameTree(const XmlElement& a, const XmlElement& b)
{
    std::vector<std::pair<const XmlElement*, const XmlElement*>> pending{{&a, &b}};
    while (!pending.empty()) {
        auto [x, y] = pending.back();
        pending.pop_back();
        if (!sameNode(*x, *y))
            return false;
        for (int i = 0; i < x->getChildCount(); ++i)
            pending.emplace_back(x->getChild(i), y->getChild(i));
    }
    return true;
}

const std::string& scratchFile()
{
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("zorla_fuzz_xml_" + std::to_string(static_cast<long>(getpid())) + ".xml"))
                                        .string();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::unique_ptr<XmlElement> root;
    try {
        root = XmlParser().parseBuffer(reinterpret_cast<const char*>(data), size);
    } catch (const XML2_Exception&) {
        return 0;
    }
    if (!root) {
        std::fprintf(stderr, "parse succeeded without a root\n");
        std::abort();
    }
    if (!writable(*root))
        return 0;

    {
        XmlWriter writer(scratchFile());
        writer.writeDocument(*root);
        writer.close();
    }
    std::unique_ptr<XmlElement> again;
    try {
        again = XmlParser().parseFile(scratchFile());
    } catch (const XML2_Exception& e) {
        std::fprintf(stderr, "written document does not parse: %s\n", e.what());
        std::abort();
    }
    // libFuzzer may end the process without exit handlers: leave nothing behind.
    std::remove(scratchFile().c_str());
    if (!sameTree(*root, *again)) {
        std::fprintf(stderr, "tree changed by a write and a new parse\n");
        std::abort();
    }
    return 0;
}
