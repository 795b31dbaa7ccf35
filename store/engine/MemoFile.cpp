#include "store/engine/MemoFile.h"

#include "store/engine/EngineError.h"

#include <algorithm>
#include <sys/mman.h>

namespace dayvell::engine {

MemoFile::MemoFile(const std::filesystem::path& path, bool syncWrites)
    : file_(path, PosixFile::Mode::ReadWrite), syncWrites_(syncWrites)
{
    fileSize_ = file_.size();
    std::string head(std::min<std::uint64_t>(fileSize_, MemoFileHeader::kSize), '\0');
    file_.readAt(0, head.data(), head.size());
    header_ = MemoFileHeader::decode(path, head, fileSize_);
    map(fileSize_);
}

MemoFile::~MemoFile()
{
    unmap();
}

void MemoFile::unmap() const
{
    if (mapped_ != nullptr)
        ::munmap(const_cast<char*>(mapped_), mappedSize_);
    mapped_ = nullptr;
    mappedSize_ = 0;
}

void MemoFile::map(std::uint64_t length) const
{
    unmap();
    void* address = ::mmap(nullptr, length, PROT_READ, MAP_SHARED, file_.descriptor(), 0);
    if (address == MAP_FAILED)
        throwSystemError(file_.path(), "mapping into memory");
    mapped_ = static_cast<const char*>(address);
    mappedSize_ = length;
}

Memo MemoFile::read(std::uint32_t block) const
{
    const std::string where = file_.path().string() + ": memo block " + std::to_string(block);
    if (block < header_.firstDataBlock())
        throw EngineError(where + " lies inside the file header");
    const std::uint64_t offset = std::uint64_t(block) * header_.blockSize;
    if (offset + kMemoBlockHeaderSize > fileSize_)
        throw EngineError(where + " lies past the end of the file");
    if (mappedSize_ < fileSize_)
        map(fileSize_);
    const char* start = mapped_ + offset;
    const std::uint32_t type = readBigEndian32(start);
    const std::uint32_t length = readBigEndian32(start + 4);
    if (length > fileSize_ - offset - kMemoBlockHeaderSize)
        throw EngineError(where + " claims " + std::to_string(length) + " bytes, more than the file holds after it");
    return Memo {static_cast<MemoBlockType>(type), std::string(start + kMemoBlockHeaderSize, length)};
}

std::uint32_t MemoFile::append(MemoBlockType type, std::string_view data)
{
    if (data.size() > 0xFFFFFFFFu - kMemoBlockHeaderSize)
        throw EngineError(file_.path().string() + ": a memo of " + std::to_string(data.size()) + " bytes is too long");
    const std::uint32_t block = header_.nextFreeBlock;
    const std::uint64_t used = kMemoBlockHeaderSize + data.size();
    const std::uint64_t blocks = (used + header_.blockSize - 1) / header_.blockSize;
    if (std::uint64_t(block) + blocks > 0xFFFFFFFFu)
        throw EngineError(file_.path().string() + ": the memo file is full");

    std::string bytes(blocks * header_.blockSize, '\0');
    putBigEndian32(bytes.data(), static_cast<std::uint32_t>(type));
    putBigEndian32(bytes.data() + 4, static_cast<std::uint32_t>(data.size()));
    std::copy(data.begin(), data.end(), bytes.begin() + kMemoBlockHeaderSize);
    const std::uint64_t offset = std::uint64_t(block) * header_.blockSize;
    file_.writeAt(offset, bytes);

    MemoFileHeader grown = header_;
    grown.nextFreeBlock = static_cast<std::uint32_t>(block + blocks);
    file_.writeAt(0, grown.encode().substr(0, 8));
    if (syncWrites_)
        file_.sync();
    header_ = grown;
    fileSize_ = std::max(fileSize_, offset + bytes.size());
    return block;
}

}  // namespace dayvell::engine
