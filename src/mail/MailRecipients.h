#pragma once

#include <string>
#include <vector>

// What the send-to-friend dialog makes of the typed recipients, apart from any
// window.

// Send is offered only for a text that may hold an address: not empty, with an
// "@" and a "." somewhere in it.
bool MayHoldMailAddress(const std::string& recipients);

// The recipients text as the dialog hands it over: every "," becomes ";".
std::string WithSemicolons(std::string recipients);

// The fields between the semicolons, in order, untrimmed; the first empty field
// ends the list ("a;;b" gives "a" only).
std::vector<std::string> SplitRecipients(const std::string& recipients);
