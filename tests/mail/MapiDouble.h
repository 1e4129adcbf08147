#pragma once

#include "support/TestFiles.h"
#include "support/TestProcess.h"

#include <windows.h>

#include <string>
#include <vector>

// What the Simple MAPI test double (tests/mapi) wrote about one call of
// MAPISendMailW or MAPISendMail; the texts of the first are UTF-8 here.
struct MapiCall {
    struct Recipient {
        unsigned recipientClass = 99;
        std::string name;
        std::string address;
    };
    struct File {
        std::string path;
        std::string title;
        unsigned position = 0;
    };

    std::string function;
    unsigned long flags = 0;
    unsigned long long owner = 0;
    int ownerEnabled = -1;
    int ownerTopMost = -1;
    std::string cursor;
    std::string subject;
    std::string note;
    Recipient originator;
    std::vector<Recipient> recipients;
    std::vector<File> files;
};

// Tells the test double, through this process's environment, where to record
// and how to answer; every setting is taken back at destruction.
class MapiDouble {
public:
    MapiDouble();
    ~MapiDouble();
    MapiDouble(const MapiDouble&) = delete;
    MapiDouble& operator=(const MapiDouble&) = delete;

    void FailWith(unsigned long result);
    void RefuseToLoad();
    // The send call waits until Release (or the double's own time limit).
    void Hold();
    void Release();

    std::vector<MapiCall> Calls() const;

private:
    TempFolder m_folder;
    std::string m_record;
    std::string m_holdEvent;
    HANDLE m_hold = nullptr;
};

// A missing text, as the double writes it.
extern const char kNull[];
// The double without MAPISendMailW, for CMailSender::SetLibraryForTest.
extern const char kAnsiOnlyMapi[];
