#pragma once

#include "framework/CWnd.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class CSendToFriend;

// A hidden top-level window in place of the main window: it keeps what the mail
// thread tells it and hands it on to the command, as the main window does.
class MailOwnerWindow : public CWnd {
public:
    explicit MailOwnerWindow(DWORD exStyle = 0);
    ~MailOwnerWindow() override;

    void Forward(CSendToFriend* mail) { m_mail = mail; }

    std::vector<std::pair<int, std::string>> steps;  // percent, text
    std::vector<ULONG> results;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CSendToFriend* m_mail = nullptr;
};
