#include "store/engine/MemoFileHeader.h"

#include "store/engine/EngineError.h"

namespace dayvell::engine {

std::uint32_t readBigEndian32(const char* bytes)
{
    return std::uint32_t(std::uint8_t(bytes[0])) << 24 | std::uint32_t(std::uint8_t(bytes[1])) << 16 |
           std::uint32_t(std::uint8_t(bytes[2])) << 8 | std::uint32_t(std::uint8_t(bytes[3]));
}

void putBigEndian32(char* bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((value >> (24 - 8 * i)) & 0xFF);
}

MemoFileHeader MemoFileHeader::forNewFile(std::uint16_t blockSize)
{
    MemoFileHeader header;
    header.blockSize = blockSize;
    header.nextFreeBlock = header.firstDataBlock();
    return header;
}

MemoFileHeader MemoFileHeader::decode(const std::filesystem::path& file, std::string_view bytes, std::uint64_t fileSize)
{
    auto corrupt = [&](const std::string& what) { throw EngineError(file.string() + ": damaged memo file header: " + what); };
    if (fileSize < kSize || bytes.size() < kSize)
        corrupt("the file is " + std::to_string(fileSize) + " bytes long, shorter than its 512-byte header");
    MemoFileHeader header;
    header.nextFreeBlock = readBigEndian32(bytes.data());
    header.blockSize = std::uint16_t(std::uint8_t(bytes[6]) << 8 | std::uint8_t(bytes[7]));
    header.reserved = std::string(bytes.substr(8, kSize - 8));
    if (header.blockSize == 0)
        corrupt("the block size is 0");
    if (header.nextFreeBlock < header.firstDataBlock())
        corrupt("the next free block " + std::to_string(header.nextFreeBlock) + " lies inside the header");
    return header;
}

std::string MemoFileHeader::encode() const
{
    std::string bytes(kSize, '\0');
    putBigEndian32(bytes.data(), nextFreeBlock);
    bytes[6] = char(blockSize >> 8);
    bytes[7] = char(blockSize & 0xFF);
    bytes.replace(8, kSize - 8, reserved);
    return bytes;
}

}  // namespace dayvell::engine
