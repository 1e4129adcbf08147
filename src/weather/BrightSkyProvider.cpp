#include "weather/BrightSkyProvider.h"

#include "weather/BrightSkyReader.h"
#include "weather/CityTable.h"
#include "weather/PlaceQuery.h"

HttpFetch::Request BrightSkyProvider::RequestFor(const std::string& address, const City& place, std::int64_t now) const
{
    const std::int64_t day = 24 * 60 * 60;
    HttpFetch::Request request;
    request.url = PlaceQuery::Append(address, place) + "&date=" + PlaceQuery::Date(now) +
                  "&last_date=" + PlaceQuery::Date(now + 3 * day);
    return request;
}

bool BrightSkyProvider::Read(const std::string& body, Forecast& forecast, std::string& error) const
{
    return BrightSkyReader::Read(body, forecast, error);
}
