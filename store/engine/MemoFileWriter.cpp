#include "store/engine/MemoFileWriter.h"

#include "store/engine/EngineError.h"

namespace dayvell::engine {
namespace {
constexpr std::size_t kBufferLimit = 1 << 20;
}

MemoFileWriter::MemoFileWriter(const std::filesystem::path& path, MemoFileHeader header)
    : file_(path, PosixFile::Mode::CreateExclusive), header_(std::move(header))
{
    header_.nextFreeBlock = header_.firstDataBlock();
    buffer_ = header_.encode();
    buffer_.resize(std::size_t(header_.nextFreeBlock) * header_.blockSize, '\0');
    bufferOffset_ = 0;
}

std::uint32_t MemoFileWriter::add(MemoBlockType type, std::string_view data)
{
    const std::uint32_t block = header_.nextFreeBlock;
    const std::uint64_t used = kMemoBlockHeaderSize + data.size();
    const std::uint64_t blocks = (used + header_.blockSize - 1) / header_.blockSize;
    if (data.size() > 0xFFFFFFFFu - kMemoBlockHeaderSize || std::uint64_t(block) + blocks > 0xFFFFFFFFu)
        throw EngineError(file_.path().string() + ": the memo file is full");
    char head[kMemoBlockHeaderSize];
    putBigEndian32(head, static_cast<std::uint32_t>(type));
    putBigEndian32(head + 4, static_cast<std::uint32_t>(data.size()));
    buffer_.append(head, kMemoBlockHeaderSize);
    buffer_.append(data);
    buffer_.append(blocks * header_.blockSize - used, '\0');
    header_.nextFreeBlock = static_cast<std::uint32_t>(block + blocks);
    if (buffer_.size() >= kBufferLimit)
        flushBuffer();
    return block;
}

void MemoFileWriter::flushBuffer()
{
    file_.writeAt(bufferOffset_, buffer_);
    bufferOffset_ += buffer_.size();
    buffer_.clear();
}

void MemoFileWriter::finish()
{
    flushBuffer();
    file_.writeAt(0, header_.encode());
    file_.sync();
    file_.close();
}

}  // namespace dayvell::engine
