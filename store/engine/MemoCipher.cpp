#include "store/engine/MemoCipher.h"

#include "store/engine/EngineError.h"

#include <sodium.h>

#include <optional>
#include <string>

namespace dayvell::engine {

static_assert(MemoCipher::kSaltSize == crypto_pwhash_SALTBYTES);
static_assert(MemoCipher::kKeySize == crypto_aead_xchacha20poly1305_ietf_KEYBYTES);
static_assert(MemoCipher::kNonceSize == crypto_aead_xchacha20poly1305_ietf_NPUBBYTES);
static_assert(MemoCipher::kTagSize == crypto_aead_xchacha20poly1305_ietf_ABYTES);

namespace {

constexpr std::string_view kKeyCheckLabel = "key check";
constexpr std::string_view kKeyCheckText = "Dayvell table key";
static_assert(MemoCipher::kKeyCheckSize
              == MemoCipher::kHeaderSize + kKeyCheckText.size() + MemoCipher::kTagSize);

void initSodium()
{
    if (sodium_init() < 0)
        throw EngineError("The encryption library could not be initialised");
}

const unsigned char* bytes(std::string_view text)
{
    return reinterpret_cast<const unsigned char*>(text.data());
}

unsigned char* bytes(std::string& text)
{
    return reinterpret_cast<unsigned char*>(text.data());
}

// The header's magic and version are authenticated together with the date key,
// so neither can be altered without the memo failing to open.
std::string associatedData(std::string_view label)
{
    std::string data(MemoCipher::kMagic);
    data.push_back(static_cast<char>(MemoCipher::kVersion));
    data.append(label);
    return data;
}

std::string describe(std::string_view label)
{
    return label == kKeyCheckLabel ? std::string("The table's password check value")
                                   : "The encrypted memo of " + std::string(label);
}

std::string sealUnder(const unsigned char* key, std::string_view plain, std::string_view label)
{
    std::string sealed(MemoCipher::kHeaderSize + plain.size() + MemoCipher::kTagSize, '\0');
    sealed.replace(0, MemoCipher::kMagic.size(), MemoCipher::kMagic);
    sealed[MemoCipher::kMagic.size()] = static_cast<char>(MemoCipher::kVersion);
    unsigned char* nonce = bytes(sealed) + MemoCipher::kMagic.size() + 1;
    randombytes_buf(nonce, MemoCipher::kNonceSize);

    const std::string ad = associatedData(label);
    unsigned long long written = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(bytes(sealed) + MemoCipher::kHeaderSize, &written,
                                               bytes(plain), plain.size(), bytes(ad), ad.size(),
                                               nullptr, nonce, key);
    return sealed;
}

void checkHeader(std::string_view sealed, std::string_view label)
{
    if (!MemoCipher::isSealed(sealed))
        throw EngineError(describe(label) + " is not encrypted data");
    if (sealed.size() < MemoCipher::kHeaderSize + MemoCipher::kTagSize)
        throw EngineError(describe(label) + " is truncated (" + std::to_string(sealed.size())
                          + " bytes)");
    const auto version = static_cast<unsigned char>(sealed[MemoCipher::kMagic.size()]);
    if (version != MemoCipher::kVersion)
        throw EngineError(describe(label) + " has the unknown format version "
                          + std::to_string(version));
}

// Empty when the bytes do not authenticate under the key.
std::optional<std::string> tryOpen(const unsigned char* key, std::string_view sealed,
                                   std::string_view label)
{
    checkHeader(sealed, label);
    const unsigned char* nonce = bytes(sealed) + MemoCipher::kMagic.size() + 1;
    const std::string_view cipher = sealed.substr(MemoCipher::kHeaderSize);
    std::string plain(cipher.size() - MemoCipher::kTagSize, '\0');
    const std::string ad = associatedData(label);
    unsigned long long written = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(bytes(plain), &written, nullptr, bytes(cipher),
                                                   cipher.size(), bytes(ad), ad.size(), nonce, key)
        != 0) {
        sodium_memzero(plain.data(), plain.size());
        return std::nullopt;
    }
    return plain;
}

}  // namespace

MemoCipher::MemoCipher(const std::array<unsigned char, kKeySize>& key) : key_(key) {}

MemoCipher::~MemoCipher()
{
    sodium_memzero(key_.data(), key_.size());
}

std::string MemoCipher::makeSalt()
{
    initSodium();
    std::string salt(kSaltSize, '\0');
    randombytes_buf(salt.data(), salt.size());
    return salt;
}

bool MemoCipher::isAcceptedCost(KeyDerivationCost cost)
{
    // The upper bounds keep a damaged file from asking for more memory or
    // time than any real table was ever given.
    constexpr unsigned long long kMaxOps = 16;
    constexpr std::size_t kMaxMemory = std::size_t{1} << 30;
    return cost.opsLimit >= crypto_pwhash_OPSLIMIT_MIN && cost.opsLimit <= kMaxOps
           && cost.memLimit >= crypto_pwhash_MEMLIMIT_MIN && cost.memLimit <= kMaxMemory;
}

MemoCipher MemoCipher::derive(std::string_view password, std::string_view salt, KeyDerivationCost cost)
{
    initSodium();
    if (salt.size() != kSaltSize)
        throw EngineError("The table's password salt has " + std::to_string(salt.size())
                          + " bytes instead of " + std::to_string(kSaltSize));
    if (!isAcceptedCost(cost))
        throw EngineError("The key derivation cost (" + std::to_string(cost.opsLimit) + " passes, "
                          + std::to_string(cost.memLimit) + " bytes) is outside the accepted range");
    std::array<unsigned char, kKeySize> key{};
    if (crypto_pwhash(key.data(), key.size(), password.data(), password.size(), bytes(salt),
                      cost.opsLimit, cost.memLimit, crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        throw EngineError("Not enough memory to derive the table key from the password");
    MemoCipher cipher(key);
    sodium_memzero(key.data(), key.size());
    return cipher;
}

std::string MemoCipher::seal(std::string_view plain, std::string_view dateKey) const
{
    return sealUnder(key_.data(), plain, dateKey);
}

std::string MemoCipher::open(std::string_view sealed, std::string_view dateKey) const
{
    auto plain = tryOpen(key_.data(), sealed, dateKey);
    if (!plain)
        throw EngineError(describe(dateKey)
                          + " cannot be decrypted: wrong password, or the data was altered or "
                            "belongs to another date");
    return std::move(*plain);
}

bool MemoCipher::isSealed(std::string_view bytes)
{
    return bytes.substr(0, kMagic.size()) == kMagic;
}

std::string MemoCipher::makeKeyCheck() const
{
    return sealUnder(key_.data(), kKeyCheckText, kKeyCheckLabel);
}

bool MemoCipher::verifyKeyCheck(std::string_view keyCheck) const
{
    const auto text = tryOpen(key_.data(), keyCheck, kKeyCheckLabel);
    return text && *text == kKeyCheckText;
}

}  // namespace dayvell::engine
