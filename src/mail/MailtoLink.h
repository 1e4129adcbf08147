#pragma once

#include <string>
#include <string_view>

// "mailto:" links (RFC 6068), without windows.

// Every byte of the UTF-8 text as "%XX" but letters, digits and "-._~", which
// mean the same anywhere in a link. A space is "%20": in a "mailto:" link "+"
// is a plus sign.
std::string PercentEncoded(std::string_view utf8);

// The link that opens a new mail with this subject and no recipient.
std::string MailtoLinkWithSubject(std::string_view subject);
