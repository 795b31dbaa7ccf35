#include "store/engine/TableHeader.h"

#include "store/engine/EngineError.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <set>

namespace dayvell::engine {
namespace {

constexpr unsigned kMemoReferenceWidth = 10;
constexpr std::size_t kMaxFieldNameLength = 10;
constexpr unsigned kMaxCharacterWidth = 254;

std::uint32_t readLittle32(std::string_view bytes, std::size_t at)
{
    return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 | std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
}

std::uint16_t readLittle16(std::string_view bytes, std::size_t at)
{
    return std::uint16_t(std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8);
}

void putLittle32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

void putLittle16(std::string& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

bool isKnownVersion(std::uint8_t version)
{
    switch (version) {
    case 0x02: case 0x03: case 0x30: case 0x31: case 0x83: case 0x8B: case 0xCB: case 0xF5: case 0xFB:
        return true;
    default:
        return false;
    }
}

std::string upperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

void computeLayout(TableHeader& header)
{
    header.fieldOffsets.clear();
    std::size_t offset = 1;
    for (const FieldDefinition& field : header.fields) {
        header.fieldOffsets.push_back(offset);
        offset += field.width;
    }
    header.recordLength = static_cast<std::uint16_t>(offset);
}

}  // namespace

TableHeader TableHeader::forNewTable(const std::filesystem::path& file, const std::vector<FieldDefinition>& fields)
{
    auto refuse = [&](const std::string& what) { throw EngineError(file.string() + ": cannot create the table: " + what); };
    if (fields.empty())
        refuse("a table needs at least one field");
    if (fields.size() > 255)
        refuse("a table holds at most 255 fields");

    TableHeader header;
    std::set<std::string> names;
    std::size_t recordLength = 1;
    for (FieldDefinition field : fields) {
        field.name = upperCase(field.name);
        const bool nameOk = !field.name.empty() && field.name.size() <= kMaxFieldNameLength &&
                            std::isalpha(static_cast<unsigned char>(field.name[0])) &&
                            std::all_of(field.name.begin(), field.name.end(), [](unsigned char c) {
                                return std::isalnum(c) || c == '_';
                            });
        if (!nameOk)
            refuse("the field name \"" + field.name + "\" is not 1 to 10 letters, digits or underscores starting with a letter");
        if (!names.insert(field.name).second)
            refuse("the field name \"" + field.name + "\" is used twice");
        field.type = static_cast<char>(std::toupper(static_cast<unsigned char>(field.type)));
        if (field.type == 'C') {
            if (field.width < 1 || field.width > kMaxCharacterWidth)
                refuse("the character field " + field.name + " must be 1 to 254 wide");
            if (field.decimals != 0)
                refuse("the character field " + field.name + " cannot have decimals");
        } else if (field.type == 'M') {
            if (field.width != kMemoReferenceWidth || field.decimals != 0)
                refuse("the memo field " + field.name + " must be 10 wide without decimals");
        } else {
            refuse("the field " + field.name + " has the type '" + std::string(1, field.type) +
                   "'; only character (C) and memo (M) fields can be created");
        }
        recordLength += field.width;
        header.fields.push_back(field);
    }
    if (recordLength > 0xFFFF)
        refuse("the record would be longer than 65535 bytes");
    header.version = header.hasMemoFields() ? kFoxProWithMemo : kFoxProWithoutMemo;
    header.headerLength = static_cast<std::uint16_t>(kFixedSize + kDescriptorSize * fields.size() + 1);
    computeLayout(header);
    return header;
}

TableHeader TableHeader::decode(const std::filesystem::path& file, std::string_view bytes, std::uint64_t fileSize)
{
    auto corrupt = [&](const std::string& what) { throw EngineError(file.string() + ": damaged table header: " + what); };
    if (bytes.size() < kFixedSize)
        corrupt("the file is " + std::to_string(fileSize) + " bytes long, too short for a table header");

    TableHeader header;
    header.version = std::uint8_t(bytes[0]);
    if (!isKnownVersion(header.version))
        corrupt("unknown version byte " + std::to_string(header.version) + "; this is not an xBase table");
    header.recordCount = readLittle32(bytes, 4);
    header.headerLength = readLittle16(bytes, 8);
    header.recordLength = readLittle16(bytes, 10);
    header.flags = std::uint8_t(bytes[28]);
    header.codePage = std::uint8_t(bytes[29]);
    if (header.headerLength < kFixedSize + kDescriptorSize + 1 || header.headerLength > fileSize)
        corrupt("header length " + std::to_string(header.headerLength) + " does not fit a file of " +
                std::to_string(fileSize) + " bytes");
    if (bytes.size() < header.headerLength)
        corrupt("the header is cut short");

    std::size_t at = kFixedSize;
    while (true) {
        if (at >= header.headerLength)
            corrupt("the field list has no end marker");
        if (bytes[at] == 0x0D)
            break;
        if (at + kDescriptorSize > header.headerLength)
            corrupt("a field descriptor runs past the header");
        FieldDefinition field;
        const std::string_view name = bytes.substr(at, 11);
        field.name = std::string(name.substr(0, std::min(name.find('\0'), name.size())));
        field.type = bytes[at + 11];
        field.width = std::uint8_t(bytes[at + 16]);
        field.decimals = std::uint8_t(bytes[at + 17]);
        if (field.name.empty())
            corrupt("field " + std::to_string(header.fields.size() + 1) + " has no name");
        if (field.width == 0)
            corrupt("the field " + field.name + " has width 0");
        header.fields.push_back(field);
        at += kDescriptorSize;
    }
    if (header.fields.empty())
        corrupt("the table has no fields");

    const std::uint16_t statedLength = header.recordLength;
    computeLayout(header);
    if (statedLength != header.recordLength)
        corrupt("the record length " + std::to_string(statedLength) + " does not match the fields, which need " +
                std::to_string(header.recordLength));
    const std::uint64_t room = (fileSize - header.headerLength) / header.recordLength;
    if (header.recordCount > room)
        corrupt("it counts " + std::to_string(header.recordCount) + " records but the file holds only " +
                std::to_string(room));
    return header;
}

std::string TableHeader::encodeCountPrefix() const
{
    std::string bytes(8, '\0');
    bytes[0] = char(version);
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    bytes[1] = char(local.tm_year % 256);
    bytes[2] = char(local.tm_mon + 1);
    bytes[3] = char(local.tm_mday);
    putLittle32(bytes, 4, recordCount);
    return bytes;
}

std::string TableHeader::encode() const
{
    std::string bytes(headerLength, '\0');
    bytes.replace(0, 8, encodeCountPrefix());
    putLittle16(bytes, 8, headerLength);
    putLittle16(bytes, 10, recordLength);
    bytes[28] = char(flags);
    bytes[29] = char(codePage);
    std::size_t at = kFixedSize;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const FieldDefinition& field = fields[i];
        bytes.replace(at, field.name.size(), field.name);
        bytes[at + 11] = field.type;
        putLittle32(bytes, at + 12, static_cast<std::uint32_t>(fieldOffsets[i]));
        bytes[at + 16] = char(field.width);
        bytes[at + 17] = char(field.decimals);
        at += kDescriptorSize;
    }
    bytes[at] = 0x0D;
    return bytes;
}

bool TableHeader::hasMemoFields() const
{
    return std::any_of(fields.begin(), fields.end(), [](const FieldDefinition& field) { return field.type == 'M'; });
}

}  // namespace dayvell::engine
