#include "weather/MetNorwayProvider.h"

#include "weather/CityTable.h"
#include "weather/MetNorwayReader.h"
#include "weather/PlaceQuery.h"

HttpFetch::Request MetNorwayProvider::RequestFor(const std::string& address, const City& place,
                                                 std::int64_t /*now*/) const
{
    HttpFetch::Request request;
    request.url = PlaceQuery::Append(address, place);
    return request;
}

bool MetNorwayProvider::Read(const std::string& body, Forecast& forecast, std::string& error) const
{
    return MetNorwayReader::Read(body, forecast, error);
}
