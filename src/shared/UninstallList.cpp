#include "shared/UninstallList.h"

namespace {

const char kHeader[] = "[Files]";

std::string LineBreakOf(const std::string& text)
{
    if (text.find("\r\n") != std::string::npos || text.find('\n') == std::string::npos)
        return "\r\n";
    return "\n";
}

bool StartsLine(const std::string& text, size_t at)
{
    return at == 0 || text[at - 1] == '\n';
}

// A carriage return that closes the text ends its line too: the line break an
// insert appends after it would otherwise turn that line into an entry.
bool EndsLine(const std::string& text, size_t at)
{
    return at == text.size() || text[at] == '\n' || text.compare(at, 2, "\r\n") == 0 ||
           (text[at] == '\r' && at + 1 == text.size());
}

// The first place where the whole line equals what, or npos.
size_t FindLine(const std::string& text, const std::string& what)
{
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        if (StartsLine(text, at) && EndsLine(text, at + what.size()))
            return at;
    }
    return std::string::npos;
}

}  // namespace

namespace UninstallList {

std::string Entry(const std::string& path)
{
    return path + "=<new>";
}

bool Contains(const std::string& text, const std::string& entry)
{
    return FindLine(text, entry) != std::string::npos;
}

bool Insert(std::string& text, const std::string& entry)
{
    if (Contains(text, entry))
        return false;
    size_t header = std::string::npos;
    for (size_t at = text.find(kHeader); at != std::string::npos; at = text.find(kHeader, at + 1)) {
        if (StartsLine(text, at)) {
            header = at;
            break;
        }
    }
    const std::string lineBreak = LineBreakOf(text);
    if (header == std::string::npos) {
        if (!text.empty() && text.back() != '\n')
            text += lineBreak;
        text += kHeader + lineBreak + entry + lineBreak;
        return true;
    }
    const size_t headerEnd = text.find('\n', header);
    if (headerEnd == std::string::npos)
        text += lineBreak + entry + lineBreak;
    else
        text.insert(headerEnd + 1, entry + lineBreak);
    return true;
}

bool Remove(std::string& text, const std::string& entry)
{
    const size_t at = FindLine(text, entry);
    if (at == std::string::npos)
        return false;
    size_t end = at + entry.size();
    if (text.compare(end, 2, "\r\n") == 0)
        end += 2;
    else if (end < text.size())
        ++end;
    text.erase(at, end - at);
    return true;
}

}  // namespace UninstallList
