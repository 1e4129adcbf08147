// The three-way merge of one note's text, natively: a 10 KB note (250 lines of
// short text) that two computers edited apart, each in about a tenth of its
// lines (some the same lines, within and across words); the same note rewritten
// line by line on both sides; and 10 KB of one-letter lines rewritten on both
// sides, the input that makes a line diff work hardest.
#include "MedianTime.h"
#include "Row.h"

#include "sync/TextMerge.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

const int kLines = 250;
const int kRuns = 200;

const char* const kWords[] = {"milk", "bread", "Zahnarzt", "Termin",  "Łódź", "spotkanie", "morgen", "call",
                              "Anna", "12:30", "invoice",  "project", "été",  "Straße",    "kids",   "#42"};

std::string Line(std::mt19937& random)
{
    std::uniform_int_distribution<std::size_t> word(0, sizeof kWords / sizeof kWords[0] - 1);
    std::string line;
    while (line.size() < 38)
        line += std::string(kWords[word(random)]) + (line.size() % 3 == 0 ? ", " : " ");
    return line;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

double MedianMerge(const std::string& base, const std::string& first, const std::string& second, std::size_t& size)
{
    return MedianMs(kRuns, [&] { size = TextMerge::Merge(base, first, second).text.size(); });
}

}  // namespace

int main()
{
    std::mt19937 random(11);
    std::vector<std::string> base;
    for (int i = 0; i < kLines; ++i)
        base.push_back(Line(random));

    // Spread edits: first changes every tenth line and inserts a few, second
    // appends to every tenth line (some of them first's) and deletes a few.
    std::vector<std::string> first = base, second = base;
    for (int i = 0; i < kLines; i += 10)
        first[i] = "fixed: " + first[i];
    for (int i = 5; i < kLines; i += 10)
        second[i] += " by B";
    for (int i = 0; i < kLines; i += 30)
        second[i] += " by B";
    for (int i = kLines - 7; i > 0; i -= 50)
        first.insert(first.begin() + i, "new line from A");
    for (int i = kLines - 3; i > 0; i -= 60)
        second.erase(second.begin() + i);

    std::vector<std::string> rewrittenFirst, rewrittenSecond;
    for (int i = 0; i < kLines; ++i) {
        rewrittenFirst.push_back(Line(random));
        rewrittenSecond.push_back(Line(random));
    }

    std::string letters, lettersFirst, lettersSecond;
    for (int i = 0; letters.size() < 10240; ++i) {
        letters += std::string(1, static_cast<char>('a' + i % 3)) + "\n";
        lettersFirst += std::string(1, static_cast<char>('a' + i * 7 % 5)) + "\n";
        lettersSecond += std::string(1, static_cast<char>('a' + i * 11 % 4)) + "\n";
    }

    const std::string note = Joined(base);
    std::size_t size = 0;
    const double edited = MedianMerge(note, Joined(first), Joined(second), size);
    std::printf("a %zu-byte note edited apart on two computers: median %.3f ms, %zu bytes merged\n", note.size(),
                edited, size);
    Row("text_merge", edited, "ms", "median of %d, %zu bytes", kRuns, note.size());
    const double rewritten = MedianMerge(note, Joined(rewrittenFirst), Joined(rewrittenSecond), size);
    std::printf("the note rewritten on both: median %.3f ms, %zu bytes merged\n", rewritten, size);
    Row("text_merge_rewritten", rewritten, "ms", "median of %d", kRuns);
    const double worst = MedianMerge(letters, lettersFirst, lettersSecond, size);
    std::printf("%zu bytes of one-letter lines rewritten on both: median %.3f ms\n", letters.size(), worst);
    Row("text_merge_letters", worst, "ms", "median of %d, %zu lines", kRuns, letters.size() / 2);
    return 0;
}
