#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace dayvell::engine {

// Encrypts memo texts of a password-protected table.
//
// The key comes from the password by Argon2id over a random per-table salt
// that the table keeps. Every memo is sealed with XChaCha20-Poly1305 under a
// fresh random nonce, with the record's date key as associated data, so a
// sealed text only opens for the date it was written for. A sealed memo is
//
//     magic "\x89DVM" | version 1 | 24-byte nonce | ciphertext + 16-byte tag
//
// The magic starts with a non-text byte, so no RTF or plain memo is taken for
// a sealed one. The key check is a sealed fixed text that the table stores
// beside the salt; it tells a wrong password before any memo is touched.
//
// All failures raise EngineError; a wrong key or altered bytes never yield text.
class MemoCipher {
public:
    static constexpr std::size_t kSaltSize = 16;
    static constexpr std::size_t kKeySize = 32;
    static constexpr std::size_t kNonceSize = 24;
    static constexpr std::size_t kTagSize = 16;
    static constexpr std::string_view kMagic{"\x89" "DVM", 4};
    static constexpr unsigned char kVersion = 1;
    static constexpr std::size_t kHeaderSize = kMagic.size() + 1 + kNonceSize;
    // Every key check has this size, so a table can reserve a fixed place for it.
    static constexpr std::size_t kKeyCheckSize = kHeaderSize + 17 + kTagSize;

    // Argon2id work factors. A table records the cost its key was derived
    // with, so a key is always derived again with the same cost.
    struct KeyDerivationCost {
        unsigned long long opsLimit;
        std::size_t memLimit;  // bytes
        bool operator==(const KeyDerivationCost&) const = default;
    };
    // About half a second on a small two-core machine.
    static constexpr KeyDerivationCost kStandardCost{3, std::size_t{256} << 20};
    // The cheapest cost the library accepts: for tests and benchmarks that
    // must not wait for the derivation, never for a real diary.
    static constexpr KeyDerivationCost kQuickTestCost{1, std::size_t{8} << 10};

    // A fresh random salt for a table that gets a password.
    static std::string makeSalt();

    // Derives the table key; the salt must be kSaltSize bytes.
    static MemoCipher derive(std::string_view password, std::string_view salt,
                             KeyDerivationCost cost = kStandardCost);
    // Whether the library accepts the cost; a cost read from a file is checked
    // with it before anything is derived.
    static bool isAcceptedCost(KeyDerivationCost cost);

    MemoCipher(const MemoCipher&) = default;
    MemoCipher& operator=(const MemoCipher&) = default;
    ~MemoCipher();

    std::string seal(std::string_view plain, std::string_view dateKey) const;
    std::string open(std::string_view sealed, std::string_view dateKey) const;

    // True when the bytes carry the sealed-memo magic (they may still be damaged).
    static bool isSealed(std::string_view bytes);

    std::string makeKeyCheck() const;
    // False when the key check was made under another password.
    bool verifyKeyCheck(std::string_view keyCheck) const;

private:
    explicit MemoCipher(const std::array<unsigned char, kKeySize>& key);

    std::array<unsigned char, kKeySize> key_;
};

}  // namespace dayvell::engine
