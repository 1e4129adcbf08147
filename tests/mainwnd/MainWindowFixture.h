#pragma once

#include "framework/Utf8.h"
#include "shared/CDataFolder.h"
#include "framework/CWinApp.h"
#include "support/MainWindowUnderTest.h"
#include "resource.h"
#include "support/TestProcess.h"
#include "support/TestRegistry.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The real main window in this process, with its data files in a folder of the
// test's own and its settings starting empty. Tests write the settings they need
// first, then Open the window.
class MainWindowFixture : public testing::Test {
protected:
    void SetUp() override
    {
        TestRegistry::DeleteApp(App());
        // Only the brand's feed, which the tests stand in for: the open weather
        // services are asked by the tests about them, at stand-ins of their own.
        TestRegistry::WriteString(App(), "WeatherProviders", "Order", "brand");
        AfxGetApp()->SetRegistryKey("Velloran Software");
        CDataFolder::SetForTest(folder.Path());
    }
    void TearDown() override
    {
        Close();
        CDataFolder::SetForTest("");
        TestRegistry::DeleteApp(App());
    }

    static std::string App() { return AfxGetApp()->m_pszAppName; }

    void Open()
    {
        dlg = std::make_unique<MainWindowUnderTest>(TestPlatform::Context());
        ASSERT_TRUE(dlg->Create(IDD_ZORLA_DIALOG));
        window = dlg->m_hWnd;
        ShowWindow(window, SW_SHOWNOACTIVATE);
        dlg->CompleteStart();
    }
    // Destroys the window as the program does on its way out: settings, place
    // and stores are written.
    void Close()
    {
        if (dlg && ::IsWindow(window))
            dlg->DestroyWindow();
        dlg.reset();
    }

    LRESULT Command(UINT id) { return SendMessageA(window, WM_COMMAND, id, 0); }
    HWND Item(int id) const { return GetDlgItem(window, id); }

    std::vector<std::string> Cities() const
    {
        std::vector<std::string> cities;
        const int count = static_cast<int>(SendMessageA(Item(IDC_CITY_LIST), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[256] = L"";
            SendMessageW(Item(IDC_CITY_LIST), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            cities.push_back(Narrow(text));
        }
        return cities;
    }
    std::string SelectedCity() const
    {
        wchar_t text[256] = L"";
        const LRESULT index = SendMessageW(Item(IDC_CITY_LIST), CB_GETCURSEL, 0, 0);
        if (index != CB_ERR)
            SendMessageW(Item(IDC_CITY_LIST), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return Narrow(text);
    }

    DWORD RegistryDword(const char* section, const char* value, DWORD missing = 99) const
    {
        DWORD data = missing;
        TestRegistry::ReadDword(App(), section, value, data);
        return data;
    }
    std::string RegistryString(const char* section, const char* value) const
    {
        std::string data;
        TestRegistry::ReadString(App(), section, value, data);
        return data;
    }

    TempFolder folder;
    std::unique_ptr<MainWindowUnderTest> dlg;
    HWND window = nullptr;
};
