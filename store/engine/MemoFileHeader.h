#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace dayvell::engine {

// The 512-byte head of a memo file (.FPT): the next free block (big-endian, at
// 0) and the block size (big-endian, at 6). Bytes 8 to 511 are unused by other
// xBase tools; this engine keeps them across a pack so that table-wide data
// (the salt and key check of an encrypted table) can live there.
struct MemoFileHeader {
    static constexpr std::size_t kSize = 512;
    static constexpr std::uint16_t kDefaultBlockSize = 64;

    std::uint32_t nextFreeBlock = 0;
    std::uint16_t blockSize = kDefaultBlockSize;
    std::string reserved = std::string(kSize - 8, '\0');

    static MemoFileHeader forNewFile(std::uint16_t blockSize = kDefaultBlockSize);
    static MemoFileHeader decode(const std::filesystem::path& file, std::string_view bytes, std::uint64_t fileSize);
    std::string encode() const;
    std::uint32_t firstDataBlock() const { return static_cast<std::uint32_t>((kSize + blockSize - 1) / blockSize); }
};

// Every memo block starts with its type and the length of its data, both
// big-endian. FoxPro uses type 0 for pictures and 1 for text. A memo encrypted
// with the table password gets a type of its own, so that other tools never
// show cipher bytes as text; its data begin with the cipher's own header.
enum class MemoBlockType : std::uint32_t {
    Picture = 0,
    Text = 1,
    Sealed = 0x44564543,  // "DVEC"
};

constexpr std::size_t kMemoBlockHeaderSize = 8;

std::uint32_t readBigEndian32(const char* bytes);
void putBigEndian32(char* bytes, std::uint32_t value);

}  // namespace dayvell::engine
