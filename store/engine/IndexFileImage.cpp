#include "store/engine/IndexFileImage.h"

#include "store/engine/EngineError.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>

namespace dayvell::engine::cdx {

IndexFileImage IndexFileImage::load(const std::filesystem::path& file) {
    const std::string name = file.string();
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error) throw EngineError(name + ": cannot read index: " + error.message());
    // Node pointers are 32 bits wide, so no sound index is larger.
    if (size > std::numeric_limits<std::uint32_t>::max()) throw EngineError(name + ": index file is too large");

    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> bytes(size);
    if (!in || !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
        throw EngineError(name + ": cannot read index: " + std::strerror(errno));
    return IndexFileImage(name, std::move(bytes));
}

IndexFileImage::IndexFileImage(std::string name, std::vector<std::uint8_t> bytes)
    : name_(std::move(name)), bytes_(std::move(bytes)), claimed_(bytes_.size() / kPageSize, false) {
    if (bytes_.size() < kHeaderSize)
        fail("file of " + std::to_string(bytes_.size()) + " bytes is too short for an index header");
    if (bytes_.size() % kPageSize != 0)
        fail("file length " + std::to_string(bytes_.size()) + " is not a whole number of 512-byte pages (truncated?)");
}

ConstPage IndexFileImage::claimNode(std::uint32_t offset, std::string_view what) {
    return ConstPage(claim(offset, 1, what));
}

std::span<const std::uint8_t, kHeaderSize> IndexFileImage::claimHeader(std::uint32_t offset, std::string_view what) {
    return std::span<const std::uint8_t, kHeaderSize>(claim(offset, kHeaderSize / kPageSize, what));
}

std::span<const std::uint8_t> IndexFileImage::claim(std::uint32_t offset, std::size_t pages, std::string_view what) {
    const auto where = [&] { return std::string(what) + " at offset " + std::to_string(offset); };
    if (offset % kPageSize != 0) fail(where() + " is not on a page boundary");
    const std::size_t first = offset / kPageSize;
    if (first + pages > claimed_.size()) fail(where() + " lies beyond the end of the file");
    for (std::size_t page = first; page < first + pages; ++page) {
        if (claimed_[page]) fail(where() + " overlaps a part already read (loop or shared page)");
        claimed_[page] = true;
    }
    return std::span<const std::uint8_t>(bytes_).subspan(offset, pages * kPageSize);
}

void IndexFileImage::fail(std::string_view what) const {
    throw EngineError(name_ + ": " + std::string(what));
}

}  // namespace dayvell::engine::cdx
