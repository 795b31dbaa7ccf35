#include "store/engine/CompoundIndexFile.h"

#include "store/engine/CompactIndexHeader.h"
#include "store/engine/CompactTreeReader.h"
#include "store/engine/CompactTreeWriter.h"
#include "store/engine/EngineError.h"
#include "store/engine/FileReplacement.h"
#include "store/engine/IndexFileImage.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <map>
#include <memory>

namespace dayvell::engine {

using namespace cdx;

namespace {

bool isValidTagName(std::string_view name) {
    const auto isWordCharacter = [](unsigned char c) { return std::isalnum(c) || c == '_'; };
    return !name.empty() && name.size() <= kTagNameLength && (std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_') &&
           std::all_of(name.begin(), name.end(), isWordCharacter);
}

std::string upperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string tagLabel(const std::string& name) { return "tag \"" + name + "\""; }

void validateTag(const std::filesystem::path& file, const IndexTag& tag) {
    const TagDefinition& definition = tag.definition;
    const auto fail = [&](const std::string& what) {
        throw EngineError(file.string() + ": cannot write " + tagLabel(definition.name) + ": " + what);
    };
    if (!isValidTagName(definition.name))
        fail("a tag name has 1 to 10 letters, digits or underscores and starts with a letter or underscore");
    if (definition.keyLength < 1 || definition.keyLength > kMaxKeyLength)
        fail("key length " + std::to_string(definition.keyLength) + " is outside 1 to " + std::to_string(kMaxKeyLength));
    if (definition.expression.empty()) fail("the key expression is empty");
    if (!expressionsFitHeader(definition.expression, definition.filter))
        fail("the key and filter expressions hold a NUL or are longer than the header holds");

    for (std::size_t i = 0; i < tag.entries.size(); ++i) {
        const IndexEntry& entry = tag.entries[i];
        const std::string which = "entry " + std::to_string(i + 1);
        if (entry.key.size() != definition.keyLength)
            fail(which + " has a key of " + std::to_string(entry.key.size()) + " bytes instead of " +
                 std::to_string(definition.keyLength));
        if (entry.recno == 0) fail(which + " has record number 0");
        if (i == 0) continue;
        const IndexEntry& previous = tag.entries[i - 1];
        const int order = previous.key.compare(entry.key);
        if (order > 0 || (order == 0 && previous.recno >= entry.recno))
            fail(which + " is out of (key, record number) order");
        if (order == 0 && definition.unique) fail(which + " repeats a key of a unique tag");
    }
}

void validateTags(const std::filesystem::path& file, const std::vector<IndexTag>& tags) {
    std::map<std::string, std::string> seen;
    for (const IndexTag& tag : tags) {
        validateTag(file, tag);
        const auto [place, inserted] = seen.emplace(upperCase(tag.definition.name), tag.definition.name);
        if (!inserted)
            throw EngineError(file.string() + ": cannot write " + tagLabel(tag.definition.name) + ": its name repeats " +
                              tagLabel(place->second));
    }
}

std::uint8_t tagOptions(const TagDefinition& definition) {
    std::uint8_t options = kOptionCompact | kOptionCompound;
    if (definition.unique) options |= kOptionUnique;
    if (!definition.filter.empty()) options |= kOptionHasFilter;
    return options;
}

HeaderBytes headerAt(std::vector<std::uint8_t>& image, std::size_t offset) {
    return HeaderBytes(std::span<std::uint8_t>(image).subspan(offset, kHeaderSize));
}

// File layout: directory header, directory nodes, then for each tag its header
// followed by its nodes.
std::vector<std::uint8_t> encodeCompoundIndex(const std::filesystem::path& file, const std::vector<IndexTag>& tags) {
    std::vector<std::unique_ptr<CompactTreeWriter>> tagTrees;
    for (const IndexTag& tag : tags)
        tagTrees.push_back(std::make_unique<CompactTreeWriter>(tag.entries, tag.definition.keyLength));

    // The directory's entries point at the tag headers, whose offsets depend on
    // how many nodes the directory takes: settle both together.
    std::vector<IndexEntry> directory;
    std::vector<std::size_t> headerOffsets(tags.size());
    std::unique_ptr<CompactTreeWriter> directoryTree;
    std::size_t directoryNodes = 1;
    std::size_t fileSize = 0;
    for (;;) {
        std::size_t offset = kHeaderSize + directoryNodes * kPageSize;
        for (std::size_t i = 0; i < tags.size(); ++i) {
            headerOffsets[i] = offset;
            offset += kHeaderSize + tagTrees[i]->nodeCount() * kPageSize;
        }
        fileSize = offset;
        if (fileSize > std::numeric_limits<std::uint32_t>::max())
            throw EngineError(file.string() + ": cannot write index: it would exceed 4 GiB");

        directory.clear();
        for (std::size_t i = 0; i < tags.size(); ++i) {
            std::string key = tags[i].definition.name;
            key.resize(kTagNameLength, kBlank);
            directory.push_back({std::move(key), static_cast<std::uint32_t>(headerOffsets[i])});
        }
        std::sort(directory.begin(), directory.end(), [](const IndexEntry& a, const IndexEntry& b) { return a.key < b.key; });
        directoryTree = std::make_unique<CompactTreeWriter>(directory, kTagNameLength);
        if (directoryTree->nodeCount() == directoryNodes) break;
        directoryNodes = directoryTree->nodeCount();
    }

    std::vector<std::uint8_t> image(fileSize, 0);
    CompactIndexHeader directoryHeader;
    directoryHeader.keyLength = kTagNameLength;
    directoryHeader.options = kOptionCompact | kOptionCompound;
    directoryHeader.root = directoryTree->write(
        kHeaderSize, std::span<std::uint8_t>(image).subspan(kHeaderSize, directoryNodes * kPageSize));
    encodeHeader(directoryHeader, headerAt(image, 0));

    for (std::size_t i = 0; i < tags.size(); ++i) {
        const TagDefinition& definition = tags[i].definition;
        const std::size_t nodesOffset = headerOffsets[i] + kHeaderSize;
        CompactIndexHeader header;
        header.keyLength = static_cast<std::uint16_t>(definition.keyLength);
        header.options = tagOptions(definition);
        header.descending = definition.descending;
        header.expression = definition.expression;
        header.filter = definition.filter;
        header.root = tagTrees[i]->write(
            static_cast<std::uint32_t>(nodesOffset),
            std::span<std::uint8_t>(image).subspan(nodesOffset, tagTrees[i]->nodeCount() * kPageSize));
        encodeHeader(header, headerAt(image, headerOffsets[i]));
    }
    return image;
}

void writeIndex(const std::filesystem::path& file, const std::vector<IndexTag>& tags, FileSync sync) {
    validateTags(file, tags);
    replaceFileContents(file, encodeCompoundIndex(file, tags), sync);
}

std::string tagName(const IndexEntry& directoryEntry) {
    const auto end = directoryEntry.key.find_last_not_of(std::string_view(" \0", 2));
    return end == std::string::npos ? std::string() : directoryEntry.key.substr(0, end + 1);
}

}  // namespace

void writeCompoundIndex(const std::filesystem::path& file, const std::vector<IndexTag>& tags) {
    writeIndex(file, tags, FileSync::No);
}

void writeCompoundIndexDurably(const std::filesystem::path& file, const std::vector<IndexTag>& tags) {
    writeIndex(file, tags, FileSync::Yes);
}

std::vector<IndexTag> readCompoundIndex(const std::filesystem::path& file) {
    IndexFileImage image = IndexFileImage::load(file);
    const CompactIndexHeader directoryHeader =
        decodeHeader(image.claimHeader(0, "tag directory header"), image.name() + ": tag directory header");
    if ((directoryHeader.options & kOptionCompound) == 0) image.fail("not a compound index (no tag directory)");
    const std::vector<IndexEntry> directory =
        readCompactTree(image, directoryHeader.root, directoryHeader.keyLength, "tag directory");

    std::vector<std::pair<std::uint32_t, IndexTag>> tags;
    std::map<std::string, std::string> seen;
    for (const IndexEntry& entry : directory) {
        IndexTag tag;
        tag.definition.name = tagName(entry);
        const std::string label = tagLabel(tag.definition.name);
        if (tag.definition.name.empty()) image.fail("tag directory holds a blank tag name");
        if (!seen.emplace(upperCase(tag.definition.name), tag.definition.name).second)
            image.fail("tag directory names " + label + " twice");

        const CompactIndexHeader header =
            decodeHeader(image.claimHeader(entry.recno, label + " header"), image.name() + ": " + label + " header");
        tag.definition.expression = header.expression;
        tag.definition.filter = header.filter;
        tag.definition.descending = header.descending;
        tag.definition.unique = (header.options & kOptionUnique) != 0;
        tag.definition.keyLength = header.keyLength;
        tag.entries = readCompactTree(image, header.root, header.keyLength, label);
        if (tag.definition.unique) {
            const auto repeat = std::adjacent_find(tag.entries.begin(), tag.entries.end(),
                                                   [](const IndexEntry& a, const IndexEntry& b) { return a.key == b.key; });
            if (repeat != tag.entries.end()) image.fail(label + " is unique but repeats a key");
        }
        tags.emplace_back(entry.recno, std::move(tag));
    }

    std::sort(tags.begin(), tags.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<IndexTag> result;
    result.reserve(tags.size());
    for (auto& [offset, tag] : tags) result.push_back(std::move(tag));
    return result;
}

}  // namespace dayvell::engine
