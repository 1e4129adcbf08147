// Two computers' notes meeting in a synced folder, natively: each holds 1,000
// notes and 1,000 reminders of its own; the figure is one computer's check of
// the folder that merges all of the other's (read, merge, store, write back).
// Then one note changed on the other: the check that takes it in runs on the
// main window's thread, so it is what the window is kept waiting. Then the
// check after, which writes this computer's file with all 4,000. Last 100
// notes changed on both computers apart, each in another part of its line:
// the check that merges the office's 100 into home's.
#include "support/core/CoreSupport.h"
#include "MedianTime.h"
#include "Row.h"

#include "model/ZorlaModel.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kEach = 1000;
const int kRuns = 5;
const int kApart = 100;

// A computer whose stores hold its entries before it starts keeping them in
// the folder: they get their ids all at once.
struct Computer {
    Computer(const std::string& name, const std::string& shared)
    {
        {
            NoteStore notes(data.Path(), platform.files);
            ReminderStore reminders(data.Path(), platform.files);
            notes.LoadOrStartEmpty();
            reminders.LoadOrStartEmpty();
            for (int i = 0; i < kEach; ++i) {
                CEntry note;
                note.kind = EntryKind::Note;
                note.date = DateTime(2026, 12, 7, 10, 0, 0);
                note.SetText(name + " note " + std::to_string(i) + " with a line of text to carry");
                notes.AddEntry(note);
                CEntry reminder = note;
                reminder.id = 0;
                reminder.kind = EntryKind::Reminder;
                reminder.notify = 0;
                reminder.SetText(name + " reminder " + std::to_string(i));
                reminders.AddEntry(reminder);
            }
            notes.Save();
            reminders.Save();
        }
        model = std::make_unique<ZorlaModel>(platform.Context(data.Path()));
        model->Load();
        model->KeepInFolder(shared);
    }

    TempFolder data;
    CorePlatform platform;
    std::unique_ptr<ZorlaModel> model;
};

double Ms(const std::chrono::steady_clock::duration& time)
{
    return std::chrono::duration<double, std::milli>(time).count();
}

}  // namespace

int main()
{
    std::vector<double> merges, changes, publishes, apart;
    size_t held = 0;
    int merged = 0;
    for (int run = 0; run < kRuns; ++run) {
        // Home keeps its notes there first; the office, starting later, finds
        // them and merges them in as it starts, so its file holds both.
        TempFolder shared;
        Computer home("home", shared.Path());
        Computer office("office", shared.Path());
        auto start = std::chrono::steady_clock::now();
        home.model->CheckSyncFolder();
        merges.push_back(Ms(std::chrono::steady_clock::now() - start));
        held = home.model->StoredEntries().size();

        CEntry one = office.model->StoredEntries().back();
        one.SetText("changed on the office computer");
        office.model->Update(one);
        office.model->Write(one);
        start = std::chrono::steady_clock::now();
        home.model->CheckSyncFolder();
        changes.push_back(Ms(std::chrono::steady_clock::now() - start));
        // The next check finds nothing new and writes this computer's file.
        start = std::chrono::steady_clock::now();
        home.model->CheckSyncFolder();
        publishes.push_back(Ms(std::chrono::steady_clock::now() - start));

        office.model->CheckSyncFolder();
        for (int i = 0; i < kApart; ++i) {
            const std::string text = "home note " + std::to_string(i) + " with a line of text to carry";
            for (Computer* computer : {&office, &home}) {
                for (CEntry entry : computer->model->StoredEntries()) {
                    if (entry.GetDisplayText() != text)
                        continue;
                    entry.SetText(computer == &office ? "Home" + text.substr(4) : text + " and back");
                    computer->model->Update(entry);
                    computer->model->Write(entry);
                    break;
                }
            }
        }
        start = std::chrono::steady_clock::now();
        home.model->CheckSyncFolder();
        apart.push_back(Ms(std::chrono::steady_clock::now() - start));
        merged = 0;
        for (const CEntry& entry : home.model->StoredEntries())
            merged += entry.GetDisplayText().rfind("Home note ", 0) == 0 &&
                      entry.GetDisplayText().find(" and back") != std::string::npos;
    }
    const double merge = Median(merges);
    const double change = Median(changes);
    std::printf("merge of 2 x (%d notes + %d reminders): median %.1f ms over %d runs; %zu entries held after\n",
                kEach, kEach, merge, kRuns, held);
    std::printf("one change arriving among them: median %.1f ms\n", change);
    Row("sync_merge", merge, "ms", "median of %d", kRuns);
    Row("sync_change", change, "ms", "median of %d", kRuns);
    Row("sync_publish", Median(publishes), "ms", "median of %d", kRuns);
    std::printf("%d notes changed on both apart, merged: median %.1f ms; %d of them hold both changes\n", kApart,
                Median(apart), merged);
    Row("sync_apart", Median(apart), "ms", "median of %d, %d notes changed on both", kRuns, kApart);
    return held == 4u * kEach && merged == kApart ? 0 : 1;
}
