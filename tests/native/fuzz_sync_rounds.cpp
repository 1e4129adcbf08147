// libFuzzer target: two or three computers keeping their notes through a synced
// folder, each a whole model with a folder of its own, so they see each other
// only when the script plays the sync service: it copies a computer's file into
// another's folder late, out of order, cut short, as a conflicted copy, or not
// at all. At the end every computer's last file reaches every other until none
// changes (six rounds at most), and then:
// 1. every computer holds the same entries: the same (id, text) pairs;
// 2. no typed line is lost: each line the script typed (a word "t<n>"), unless
//    the script itself removed it by an edit, is in a note or in the bin of
//    every computer, plain or after the merge's marker;
// 3. no computer holds an id twice, nor keeps in its bin an id it holds: a note
//    brought back leaves every bin, a note deleted leaves the notes.
// The input is a script of at most 40 operations of four bytes each (an
// operation and three arguments; missing bytes read as zero), after a first byte
// that chooses two or three computers: every byte string is a script.
#include "support/core/CoreSupport.h"

#include "base/StoredNames.h"
#include "model/ZorlaModel.h"

#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

struct Play;
Play* g_play = nullptr;
[[noreturn]] void Fail(const std::string& what);

class Script {
public:
    Script(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {}
    bool AtEnd() const { return m_at >= m_size; }
    unsigned Next() { return m_at < m_size ? m_data[m_at++] : 0; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

std::vector<std::string> Split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    for (size_t start = 0;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + separator.size();
    }
}

std::string Join(const std::vector<std::string>& parts, const std::string& separator)
{
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i)
        text += (i ? separator : "") + parts[i];
    return text;
}

bool IsToken(const std::string& word)
{
    return word.size() > 1 && word[0] == 't' && word.find_first_not_of("0123456789", 1) == std::string::npos;
}

// The typed words in text, whatever stands around them.
void AddTokens(const std::string& text, std::set<std::string>& tokens)
{
    std::string word;
    for (const char c : text + " ") {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            word += c;
            continue;
        }
        if (IsToken(word))
            tokens.insert(word);
        word.clear();
    }
}

// The names sync services give a second version of a file.
const char* const kCopyNames[] = {" (Anna's conflicted copy 2026-12-07)", "-LAPTOP",
                                  " (conflicted copy 2026-12-07 101500)", ".sync-conflict-20261207-101500-ABCDEFG",
                                  " (1)"};

struct Computer {
    explicit Computer(const std::string& id)
        : model(platform.Context(data.Path()))
        , name(stored::kDataFilePrefix + id)
    {
        platform.settings.WriteString(stored::kStorageSection, stored::kComputer, id);
        model.Load();
        model.KeepInFolder(folder.Path());
        sent.push_back(Own());
    }
    std::string Own() const { return TestFiles::Bytes(folder.File(name + ".zorla")); }

    TempFolder data;
    TempFolder folder;
    CorePlatform platform;
    ZorlaModel model;
    std::string name;
    std::vector<std::string> sent;  // every version of its file, oldest first
};

struct Play {
    std::vector<std::unique_ptr<Computer>> computers;
    std::set<std::string> typed;
    std::set<std::string> removed;
    int seconds = 0;

    std::string Type()
    {
        const std::string token = "t" + std::to_string(typed.size());
        typed.insert(token);
        return token;
    }
    // The sync service puts bytes in a folder; each file written gets a time of
    // its own, as a file a reader must look at again.
    void Put(const std::string& path, const std::string& bytes)
    {
        TestFiles::Write(path, bytes);
        std::error_code ignored;
        std::filesystem::last_write_time(
            path, std::filesystem::file_time_type::clock::now() + std::chrono::seconds(++seconds), ignored);
    }
    const std::string& Version(const Computer& from, unsigned age)
    {
        return from.sent[from.sent.size() - 1 - age % from.sent.size()];
    }
};

void Edit(Computer& computer, unsigned which, unsigned how, Play& play)
{
    const std::vector<CEntry> notes = computer.model.Notes().ReadAll();
    if (notes.empty())
        return;
    CEntry entry = notes[which % notes.size()];
    std::vector<std::string> lines = Split(entry.GetDisplayText(), "\r\n");
    const size_t at = lines.empty() ? 0 : how / 5 % lines.size();
    std::vector<std::string> words = lines.empty() ? std::vector<std::string>() : Split(lines[at], " ");
    size_t last = words.size();
    for (size_t i = 0; i < words.size(); ++i)
        last = IsToken(words[i]) ? i : last;
    switch (lines.empty() ? 0 : how % 5) {
    case 0:  // a line at the end
        lines.push_back(play.Type());
        break;
    case 1:  // a line before another
        lines.insert(lines.begin() + static_cast<long>(at), play.Type());
        break;
    case 2:  // a word at a line's end
        lines[at] += " " + play.Type();
        break;
    case 3:  // a typed word replaced
        if (last == words.size()) {
            lines[at] += " " + play.Type();
            break;
        }
        play.removed.insert(words[last]);
        words[last] = play.Type();
        lines[at] = Join(words, " ");
        break;
    default:  // a line deleted
        AddTokens(lines[at], play.removed);
        lines.erase(lines.begin() + static_cast<long>(at));
    }
    entry.SetText(Join(lines, "\r\n"));
    computer.model.Update(entry);
    computer.model.Write(entry);
}

