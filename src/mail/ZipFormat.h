#pragma once

#include <cstdint>

// The record signatures and fixed sizes of the ZIP format that the archive
// writer writes and its reader checks.
namespace ZipFormat {

const uint32_t kLocalHeaderSignature = 0x04034b50;
const uint32_t kCentralHeaderSignature = 0x02014b50;
const uint32_t kEndRecordSignature = 0x06054b50;
const uint32_t kLocalHeaderSize = 30;
const uint32_t kCentralHeaderSize = 46;
const uint32_t kEndRecordSize = 22;

}  // namespace ZipFormat
