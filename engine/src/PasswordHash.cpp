#include "PasswordHash.h"

#include <sodium.h>

#include "talveron/engine/Error.h"

namespace talveron::engine::passwords {

namespace {

void initialiseSodium() {
    // sodium_init is thread-safe; a function-local static runs it once.
    static const int result = sodium_init();
    if (result < 0) {
        throw Error(ErrorCode::IoError, "The cryptographic library could not be initialised.");
    }
}

struct Limits {
    unsigned long long ops;
    std::size_t memory;
};

Limits limitsOf(HashCost cost) {
    switch (cost) {
        case HashCost::Moderate:
            return {crypto_pwhash_argon2id_OPSLIMIT_MODERATE,
                    crypto_pwhash_argon2id_MEMLIMIT_MODERATE};
        case HashCost::MinimalForTestsOnly:
            return {crypto_pwhash_argon2id_OPSLIMIT_MIN, crypto_pwhash_argon2id_MEMLIMIT_MIN};
        case HashCost::Interactive:
            break;
    }
    // One pass over 46 MiB: the OWASP argon2id setting with the fewest passes. It
    // keeps a log-in quick and the peak memory of an operation that logs in
    // (a compaction, say) well below 64 MiB, where libsodium's own interactive
    // limits take 64 MiB for the hash alone.
    return {1, 46ull * 1024 * 1024};
}

}  // namespace

std::string hash(std::string_view password, HashCost cost) {
    initialiseSodium();
    const Limits limits = limitsOf(cost);
    char out[crypto_pwhash_argon2id_STRBYTES];
    if (crypto_pwhash_argon2id_str(out, password.data(), password.size(), limits.ops,
                                   limits.memory) != 0) {
        throw Error(ErrorCode::IoError, "Not enough memory to hash the password.");
    }
    return out;
}

bool verify(const std::string& storedHash, std::string_view password) {
    initialiseSodium();
    return crypto_pwhash_str_verify(storedHash.c_str(), password.data(), password.size()) == 0;
}

std::string randomHex(std::size_t bytes) {
    initialiseSodium();
    std::string raw(bytes, '\0');
    randombytes_buf(raw.data(), raw.size());
    std::string hex(bytes * 2 + 1, '\0');
    sodium_bin2hex(hex.data(), hex.size(), reinterpret_cast<const unsigned char*>(raw.data()),
                   raw.size());
    hex.pop_back();
    return hex;
}

std::string_view costName(HashCost cost) {
    switch (cost) {
        case HashCost::Moderate:
            return "moderate";
        case HashCost::MinimalForTestsOnly:
            return "minimal-for-tests-only";
        case HashCost::Interactive:
            break;
    }
    return "interactive";
}

HashCost costFromName(std::string_view name) {
    for (const HashCost cost :
         {HashCost::Interactive, HashCost::Moderate, HashCost::MinimalForTestsOnly}) {
        if (costName(cost) == name) {
            return cost;
        }
    }
    return HashCost::Interactive;
}

}  // namespace talveron::engine::passwords
