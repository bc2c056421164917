// BSTR allocation: [4-byte byte count][characters][zero character].

#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/com/bstr.h"

namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);

BSTR allocateBytes(const void* data, UINT byteCount) {
    constexpr UINT kLimit = std::numeric_limits<std::uint32_t>::max() - kPrefix - sizeof(OLECHAR);
    if (byteCount > kLimit) return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(kPrefix + byteCount + sizeof(OLECHAR)));
    if (block == nullptr) return nullptr;
    const std::uint32_t prefix = byteCount;
    std::memcpy(block, &prefix, kPrefix);
    if (data != nullptr) {
        std::memcpy(block + kPrefix, data, byteCount);
    } else {
        std::memset(block + kPrefix, 0, byteCount);
    }
    std::memset(block + kPrefix + byteCount, 0, sizeof(OLECHAR));
    return reinterpret_cast<BSTR>(block + kPrefix);
}

std::size_t length(const OLECHAR* psz) {
    std::size_t n = 0;
    while (psz[n] != 0) ++n;
    return n;
}

}  // namespace

BSTR SysAllocString(const OLECHAR* psz) {
    if (psz == nullptr) return nullptr;
    const std::size_t n = length(psz);
    if (n > std::numeric_limits<UINT>::max() / sizeof(OLECHAR)) return nullptr;
    return SysAllocStringLen(psz, static_cast<UINT>(n));
}

BSTR SysAllocStringLen(const OLECHAR* pch, UINT cch) {
    if (cch > std::numeric_limits<UINT>::max() / sizeof(OLECHAR)) return nullptr;
    return allocateBytes(pch, static_cast<UINT>(cch * sizeof(OLECHAR)));
}

BSTR SysAllocStringByteLen(LPCSTR psz, UINT len) {
    return allocateBytes(psz, len);
}

INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz) {
    if (pbstr == nullptr) return FALSE;
    BSTR copy = SysAllocString(psz);
    if (copy == nullptr && psz != nullptr) return FALSE;
    SysFreeString(*pbstr);
    *pbstr = copy;
    return TRUE;
}

void SysFreeString(BSTR bstr) {
    if (bstr != nullptr) std::free(reinterpret_cast<unsigned char*>(bstr) - kPrefix);
}

UINT SysStringByteLen(BSTR bstr) {
    if (bstr == nullptr) return 0;
    std::uint32_t prefix;
    std::memcpy(&prefix, reinterpret_cast<const unsigned char*>(bstr) - kPrefix, kPrefix);
    return prefix;
}

UINT SysStringLen(BSTR bstr) {
    return SysStringByteLen(bstr) / sizeof(OLECHAR);
}
