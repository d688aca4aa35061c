// Digests and checksums of whole files, streamed in blocks. Each call opens
// the file for reading only, sharing it with other readers, and closes it.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace kv {

// A failure carries the text for "[LastError]".
struct HashFailure {
    std::string message;
};
template <typename T>
using HashOutcome = std::variant<T, HashFailure>;

HashOutcome<std::string> Md5OfFile(const std::string& path);   // 32 hex digits
HashOutcome<std::string> Sha1OfFile(const std::string& path);  // 40 hex digits
HashOutcome<uint32_t> Crc32OfFile(const std::string& path);
// The quick fingerprint: at most 500 little-endian words from the middle of
// the file, summed; the last whole word never takes part.
HashOutcome<uint32_t> WordSumOfFile(const std::string& path);

// True for an existing file; false for folders and missing paths.
bool IsExistingFile(const std::string& path);

}  // namespace kv
