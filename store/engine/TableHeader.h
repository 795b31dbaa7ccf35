#pragma once

#include "store/engine/FieldDefinition.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dayvell::engine {

// The fixed part of a table file: the 32-byte header, the 32-byte field
// descriptors and the 0x0D end marker. Tables are written in the FoxPro 2.x
// form with a memo file (version byte 0xF5).
struct TableHeader {
    static constexpr std::uint8_t kFoxProWithMemo = 0xF5;
    static constexpr std::uint8_t kFoxProWithoutMemo = 0x03;
    static constexpr std::uint8_t kHasStructuralIndex = 0x01;
    static constexpr std::uint8_t kWindowsAnsiCodePage = 0x03;
    static constexpr std::size_t kFixedSize = 32;
    static constexpr std::size_t kDescriptorSize = 32;
    static constexpr char kEndOfFile = 0x1A;
    static constexpr char kLiveMark = ' ';
    static constexpr char kDeletedMark = '*';

    std::uint8_t version = kFoxProWithMemo;
    std::uint8_t flags = 0;
    std::uint8_t codePage = kWindowsAnsiCodePage;
    std::uint32_t recordCount = 0;
    std::uint16_t headerLength = 0;
    std::uint16_t recordLength = 0;
    std::vector<FieldDefinition> fields;
    std::vector<std::size_t> fieldOffsets;  // of each field inside a record, after the deletion mark

    // A header for a new table; checks the field list and throws EngineError
    // naming `file` when a field is not acceptable.
    static TableHeader forNewTable(const std::filesystem::path& file, const std::vector<FieldDefinition>& fields);
    // Parses and checks the start of an existing table file of `fileSize` bytes.
    static TableHeader decode(const std::filesystem::path& file, std::string_view bytes, std::uint64_t fileSize);

    std::string encode() const;
    // Bytes 0..7: version, date of last update and record count, rewritten after appends.
    std::string encodeCountPrefix() const;
    bool hasMemoFields() const;
    std::uint64_t recordOffset(std::uint32_t recno) const
    {
        return headerLength + std::uint64_t(recno - 1) * recordLength;
    }
};

}  // namespace dayvell::engine
