#include "mask_picture.h"

#include <objidl.h>

#include "bmp_image.h"
#include "plugin_state.h"

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
    const auto layout = ReadBmpLayout(bytes.data(), bytes.size());
    if (!layout) return std::nullopt;

    BITMAPINFO target{};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = layout->width;
    target.bmiHeader.biHeight = -layout->height;  // top row first
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 32;
    target.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    PicturePixels picture;
    picture.dib_.reset(::CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture.dib_ || bits == nullptr) return std::nullopt;
    const win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return std::nullopt;
    {
        const win::SelectObjectScope select(dc.get(), picture.dib_.get());
        if (!select.ok()) return std::nullopt;
        const auto* source = reinterpret_cast<const BITMAPINFO*>(layout->info.data());
        const int lines = ::SetDIBitsToDevice(
            dc.get(), 0, 0, static_cast<DWORD>(layout->width), static_cast<DWORD>(layout->height),
            0, 0, 0, static_cast<UINT>(layout->height), bytes.data() + layout->bitsOffset, source,
            DIB_RGB_COLORS);
        if (lines <= 0) return std::nullopt;
        ::GdiFlush();
    }
    picture.pixels_ = static_cast<const uint32_t*>(bits);
    picture.width_ = layout->width;
    picture.height_ = layout->height;
    return picture;
}

}  // namespace kv::actions
