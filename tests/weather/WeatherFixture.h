#pragma once

#include "WeatherFeeds.h"
#include "WeatherTestWindow.h"

#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "framework/CWinApp.h"
#include "support/HttpTestServer.h"
#include "support/TestProcess.h"
#include "support/TestRegistry.h"
#include "weather/CActionWeather.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

// A weather action with its store in a fresh folder, wired to a hidden stand-in
// main window, fetching from the local test server; settings start empty.
class WeatherFixture : public testing::Test {
protected:
    void SetUp() override
    {
        FillTranslationTable(GetTranslator());
        AfxGetApp()->SetRegistryKey("Velloran Software");
        TestRegistry::DeleteApp(App());
        action = std::make_unique<CActionWeather>(folder.Path());
        action->SetWeatherUrlForTest(WeatherFeeds::WEATHER_URL);
        view.selection = "München";
        view.Attach(action.get());
    }

    void TearDown() override
    {
        EXPECT_EQ(view.foreignThreadCalls, 0);
        view.Attach(nullptr);
        action.reset();
        server.Stop();
        TestRegistry::DeleteApp(App());
    }

    static std::string App() { return AfxGetApp()->m_pszAppName; }

    // A forced update, pumped until its outcome has been taken in.
    void Update()
    {
        action->CheckWeather(true);
        ASSERT_TRUE(view.PumpUntilDone());
    }

    std::string Stamp() const
    {
        std::string stamp;
        TestRegistry::ReadString(App(), "CActionWeather", "szLastUpdate", stamp);
        return stamp;
    }

    std::string StoreFile() const
    {
        std::ifstream in(action->GetPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    TempFolder folder;
    HttpTestServer server;
    WeatherTestWindow view;
    std::unique_ptr<CActionWeather> action;
};
