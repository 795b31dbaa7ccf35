#include "store/engine/EncryptionSettings.h"

#include "store/engine/EngineError.h"

#include <string_view>

namespace dayvell::engine {
namespace {

// Offsets inside MemoFileHeader::reserved, which starts at byte 8 of the file.
constexpr std::string_view kMarker = "DVEN";
constexpr unsigned char kFormatVersion = 1;
constexpr std::size_t kVersionAt = 4;
constexpr std::size_t kPassesAt = 5;
constexpr std::size_t kMemoryAt = 9;
constexpr std::size_t kSaltAt = 13;
constexpr std::size_t kKeyCheckAt = kSaltAt + MemoCipher::kSaltSize;
constexpr std::size_t kEnd = kKeyCheckAt + MemoCipher::kKeyCheckSize;
static_assert(kEnd <= MemoFileHeader::kSize - 8);

}  // namespace

std::optional<EncryptionSettings> EncryptionSettings::readFrom(const MemoFileHeader& header,
                                                               const std::filesystem::path& memoFile)
{
    const std::string_view area = header.reserved;
    if (area.substr(0, kMarker.size()) != kMarker)
        return std::nullopt;
    const std::string where = memoFile.string() + ": the table is encrypted, but ";
    const auto version = static_cast<unsigned char>(area[kVersionAt]);
    if (version != kFormatVersion)
        throw EngineError(where + "in the unknown format version " + std::to_string(version) +
                          "; a newer program may have written it");
    EncryptionSettings settings;
    settings.cost.opsLimit = readBigEndian32(area.data() + kPassesAt);
    settings.cost.memLimit = std::size_t{readBigEndian32(area.data() + kMemoryAt)} << 10;
    if (!MemoCipher::isAcceptedCost(settings.cost))
        throw EngineError(where + "its key settings are damaged (" + std::to_string(settings.cost.opsLimit) +
                          " passes, " + std::to_string(settings.cost.memLimit >> 10) + " KiB)");
    settings.salt = std::string(area.substr(kSaltAt, MemoCipher::kSaltSize));
    settings.keyCheck = std::string(area.substr(kKeyCheckAt, MemoCipher::kKeyCheckSize));
    return settings;
}

void EncryptionSettings::writeTo(MemoFileHeader& header) const
{
    if (salt.size() != MemoCipher::kSaltSize || keyCheck.size() != MemoCipher::kKeyCheckSize ||
        cost.memLimit % 1024 != 0)
        throw EngineError("The encryption settings of a table are incomplete and cannot be stored");
    std::string& area = header.reserved;
    area.replace(0, kMarker.size(), kMarker);
    area[kVersionAt] = static_cast<char>(kFormatVersion);
    putBigEndian32(area.data() + kPassesAt, static_cast<std::uint32_t>(cost.opsLimit));
    putBigEndian32(area.data() + kMemoryAt, static_cast<std::uint32_t>(cost.memLimit >> 10));
    area.replace(kSaltAt, MemoCipher::kSaltSize, salt);
    area.replace(kKeyCheckAt, MemoCipher::kKeyCheckSize, keyCheck);
}

void EncryptionSettings::eraseFrom(MemoFileHeader& header)
{
    header.reserved.replace(0, kEnd, kEnd, '\0');
}

}  // namespace dayvell::engine
