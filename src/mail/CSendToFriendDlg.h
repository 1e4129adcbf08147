#pragma once

#include "framework/CDialog.h"
#include "shared/AppTranslator.h"

#include <string>

// "Send me to a friend...": recipients, subject and a short text for the mail
// that carries the program (dialog template 105). The caller presets the
// members, runs the dialog and reads them after Send (IDOK); the recipients
// then hold ";" wherever the user typed ",".
class CSendToFriendDlg : public CDialog, public CAppTranslator {
public:
    static const int kSubjectLimit = 150;
    static const int kRecipientsLimit = 250;
    static const int kTextLimit = 500;

    explicit CSendToFriendDlg(CWnd* parent = nullptr);

    std::string m_subject;
    std::string m_recipients;
    std::string m_text;
    int m_attachAsZip = 1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void OnRecipientsChange();

    bool m_initialised = false;
};
