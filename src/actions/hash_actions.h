// Digests and checksums of files and texts, as upper-case hexadecimal or
// decimal text in a host variable.
#pragma once

#include <string>

namespace kv::actions {

// Kinds "MD5", "CRC", "CRC32" and "SHA1" (any case). A file that exists but
// cannot be read is reported in "[LastError]" and returns false.
bool qvGetFileHash(std::string path, std::string variable, std::string kind);

// Kinds "MD5" and "CRC32"; `form` "Int" writes a CRC-32 in decimal.
bool qvGetStringHash(std::string text, std::string variable, std::string kind, std::string form);

}  // namespace kv::actions
