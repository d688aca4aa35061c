#include "file_hashes.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "hash/crc32.h"
#include "hash/hex_text.h"
#include "hash/md5.h"
#include "hash/sha1.h"
#include "hash/word_sum.h"
#include "param_text.h"
#include "system_error.h"
#include "unique_resource.h"

namespace kv {
namespace {

// Big enough to amortise the system call, small enough to stay in L2.
constexpr DWORD kBlockSize = 64 * 1024;

constexpr uint32_t kMaxSummedWords = 500;

// The runtime's input/output error texts.
std::string IoErrorText(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return "File not found";
    case ERROR_PATH_NOT_FOUND:
        return "Path not found";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "Too many open files";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "File access denied";
    case ERROR_HANDLE_EOF:
        return "Read beyond end of file";
    default:
        return "I/O error " + FormatUnsigned(error);
    }
}

// The stream-style message of the MD5 kind, or the runtime's I/O text.
enum class ErrorStyle { kStream, kInOut };

HashFailure OpenFailure(const std::string& path, ErrorStyle style, DWORD error) {
    if (style == ErrorStyle::kStream) {
        return {"Cannot open file \"" + path + "\". " + SystemReason(error)};
    }
    return {IoErrorText(error)};
}

HashOutcome<win::UniqueFileHandle> OpenForReading(const std::string& path, ErrorStyle style) {
    win::UniqueFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return OpenFailure(path, style, ::GetLastError());
    return file;
}

// Feeds every byte of the file to `consume` in blocks; false on a read error.
template <typename Consume>
std::optional<HashFailure> StreamFile(HANDLE file, Consume consume) {
    const auto buffer = std::make_unique<uint8_t[]>(kBlockSize);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, buffer.get(), kBlockSize, &got, nullptr)) {
            return HashFailure{IoErrorText(::GetLastError())};
        }
        if (got == 0) return std::nullopt;
        consume(buffer.get(), size_t{got});
    }
}

template <typename T, typename Compute>
HashOutcome<T> HashOpenFile(const std::string& path, ErrorStyle style, Compute compute) {
    auto opened = OpenForReading(path, style);
    if (auto* failure = std::get_if<HashFailure>(&opened)) return *failure;
    return compute(std::get<win::UniqueFileHandle>(opened).get());
}

}  // namespace

bool IsExistingFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

HashOutcome<std::string> Md5OfFile(const std::string& path) {
    return HashOpenFile<std::string>(
        path, ErrorStyle::kStream, [](HANDLE file) -> HashOutcome<std::string> {
            Md5 md5;
            if (auto failure = StreamFile(file, [&md5](auto* p, size_t n) { md5.Update(p, n); }))
                return *failure;
            const auto digest = md5.Finish();
            return HexUpper(digest.data(), digest.size());
        });
}

HashOutcome<std::string> Sha1OfFile(const std::string& path) {
    return HashOpenFile<std::string>(
        path, ErrorStyle::kInOut, [](HANDLE file) -> HashOutcome<std::string> {
            Sha1 sha1;
            if (auto failure = StreamFile(file, [&sha1](auto* p, size_t n) { sha1.Update(p, n); }))
                return *failure;
            return Sha1Text(sha1.Finish());
        });
}

HashOutcome<uint32_t> Crc32OfFile(const std::string& path) {
    return HashOpenFile<uint32_t>(
        path, ErrorStyle::kInOut, [](HANDLE file) -> HashOutcome<uint32_t> {
            uint32_t crc = 0;
            if (auto failure =
                    StreamFile(file, [&crc](auto* p, size_t n) { crc = Crc32Update(crc, p, n); }))
                return *failure;
            return crc;
        });
}

HashOutcome<uint32_t> WordSumOfFile(const std::string& path) {
    return HashOpenFile<uint32_t>(
        path, ErrorStyle::kInOut, [](HANDLE file) -> HashOutcome<uint32_t> {
            LARGE_INTEGER size{};
            if (!::GetFileSizeEx(file, &size)) return HashFailure{IoErrorText(::GetLastError())};
            const auto words = static_cast<uint64_t>(size.QuadPart) / 4;
            // Fewer than four bytes: the fixed-size read at the start runs off the end.
            if (words == 0) return HashFailure{IoErrorText(ERROR_HANDLE_EOF)};
            const uint64_t first = words / 2;
            const auto count =
                static_cast<uint32_t>(std::min<uint64_t>(words - 1 - first, kMaxSummedWords));
            LARGE_INTEGER start{};
            start.QuadPart = static_cast<LONGLONG>(first * 4);
            if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) {
                return HashFailure{IoErrorText(::GetLastError())};
            }
            std::array<uint8_t, kMaxSummedWords * 4> buffer{};
            DWORD got = 0;
            if (!::ReadFile(file, buffer.data(), count * 4, &got, nullptr)) {
                return HashFailure{IoErrorText(::GetLastError())};
            }
            if (got != count * 4) return HashFailure{IoErrorText(ERROR_HANDLE_EOF)};
            return WordSum(buffer.data(), count);
        });
}

}  // namespace kv
