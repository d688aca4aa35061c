// The block kernels behind the hashes, chosen once at load from what the
// processor offers. Tests and benchmarks can force a slower kernel.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kv {

enum class Sha1Kernel { kScalar, kShaNi };
enum class Crc32Kernel { kBytewise, kSlicing8, kPclmul };

// Picks the fastest kernels this processor runs; done at load.
void SelectBestHashKernels();
// False, and nothing changes, when the processor lacks the kernel.
bool ForceSha1Kernel(Sha1Kernel kernel);
bool ForceCrc32Kernel(Crc32Kernel kernel);
const char* Sha1KernelName();
const char* Crc32KernelName();

namespace detail {

// SHA-1 compression of `count` 64-byte blocks into `state`.
using Sha1BlocksFn = void (*)(uint32_t* state, const uint8_t* blocks, size_t count);
// CRC-32 over bytes on the register value (not inverted).
using Crc32Fn = uint32_t (*)(uint32_t crc, const uint8_t* data, size_t size);

extern Sha1BlocksFn sha1Blocks;
extern Crc32Fn crc32Kernel;

void Sha1BlocksScalar(uint32_t* state, const uint8_t* blocks, size_t count);
void Sha1BlocksShaNi(uint32_t* state, const uint8_t* blocks, size_t count);
uint32_t Crc32Bytewise(uint32_t crc, const uint8_t* data, size_t size);
uint32_t Crc32Slicing8(uint32_t crc, const uint8_t* data, size_t size);
uint32_t Crc32Pclmul(uint32_t crc, const uint8_t* data, size_t size);

}  // namespace detail
}  // namespace kv
