#include "bmp_files.h"

#include <windows.h>

#include "unique_resource.h"

namespace kvtest {
namespace {

void Put(std::string& b, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + size_t(i)] = static_cast<char>(v >> 8 * i);
}

}  // namespace

std::string Bmp24(int width, int height, const std::vector<uint32_t>& pixels) {
    const size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
    std::string b(54 + stride * size_t(height), '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, uint32_t(b.size()), 4);
    Put(b, 10, 54, 4);
    Put(b, 14, 40, 4);
    Put(b, 18, uint32_t(width), 4);
    Put(b, 22, uint32_t(height), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, 24, 2);
    for (int y = 0; y < height; ++y) {
        const size_t row = 54 + stride * size_t(height - 1 - y);
        for (int x = 0; x < width; ++x)
            Put(b, row + size_t(x) * 3, pixels[size_t(y * width + x)], 3);
    }
    return b;
}

std::string BmpFile(int width, int height, int bits, uint32_t compression,
                    const std::vector<uint32_t>& table, const std::string& data, uint32_t header) {
    const bool core = header == 12;
    const bool masks = compression == BI_BITFIELDS;
    const size_t entry = core ? 3 : 4;
    const size_t tableSize = masks && header > 40 ? 0 : table.size() * entry;
    const size_t offset = 14 + header + tableSize;
    std::string b(offset, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 10, uint32_t(offset), 4);
    Put(b, 14, header, 4);
    if (core) {
        Put(b, 18, uint32_t(width), 2);
        Put(b, 20, uint32_t(height), 2);
        Put(b, 22, 1, 2);
        Put(b, 24, uint32_t(bits), 2);
    } else {
        Put(b, 18, uint32_t(width), 4);
        Put(b, 22, uint32_t(height), 4);
        Put(b, 26, 1, 2);
        Put(b, 28, uint32_t(bits), 2);
        Put(b, 30, compression, 4);
        Put(b, 34, uint32_t(data.size()), 4);
        if (!masks) Put(b, 46, uint32_t(table.size()), 4);
    }
    for (size_t i = 0; i < table.size(); ++i)
        Put(b, masks ? 54 + i * 4 : 14 + header + i * entry, table[i], masks ? 4 : int(entry));
    b += data;
    Put(b, 2, uint32_t(b.size()), 4);
    return b;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    kv::win::UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

}  // namespace kvtest
