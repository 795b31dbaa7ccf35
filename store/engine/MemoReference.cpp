#include "store/engine/MemoReference.h"

namespace dayvell::engine {

std::optional<std::uint32_t> parseMemoReference(std::string_view field)
{
    if (field.size() == 4) {
        return std::uint32_t(std::uint8_t(field[0])) | std::uint32_t(std::uint8_t(field[1])) << 8 |
               std::uint32_t(std::uint8_t(field[2])) << 16 | std::uint32_t(std::uint8_t(field[3])) << 24;
    }
    std::uint64_t block = 0;
    bool inDigits = false;
    bool afterDigits = false;
    for (const char c : field) {
        if (c == ' ' || c == '\0') {
            afterDigits = inDigits;
            continue;
        }
        if (c < '0' || c > '9' || afterDigits)
            return std::nullopt;
        inDigits = true;
        block = block * 10 + std::uint64_t(c - '0');
        if (block > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(block);
}

std::string formatMemoReference(std::uint32_t block, std::size_t width)
{
    if (width == 4) {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[i] = char((block >> (8 * i)) & 0xFF);
        return bytes;
    }
    if (block == 0)
        return std::string(width, ' ');
    const std::string digits = std::to_string(block);
    return std::string(width - digits.size(), ' ') + digits;
}

}  // namespace dayvell::engine
