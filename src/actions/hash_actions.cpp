#include "hash_actions.h"

#include "file_hashes.h"
#include "hash/crc32.h"
#include "hash/hex_text.h"
#include "hash/md5.h"
#include "host_bridge.h"
#include "param_text.h"

namespace kv::actions {
namespace {

std::string Text(const std::string& text) { return text; }
std::string Text(uint32_t value) { return FormatUnsigned(value); }
std::string HexText(uint32_t value) { return HexUpper32(value); }

// Stores the result, or reports the failure and leaves the variable alone.
template <typename T, typename Format>
bool Deliver(const std::string& variable, const HashOutcome<T>& outcome, Format format) {
    if (const auto* failure = std::get_if<HashFailure>(&outcome)) {
        ReportError(failure->message);
        return false;
    }
    SetVar(variable, format(std::get<T>(outcome)));
    return true;
}

}  // namespace

bool qvGetFileHash(std::string path, std::string variable, std::string kind) {
    if (variable.empty() || !IsExistingFile(path)) return true;
    const auto asText = [](const auto& v) { return Text(v); };
    if (EqualsNoCase(kind, "MD5")) return Deliver(variable, Md5OfFile(path), asText);
    if (EqualsNoCase(kind, "CRC")) return Deliver(variable, WordSumOfFile(path), asText);
    if (EqualsNoCase(kind, "CRC32")) return Deliver(variable, Crc32OfFile(path), HexText);
    if (EqualsNoCase(kind, "SHA1")) return Deliver(variable, Sha1OfFile(path), asText);
    return true;
}

bool qvGetStringHash(std::string text, std::string variable, std::string kind, std::string form) {
    if (text.empty() || variable.empty()) return true;
    if (EqualsNoCase(kind, "MD5")) {
        Md5 md5;
        md5.Update(text.data(), text.size());
        const auto digest = md5.Finish();
        SetVar(variable, HexUpper(digest.data(), digest.size()));
    } else if (EqualsNoCase(kind, "CRC32")) {
        const uint32_t crc = Crc32(text.data(), text.size());
        SetVar(variable, EqualsNoCase(form, "Int") ? FormatUnsigned(crc) : HexUpper32(crc));
    }
    return true;
}

}  // namespace kv::actions
