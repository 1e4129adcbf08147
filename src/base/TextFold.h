#pragma once

#include <string>
#include <string_view>

// The form in which the user's search and the texts searched are compared: lower
// case, without diacritics, letters with a stroke or a bar as their base letter,
// ligatures and sharp s spelled out, full-width and other compatibility forms as
// their plain letters. So "LODZ" and "Łódź" both become "lodz", "Straße" and
// "STRASSE" "strasse", "Ёжик" "ежик". Bytes that are not well-formed UTF-8 are
// skipped: a damaged text still finds by what is left of it.
std::string FoldForSearch(std::string_view utf8);

// The same, appended to out.
void AppendFoldForSearch(std::string_view utf8, std::string& out);
