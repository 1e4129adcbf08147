#pragma once

// The web addresses the program shows, opens and reports to. The host names are
// build values, so tests and the demo can point them at a local server.
#define ZORLA_MAKER_URL "http://" ZORLA_MAKER_HOST "/"
#define ZORLA_BRAND_URL "http://" ZORLA_BRAND_HOST "/"
#define ZORLA_AGENCY_URL "http://" ZORLA_AGENCY_HOST "/"
// The maker's contact address, which the program's mails name as their sender.
#define ZORLA_MAKER_MAIL "zorla@velloran.example"
// The agent every request of the program names: the program and its maker's site.
#define ZORLA_USER_AGENT "User-Agent: Velloran Software/1.0 (" ZORLA_MAKER_HOST ")"
// What the open weather services are told the program is, and how its maker is
// reached, as their terms ask.
#define ZORLA_WEATHER_AGENT "Zorla/1.0 (+" ZORLA_MAKER_URL "; " ZORLA_MAKER_MAIL ")"
