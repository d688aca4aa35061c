#include "hash_kernels.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace kv {
namespace detail {

// The portable kernels until the processor has been asked.
Sha1BlocksFn sha1Blocks = Sha1BlocksScalar;
Crc32Fn crc32Kernel = Crc32Slicing8;

}  // namespace detail

namespace {

// CPUID feature bits: leaf 1 ECX, and leaf 7 EBX for SHA.
constexpr unsigned kSsse3 = 1u << 9, kSse41 = 1u << 19, kPclmul = 1u << 1, kSha = 1u << 29;

struct CpuFeatures {
    bool pclmul = false;
    bool sha = false;
};

CpuFeatures QueryCpu() {
    CpuFeatures features;
#if defined(__i386__) || defined(__x86_64__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return features;
    const bool ssse3 = (ecx & kSsse3) != 0;
    const bool sse41 = (ecx & kSse41) != 0;
    features.pclmul = (ecx & kPclmul) != 0 && sse41;
    if (__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) {
        features.sha = (ebx & kSha) != 0 && ssse3 && sse41;
    }
#endif
    return features;
}

const CpuFeatures& Cpu() {
    static const CpuFeatures features = QueryCpu();
    return features;
}

// Runs at load, before any action can ask for a hash.
const struct Selector {
    Selector() { SelectBestHashKernels(); }
} selector;

}  // namespace

void SelectBestHashKernels() {
    ForceSha1Kernel(Sha1Kernel::kShaNi) || ForceSha1Kernel(Sha1Kernel::kScalar);
    ForceCrc32Kernel(Crc32Kernel::kPclmul) || ForceCrc32Kernel(Crc32Kernel::kSlicing8);
}

bool ForceSha1Kernel(Sha1Kernel kernel) {
    switch (kernel) {
    case Sha1Kernel::kScalar:
        detail::sha1Blocks = detail::Sha1BlocksScalar;
        return true;
    case Sha1Kernel::kShaNi:
        if (!Cpu().sha) return false;
        detail::sha1Blocks = detail::Sha1BlocksShaNi;
        return true;
    }
    return false;
}

bool ForceCrc32Kernel(Crc32Kernel kernel) {
    switch (kernel) {
    case Crc32Kernel::kBytewise:
        detail::crc32Kernel = detail::Crc32Bytewise;
        return true;
    case Crc32Kernel::kSlicing8:
        detail::crc32Kernel = detail::Crc32Slicing8;
        return true;
    case Crc32Kernel::kPclmul:
        if (!Cpu().pclmul) return false;
        detail::crc32Kernel = detail::Crc32Pclmul;
        return true;
    }
    return false;
}

const char* Sha1KernelName() {
    return detail::sha1Blocks == detail::Sha1BlocksShaNi ? "SHA-NI" : "scalar";
}

const char* Crc32KernelName() {
    if (detail::crc32Kernel == detail::Crc32Pclmul) return "PCLMUL folding";
    if (detail::crc32Kernel == detail::Crc32Slicing8) return "slicing-by-8";
    return "byte table";
}

}  // namespace kv
