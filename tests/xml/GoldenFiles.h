#pragma once

#include <string>

// Store files byte for byte as the program wrote them before it kept its text
// in UTF-8: older copies read exactly this, so these bytes must not change.
namespace GoldenFiles {

const std::string DECLARATION = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

// Typed notes: German letters, a line break as "_BR_", quotes and markup.
const std::string NOTES =
    DECLARATION + "<DATABASE><ENTRY _id_=\"1\" date=\"03/14/2004 09:05:00\" "
                  "text=\"Gr\xFC\xDF"
                  "e an M\xFCller_BR_\xC4pfel, \xD6l &amp; \xDC"
                  "berraschung\" wndX=\"640\" wndY=\"120\"/>"
                  "<ENTRY _id_=\"2\" date=\"12/24/2025 18:30:00\" text=\"Sagte &quot;Zur Linde&quot; &lt;Bar> f\xFCr 5 "
                  "\xE4 \xF6 \xFC\" wndX=\"-1\" wndY=\"-1\"/></DATABASE>";

const std::string REMINDERS =
    DECLARATION + "<DATABASE><ENTRY _id_=\"1\" date=\"01/02/2026 08:00:00\" "
                  "notify=\"15\" text=\"Zahnarzt_BR__BR_nicht vergessen!\" wndX=\"300\" wndY=\"200\"/></DATABASE>";

// A note read from an older file and saved again: the C1 range, other Latin-1
// characters, and references for what ISO-8859-1 lacks.
const std::string LATIN1 =
    DECLARATION +
    "<DATABASE><ENTRY _id_=\"1\" date=\"03/14/2004 09:05:00\" "
    "text=\"caf\xE9 \xE8 \xB0"
    "C \xBD \xFF &quot;quoted&quot; &amp; &lt;x> &#8364;5 &#321;\xF3"
    "d&#378;_BR_C1:"
    "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
    "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F\" "
    "wndX=\"1\" wndY=\"2\"/><ENTRY _id_=\"2\" date=\"03/15/2004 10:00:00\" text=\"\xA0\xA9\xAE\xD7\xF7 Stra\xDF"
    "e\" "
    "wndX=\"-1\" wndY=\"-1\"/></DATABASE>";

// The weather store after a UTF-8 feed: city names as element text.
const std::string WEATHER =
    DECLARATION +
    "<ZORLA><WEATHER><ENTRY>Z\xFCrich<WEATHER>sonnig</WEATHER>"
    "<TEMP>12</TEMP><TIME>14:00</TIME></ENTRY><ENTRY>Krak\xF3w<WEATHER>bew\xF6lkt</WEATHER><TEMP>-3</TEMP>"
    "<TIME>14:00</TIME></ENTRY><ENTRY>&#321;\xF3"
    "d&#378;<WEATHER>Schnee &amp; Wind</WEATHER><TEMP>-7</TEMP>"
    "<TIME>14:00</TIME></ENTRY></WEATHER></ZORLA>";

}  // namespace GoldenFiles
