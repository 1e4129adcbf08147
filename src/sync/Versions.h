#pragma once

#include <map>
#include <string>

// How many changes each computer has made to one entry: a version vector.
// Two entries' versions tell whether one copy has seen every change of the
// other, or whether both changed it without seeing each other's change.
class Versions {
public:
    enum class Order { Same, Older, Newer, Apart };

    Versions() = default;
    // "<computer>:<count> <computer>:<count> ..."; anything else in the text is
    // skipped.
    static Versions Parse(const std::string& text);
    std::string Text() const;

    // This copy against other: Older when other has seen all of this and more,
    // Apart when each has changes the other lacks.
    Order Compare(const Versions& other) const;
    // One more change by computer.
    void Count(const std::string& computer);
    // Every change of either.
    void Join(const Versions& other);
    bool Empty() const { return m_counts.empty(); }

private:
    std::map<std::string, unsigned long long> m_counts;
};
