#pragma once

#include "mail/ZipSingleEntry.h"

#include <string>

// ParseZipSingleEntry on the file at archivePath; false also when the file is
// missing or cannot be read.
bool ReadZipSingleEntry(const std::string& archivePath, ZipSingleEntry& entry);
