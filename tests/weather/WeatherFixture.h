#pragma once

#include "WeatherFeeds.h"
#include "WeatherTestWindow.h"

#include "base/StoredNames.h"
#include "framework/CWinApp.h"
#include "framework/ProfileSettings.h"
#include "framework/SystemClock.h"
#include "net/WindowHttpFetch.h"
#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "shared/WebAddresses.h"
#include "support/HttpTestServer.h"
#include "support/TestPlatform.h"
#include "support/TestProcess.h"
#include "support/TestRegistry.h"
#include "weather/WeatherService.h"
#include "weather/ZorlaWeatherFeed.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

// The weather as the main window runs it: the service with its store in a fresh
// folder, its downloads handed back through a hidden stand-in main window, the
// feed pointed at the local test server by the setting; settings start empty.
class WeatherFixture : public testing::Test {
protected:
    void SetUp() override
    {
        FillTranslationTable(GetTranslator());
        AfxGetApp()->SetRegistryKey(stored::kRegistryCompany);
        TestRegistry::DeleteApp(App());
        TestRegistry::WriteString(App(), stored::kWeatherSection, stored::kFeedUrl, WeatherFeeds::WEATHER_URL);
        fetch = std::make_unique<WindowHttpFetch>(ZORLA_USER_AGENT);
        store = std::make_unique<WeatherStore>(folder.Path(), TestPlatform::Files());
        weather = std::make_unique<WeatherService>(*store, std::make_unique<ZorlaWeatherFeed>(), settings, clock, *fetch);
        view.selection = "München";
        view.Attach(weather.get(), fetch.get());
    }

    void TearDown() override
    {
        EXPECT_EQ(view.foreignThreadCalls, 0);
        view.Attach(nullptr, nullptr);
        weather.reset();
        fetch.reset();
        server.Stop();
        TestRegistry::DeleteApp(App());
    }

    static std::string App() { return AfxGetApp()->m_pszAppName; }

    // A forced update, pumped until its outcome has been taken in.
    void Update()
    {
        weather->Check(true, view.noInternet);
        ASSERT_TRUE(view.PumpUntilDone());
    }

    std::string Stamp() const
    {
        std::string stamp;
        TestRegistry::ReadString(App(), stored::kWeatherSection, stored::kLastUpdate, stamp);
        return stamp;
    }

    std::string StoreFile() const
    {
        std::ifstream in(store->GetPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    TempFolder folder;
    HttpTestServer server;
    WeatherTestWindow view;
    ProfileSettings settings;
    SystemClock clock;
    std::unique_ptr<WindowHttpFetch> fetch;
    std::unique_ptr<WeatherStore> store;
    std::unique_ptr<WeatherService> weather;
};
