#pragma once

#include <string>

// Weather documents as the server sends them, in ISO-8859-1.
namespace WeatherFeeds {

const char WEATHER_PATH[] = "/myPHP/generate_zorla_Klimbim_info.php.xml";
const char WEATHER_URL[] = "http://127.0.0.1/myPHP/generate_zorla_Klimbim_info.php.xml";

inline std::string Entry(const std::string& city, const std::string& temp)
{
    return "<ENTRY>" + city + "<WEATHER>sonnig</WEATHER><CLOUDS>wolkenlos</CLOUDS><TEMP>" + temp +
           "</TEMP><TIME>14:00</TIME></ENTRY>";
}

inline std::string Document(const std::string& entries)
{
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<ZORLA><WEATHER>" + entries + "</WEATHER></ZORLA>\n";
}

// Five cities, not in order; "M\xFCnchen" is the program's default city.
inline std::string Good()
{
    return Document(Entry("Hamburg", "9") + Entry("M\xFCnchen", "12") + Entry("Berlin", "10") + Entry("K\xF6ln", "11") +
                    Entry("Bremen", "8"));
}

// Another day: two cities only.
inline std::string Other()
{
    return Document(Entry("Dresden", "3") + Entry("Bremen", "4"));
}

}  // namespace WeatherFeeds
