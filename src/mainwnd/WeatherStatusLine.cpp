#include "mainwnd/WeatherStatusLine.h"

#include "shared/Translator.h"

WeatherStatusLine WeatherStatusLine::For(WeatherService::Status status, const std::string& detail)
{
    switch (status) {
    case WeatherService::Status::Contacting: return {Translate("Weather update - contacting server..."), false};
    case WeatherService::Status::Failed: return {"Error: " + detail, true};
    case WeatherService::Status::Updated:
    default: return {"OK !", true};
    }
}
