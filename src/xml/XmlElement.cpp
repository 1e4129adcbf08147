#include "XmlElement.h"

#include "XML2_Exception.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <utility>

namespace util::xml {

namespace {

const char* const ID_ATTRIBUTE = "_id_";

}  // namespace

// Leading white space, an optional sign, the digits that follow; the rest is
// ignored and anything else reads as 0. Clamped instead of overflowing, since
// ids come from files a user may have edited.
int readDecimal(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    return static_cast<int>(
        std::clamp(negative ? -value : value, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
}

XmlElement::XmlElement(std::string name)
    : XmlNode(std::move(name), TYPE_ELEMENT)
{}

XmlElement::XmlElement(const char* name)
    : XmlNode(name, TYPE_ELEMENT)
{}

XmlElement::~XmlElement()
{
    std::vector<std::unique_ptr<XmlElement>> pending = std::move(m_children);
    while (!pending.empty()) {
        std::unique_ptr<XmlElement> element = std::move(pending.back());
        pending.pop_back();
        for (auto& child : element->m_children)
            pending.push_back(std::move(child));
        element->m_children.clear();
        // element dies here with no children left to recurse into
    }
}

void XmlElement::appendText(const char* data, std::size_t length)
{
    m_text.append(data, length);
}

XmlElement* XmlElement::getChild(int index) const
{
    if (index < 0 || index >= getChildCount())
        return nullptr;
    return m_children[static_cast<std::size_t>(index)].get();
}

XmlElement* XmlElement::findChild(const std::string& name) const
{
    for (const auto& child : m_children) {
        if (child->getName() == name)
            return child.get();
    }
    return nullptr;
}

XmlElement* XmlElement::addChild(std::unique_ptr<XmlElement> child)
{
    if (!child)
        return nullptr;
    child->setParent(this);
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

void XmlElement::removeChild(int index)
{
    if (index < 0 || index >= getChildCount())
        return;
    m_children.erase(m_children.begin() + index);
}

XmlElement::Attributes::const_iterator XmlElement::lowerBound(const std::string& name) const
{
    return std::lower_bound(m_attributes.begin(), m_attributes.end(), name,
                            [](const XmlAttribute& a, const std::string& n) { return a.getName() < n; });
}

const XmlAttribute* XmlElement::getAttributeAt(int index) const
{
    if (index < 0 || index >= getAttributeCount())
        return nullptr;
    return &m_attributes[static_cast<std::size_t>(index)];
}

std::optional<std::string> XmlElement::findAttribute(const std::string& name) const
{
    auto it = lowerBound(name);
    if (it == m_attributes.end() || it->getName() != name)
        return std::nullopt;
    return it->getValue();
}

std::string XmlElement::getAttribute(const std::string& name) const
{
    auto it = lowerBound(name);
    if (it == m_attributes.end() || it->getName() != name)
        throw XML2_Exception("Attribute not found: [" + name + "]");
    return it->getValue();
}

void XmlElement::setAttribute(std::string name, std::string text)
{
    XmlAttribute attribute(std::move(name), std::move(text));
    const auto at = m_attributes.begin() + (lowerBound(attribute.getName()) - m_attributes.begin());
    if (at != m_attributes.end() && at->getName() == attribute.getName())
        *at = std::move(attribute);
    else
        m_attributes.insert(at, std::move(attribute));
}

void XmlElement::setAttribute(std::string name, int value)
{
    setAttribute(std::move(name), std::to_string(value));
}

void XmlElement::setAttributes(const char* const* pairs)
{
    std::size_t count = 0;
    while (pairs[2 * count])
        ++count;
    m_attributes.reserve(m_attributes.size() + count);
    for (std::size_t i = 0; i < count; ++i)
        m_attributes.emplace_back(pairs[2 * i], pairs[2 * i + 1]);
    const auto byName = [](const XmlAttribute& a, const XmlAttribute& b) { return a.getName() < b.getName(); };
    const auto notBefore = [&](const XmlAttribute& a, const XmlAttribute& b) { return !byName(a, b); };
    // The program writes its attributes in order, so its own files come out
    // sorted and unique already: one look at each pair, nothing to move.
    if (std::adjacent_find(m_attributes.begin(), m_attributes.end(), notBefore) == m_attributes.end())
        return;
    // Stable, so of equal names the one set last stays last. Insertion sort for
    // the usual handful (no buffer to allocate), and sorting once keeps a
    // hostile element with very many attributes from going quadratic.
    if (m_attributes.size() <= 16) {
        for (std::size_t i = 1; i < m_attributes.size(); ++i) {
            for (std::size_t k = i; k > 0 && byName(m_attributes[k], m_attributes[k - 1]); --k)
                std::swap(m_attributes[k], m_attributes[k - 1]);
        }
    } else {
        std::stable_sort(m_attributes.begin(), m_attributes.end(), byName);
    }
    // Of equal names the one set last wins, as with setAttribute.
    auto out = m_attributes.begin();
    for (auto it = m_attributes.begin(); it != m_attributes.end(); ++it) {
        if (out != m_attributes.begin() && (out - 1)->getName() == it->getName())
            *(out - 1) = std::move(*it);
        else if (out++ != it)
            *(out - 1) = std::move(*it);
    }
    m_attributes.erase(out, m_attributes.end());
}

std::string XmlElement::getPath() const
{
    std::vector<const XmlElement*> chain;
    for (const XmlElement* e = this; e; e = e->getParent())
        chain.push_back(e);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty() || it != chain.rbegin())
            path += '.';
        path += (*it)->getName();
    }
    return path;
}

int XmlElement::assignId(XmlElement* parent, int currentId)
{
    int id = currentId;
    if (id == 0) {
        std::vector<long long> used;
        long long largest = 0;
        if (parent) {
            for (const auto& child : parent->m_children) {
                if (auto value = child->findAttribute(ID_ATTRIBUTE)) {
                    const long long n = readDecimal(*value);
                    used.push_back(n);
                    largest = std::max(largest, n);
                }
            }
        }
        if (largest < INT_MAX) {
            id = static_cast<int>(largest + 1);
        } else {
            // One more than INT_MAX would overflow: take the smallest free id instead.
            std::sort(used.begin(), used.end());
            long long candidate = 1;
            for (long long n : used) {
                if (n == candidate)
                    ++candidate;
                else if (n > candidate)
                    break;
            }
            id = static_cast<int>(candidate);
        }
    }
    setAttribute(ID_ATTRIBUTE, id);
    return id;
}

}  // namespace util::xml
