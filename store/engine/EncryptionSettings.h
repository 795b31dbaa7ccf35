#pragma once

#include "store/engine/MemoCipher.h"
#include "store/engine/MemoFileHeader.h"

#include <filesystem>
#include <optional>
#include <string>

namespace dayvell::engine {

// What an encrypted table keeps about its key, in the unused part of its memo
// file header (so a pack carries it along and other xBase tools ignore it):
//
//     offset  8  "DVEN" and format version 1
//            13  Argon2id passes, big-endian 32 bits
//            17  Argon2id memory in KiB, big-endian 32 bits
//            21  the 16-byte salt
//            37  the key check (MemoCipher::kKeyCheckSize bytes)
//
// A table without the marker is a plain table.
struct EncryptionSettings {
    std::string salt;
    MemoCipher::KeyDerivationCost cost{};
    std::string keyCheck;

    // Nothing for a plain table. Throws EngineError naming `memoFile` when the
    // marker is there but the rest cannot be used.
    static std::optional<EncryptionSettings> readFrom(const MemoFileHeader& header,
                                                      const std::filesystem::path& memoFile);
    void writeTo(MemoFileHeader& header) const;
    // Makes the header that of a plain table.
    static void eraseFrom(MemoFileHeader& header);
};

}  // namespace dayvell::engine
