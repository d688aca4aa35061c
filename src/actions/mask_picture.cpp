#include "mask_picture.h"

#include <objidl.h>

#include <new>
#include <utility>

#include "plugin_state.h"
#include "unique_resource.h"

namespace kv::actions {
namespace {

// Larger files are not read: no mask picture comes near this.
constexpr uint64_t kMaxPictureBytes = 256u << 20;

bool IsFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path) {
    const win::UniqueFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::vector<uint8_t>{};  // exists but cannot be read: no bitmap in it
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) ||
        static_cast<uint64_t>(size.QuadPart) > kMaxPictureBytes)
        return std::vector<uint8_t>{};
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        return std::vector<uint8_t>{};
    return bytes;
}

std::optional<std::vector<uint8_t>> ReadEmbeddedBytes(const std::string& name) {
    const auto access = State().HostStreamAccess;
    if (access == nullptr) return std::nullopt;
    void* raw = nullptr;
    if (!access(name.c_str(), &raw) || raw == nullptr) return std::nullopt;
    const win::ComPtr<IStream> stream(static_cast<IStream*>(raw));
    std::vector<uint8_t> bytes;
    uint8_t block[65536];
    for (;;) {
        ULONG read = 0;
        const HRESULT hr = stream->Read(block, sizeof block, &read);
        if (FAILED(hr)) break;
        if (bytes.size() + read > kMaxPictureBytes) return std::vector<uint8_t>{};
        bytes.insert(bytes.end(), block, block + read);
        if (hr != S_OK || read == 0) break;
    }
    return bytes;
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadPictureBytes(const std::string& name) {
    if (name.empty()) return std::nullopt;
    if (IsFile(name)) return ReadFileBytes(name);
    return ReadEmbeddedBytes(name);
}

std::optional<PicturePixels> DecodeBitmap(const std::vector<uint8_t>& bytes) {
    std::optional<BmpPixels> picture;
    try {
        picture = DecodeBmp(bytes.data(), bytes.size());
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // too large to hold: no picture this plug-in can use
    }
    if (!picture) return std::nullopt;
    PicturePixels pixels;
    pixels.picture_ = std::move(*picture);
    return pixels;
}

}  // namespace kv::actions