void Step(Play& play, unsigned op, unsigned a, unsigned b, unsigned c)
{
    const size_t count = play.computers.size();
    Computer& one = *play.computers[a % count];
    Computer& other = *play.computers[(a % count + 1 + b % (count - 1)) % count];
    ZorlaModel& model = one.model;
    switch (op % 12) {
    case 0: model.AddNote(b % 2 ? play.Type() : play.Type() + "\r\n" + play.Type()); break;
    case 1:
    case 2:
    case 3: Edit(one, b, c, play); break;
    case 4:
        if (const std::vector<CEntry> notes = model.Notes().ReadAll(); !notes.empty())
            model.Delete(notes[b % notes.size()]);
        break;
    case 5: model.RestoreLast(one.platform.clock.Now()); break;
    case 6:  // the clock moves on, or back a little
        if (b < 32)
            one.platform.clock.Set(one.platform.clock.Now() - DateTimeSpan(0, 0, 0, 1 + b % 8));
        else
            one.platform.clock.Set(one.platform.clock.Now() + DateTimeSpan(0, 0, 0, b));
        break;
    case 7:
    case 8:  // a delivery, perhaps of a version some changes old
        play.Put(other.folder.File(one.name + ".zorla"), play.Version(one, c % 4));
        if (c & 4)
            other.model.CheckSyncFolder();
        break;
    case 9: {  // half a file, as while it is still being copied
        const std::string& whole = play.Version(one, 0);
        play.Put(other.folder.File(one.name + ".zorla"), whole.substr(0, ((b << 8) | c) % (whole.size() + 1)));
        break;
    }
    case 10: {  // a conflicted copy, in any computer's folder, its own too
        Computer& to = *play.computers[b % count];
        play.Put(to.folder.File(one.name + kCopyNames[c / 4 % 5] + ".zorla"), play.Version(one, c % 4));
        break;
    }
    default: model.CheckSyncFolder();
    }
}

std::string Describe(Computer& computer)
{
    std::string text = computer.name + " holds:\n";
    for (const CEntry& entry : computer.model.StoredEntries())
        text += "  " + entry.uid + " " + entry.versions + " [" + entry.GetDisplayText() + "]\n";
    text += " bin:\n";
    for (const CEntry& entry : computer.model.DeletedBin().ReadAll())
        text += "  " + entry.uid + " " + entry.versions + " [" + entry.GetDisplayText() + "]\n";
    return text;
}

void Fail(const std::string& what)
{
    std::fprintf(stderr, "sync rounds: %s\n", what.c_str());
    for (auto& computer : g_play->computers)
        std::fprintf(stderr, "%s", Describe(*computer).c_str());
    std::abort();
}

void Settle(Play& play)
{
    for (int round = 0;; ++round) {
        if (round == 6)
            Fail("the copies do not converge");
        bool changed = false;
        std::vector<std::string> before;
        for (auto& computer : play.computers)
            before.push_back(computer->Own());
        for (size_t from = 0; from < play.computers.size(); ++from)
            for (size_t to = 0; to < play.computers.size(); ++to)
                if (from != to)
                    play.Put(play.computers[to]->folder.File(play.computers[from]->name + ".zorla"), before[from]);
        for (auto& computer : play.computers)
            changed |= computer->model.CheckSyncFolder();
        for (size_t i = 0; i < play.computers.size(); ++i)
            changed |= play.computers[i]->Own() != before[i];
        if (!changed)
            return;
    }
}

void CheckInvariants(Play& play)
{
    std::set<std::pair<std::string, std::string>> first;
    for (auto& computer : play.computers) {
        std::set<std::pair<std::string, std::string>> entries;
        std::set<std::string> uids, tokens;
        for (const CEntry& entry : computer->model.StoredEntries()) {
            if (!uids.insert(entry.uid).second)
                Fail(computer->name + " holds " + entry.uid + " twice");
            entries.emplace(entry.uid, entry.GetDisplayText());
            AddTokens(entry.GetDisplayText(), tokens);
        }
        if (computer == play.computers[0])
            first = entries;
        else if (entries != first)
            Fail("the computers hold different notes");
        for (const CEntry& entry : computer->model.DeletedBin().ReadAll()) {
            if (uids.count(entry.uid))
                Fail(computer->name + " holds " + entry.uid + " and keeps it in the bin");
            AddTokens(entry.GetDisplayText(), tokens);
        }
        for (const std::string& token : play.typed)
            if (!play.removed.count(token) && !tokens.count(token))
                Fail(computer->name + " lost the line " + token);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Script script(data, size);
    Play play;
    g_play = &play;
    const unsigned count = 2 + script.Next() % 2;
    for (unsigned i = 0; i < count; ++i)
        play.computers.push_back(std::make_unique<Computer>("c0ffee000000000" + std::to_string(i + 1)));
    for (int step = 0; step < 40 && !script.AtEnd(); ++step) {
        const unsigned op = script.Next(), a = script.Next(), b = script.Next(), c = script.Next();
        Step(play, op, a, b, c);
        for (auto& computer : play.computers)
            if (const std::string own = computer->Own(); own != computer->sent.back())
                computer->sent.push_back(own);
    }
    Settle(play);
    CheckInvariants(play);
    return 0;
}
