// Finding a note while typing, natively: 10,000 entries (a tenth of them
// reminders) of about 200 characters each, in the languages and scripts users
// write notes in. The figure is the median time of one keystroke's search while
// queries are typed letter by letter, with the list's rows as the result.
#include "MedianTime.h"
#include "Row.h"

#include "model/NoteFinder.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

const int kEntries = 10000;
const int kRuns = 5;

const char* const kWords[] = {
    "Einkaufen", "Straße",      "Müller",  "Termin",     "Zahnarzt",   "Geburtstag", "morgen",      "call",
    "meeting",   "groceries",   "invoice", "project",    "deadline",   "Friday",     "rendez-vous", "français",
    "été",       "boulangerie", "réunion", "Łódź",       "Kraków",     "spotkanie",  "żółw",        "Αθήνα",
    "συνάντηση", "αύριο",       "Ёжик",    "встреча",    "завтра",     "Москва",     "会議",        "明日",
    "買い物",    "İstanbul",    "çarşı",   "København",  "smørrebrød", "Ærø",        "naïve",       "café",
    "piñata",    "Señor",       "FULL",    "ＺＯＲＬＡ", "ﬁnance",     "Øresund",    "Đà Nẵng",     "the",
    "and",       "milk",        "bread",   "pick up",    "kids",       "12:30",      "2026",        "#42",
};

std::vector<CEntry> Entries()
{
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> word(0, sizeof kWords / sizeof kWords[0] - 1);
    std::vector<CEntry> entries;
    for (int i = 0; i < kEntries; ++i) {
        CEntry entry;
        entry.kind = i % 10 == 0 ? EntryKind::Reminder : EntryKind::Note;
        entry.id = i + 1;
        entry.date = DateTime(2026, 12, 7, 10, 0, 0);
        entry.notify = entry.kind == EntryKind::Reminder ? i : -1;
        std::string text;
        while (text.size() < 200)
            text += std::string(kWords[word(random)]) + (word(random) % 9 == 0 ? "\r\n" : " ");
        entry.SetText(text);
        entries.push_back(entry);
    }
    return entries;
}

double Ms(std::chrono::steady_clock::duration time)
{
    return std::chrono::duration<double, std::milli>(time).count();
}

}  // namespace

int main()
{
    const std::vector<CEntry> entries = Entries();
    // Typed as the user would: plain letters for accented words, another script.
    const std::string queries[] = {"strasse lodz", "αθηνα", "ежик завтра", "francais cafe", "zorla finance"};

    std::vector<double> refreshes, keystrokes;
    std::size_t lastRows = 0;
    for (int run = 0; run < kRuns; ++run) {
        NoteFinder finder;
        auto start = std::chrono::steady_clock::now();
        finder.Refresh(entries);
        refreshes.push_back(Ms(std::chrono::steady_clock::now() - start));
        for (const std::string& query : queries) {
            for (std::size_t length = 1; length <= query.size(); ++length) {
                // Between two bytes of one letter the typed text is not a query yet.
                if (length < query.size() && (static_cast<unsigned char>(query[length]) & 0xC0) == 0x80)
                    continue;
                start = std::chrono::steady_clock::now();
                lastRows = finder.Find(query.substr(0, length)).size();
                keystrokes.push_back(Ms(std::chrono::steady_clock::now() - start));
            }
        }
    }
    const double keystroke = Median(keystrokes);
    std::printf("one keystroke's search among %d entries: median %.3f ms over %zu keystrokes; %zu rows at the last\n",
                kEntries, keystroke, keystrokes.size(), lastRows);
    Row("find_keystroke", keystroke, "ms", "median of %zu keystrokes", keystrokes.size());
    Row("find_first_fold", Median(refreshes), "ms", "median of %d", kRuns);
    return lastRows > 0 ? 0 : 1;
}
