#include "store/engine/TableIndexes.h"

#include "store/engine/EngineError.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace dayvell::engine {
namespace {

bool sameNameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::toupper(x) == std::toupper(y);
           });
}

bool entryLess(const IndexEntry& a, const IndexEntry& b)
{
    const int order = a.key.compare(b.key);
    return order < 0 || (order == 0 && a.recno < b.recno);
}

// Conditions, descending and unique tags need more than this engine keeps.
void checkSupported(const TagDefinition& definition, const std::filesystem::path& file)
{
    const std::string tag = file.string() + ": index tag \"" + definition.name + "\"";
    if (definition.filter.find_first_not_of(' ') != std::string::npos)
        throw EngineError(tag + " has the condition \"" + definition.filter + "\"; conditions are not supported");
    if (definition.descending)
        throw EngineError(tag + " is descending; only ascending tags are supported");
    if (definition.unique)
        throw EngineError(tag + " is unique; only tags that allow equal keys are supported");
}

void checkTagName(const std::string& name, const std::filesystem::path& file)
{
    const bool ok = !name.empty() && name.size() <= 10 && std::isalpha(static_cast<unsigned char>(name[0])) &&
                    std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isalnum(c) || c == '_'; });
    if (!ok)
        throw EngineError(file.string() + ": the tag name \"" + name +
                          "\" is not 1 to 10 letters, digits or underscores starting with a letter");
}

}  // namespace

std::vector<IndexEntry> computeEntries(const KeyExpression& key, const TableFile& table, ProgressReporter* progress)
{
    const std::uint32_t count = table.recordCount();
    std::vector<IndexEntry> entries;
    entries.reserve(count);
    const std::uint32_t step = std::max<std::uint32_t>(1, count / 100);
    for (std::uint32_t recno = 1; recno <= count; ++recno) {
        entries.push_back(IndexEntry {std::string(key.keyOf(table.record(recno))), recno});
        if (progress != nullptr && recno % step == 0)
            progress->report(std::uint64_t(recno) * 90 / count);
    }
    if (!std::is_sorted(entries.begin(), entries.end(), entryLess))
        std::sort(entries.begin(), entries.end(), entryLess);
    return entries;
}

int TableIndexes::tagCount() const
{
    int count = 0;
    for (const OpenFile& file : files_)
        count += static_cast<int>(file.tags.size());
    return count;
}

std::pair<std::size_t, std::size_t> TableIndexes::locate(int order) const
{
    int remaining = order - 1;
    for (std::size_t f = 0; f < files_.size() && remaining >= 0; ++f) {
        if (remaining < static_cast<int>(files_[f].tags.size()))
            return {f, static_cast<std::size_t>(remaining)};
        remaining -= static_cast<int>(files_[f].tags.size());
    }
    throw EngineError("index order " + std::to_string(order) + " does not exist; " + std::to_string(tagCount()) +
                      " tags are open");
}

const OpenTag& TableIndexes::tag(int order) const
{
    const auto [file, tag] = locate(order);
    return files_[file].tags[tag];
}

std::filesystem::path TableIndexes::fileOf(int order) const
{
    if (order < 1 || order > tagCount())
        return {};
    return files_[locate(order).first].path;
}

int TableIndexes::orderOf(std::string_view tagName) const
{
    int order = 0;
    for (const OpenFile& file : files_) {
        for (const OpenTag& tag : file.tags) {
            ++order;
            if (sameNameIgnoringCase(tag.definition.name, tagName))
                return order;
        }
    }
    return 0;
}

bool TableIndexes::isOpen(const std::filesystem::path& file) const
{
    return std::any_of(files_.begin(), files_.end(), [&](const OpenFile& open) { return open.path == file; });
}

int TableIndexes::open(const std::filesystem::path& path, const TableFile& table)
{
    if (isOpen(path))
        throw EngineError(path.string() + ": the index file is already open");
    OpenFile file {path, {}, false};
    for (IndexTag& stored : readCompoundIndex(path)) {
        checkSupported(stored.definition, path);
        KeyExpression key(table.header(), stored.definition.expression, path);
        if (stored.definition.keyLength != key.keyLength())
            throw EngineError(path.string() + ": index tag \"" + stored.definition.name + "\" has keys of " +
                              std::to_string(stored.definition.keyLength) + " bytes, but its expression gives " +
                              std::to_string(key.keyLength()));
        std::vector<IndexEntry> expected = computeEntries(key, table, nullptr);
        if (expected != stored.entries)
            file.changed = true;
        file.tags.push_back(OpenTag {std::move(stored.definition), key, std::move(expected)});
    }
    if (file.tags.empty())
        throw EngineError(path.string() + ": the index file holds no tags");
    const int firstOrder = tagCount() + 1;
    files_.push_back(std::move(file));
    if (files_.back().changed)
        write(files_.back());
    return firstOrder;
}

int TableIndexes::createTag(const std::filesystem::path& path, const TagDefinition& requested,
                            const TableFile& table, ProgressReporter& progress)
{
    checkTagName(requested.name, path);
    checkSupported(requested, path);
    KeyExpression key(table.header(), requested.expression, path);
    progress.report(0);

    std::error_code error;
    if (!isOpen(path) && std::filesystem::exists(path, error)) {
        try {
            open(path, table);
        } catch (const EngineError&) {
            // The file is rewritten below with the new tag; what it held could not be kept anyway.
        }
    }
    if (!isOpen(path))
        files_.push_back(OpenFile {path, {}, false});

    TagDefinition definition = requested;
    definition.keyLength = key.keyLength();
    OpenTag tag {definition, key, computeEntries(key, table, &progress)};

    int order = 0;
    for (OpenFile& file : files_) {
        if (file.path != path) {
            order += static_cast<int>(file.tags.size());
            continue;
        }
        auto same = std::find_if(file.tags.begin(), file.tags.end(),
                                 [&](const OpenTag& t) { return sameNameIgnoringCase(t.definition.name, definition.name); });
        if (same == file.tags.end())
            same = file.tags.insert(file.tags.end(), std::move(tag));
        else
            *same = std::move(tag);
        order += static_cast<int>(same - file.tags.begin()) + 1;
        file.changed = true;
        write(file);
        break;
    }
    progress.report(100);
    return order;
}

void TableIndexes::closeAll()
{
    writeChanged();
    files_.clear();
}

void TableIndexes::recordAppended(std::uint32_t recno, std::string_view record)
{
    for (OpenFile& file : files_) {
        for (OpenTag& tag : file.tags) {
            IndexEntry entry {std::string(tag.key.keyOf(record)), recno};
            tag.entries.insert(std::upper_bound(tag.entries.begin(), tag.entries.end(), entry, entryLess),
                               std::move(entry));
        }
        file.changed = true;
    }
}

void TableIndexes::recordChanged(std::uint32_t recno, std::string_view before, std::string_view after)
{
    for (OpenFile& file : files_) {
        for (OpenTag& tag : file.tags) {
            const std::string_view oldKey = tag.key.keyOf(before);
            const std::string_view newKey = tag.key.keyOf(after);
            if (oldKey == newKey)
                continue;
            const IndexEntry old {std::string(oldKey), recno};
            const auto at = std::lower_bound(tag.entries.begin(), tag.entries.end(), old, entryLess);
            if (at != tag.entries.end() && *at == old)
                tag.entries.erase(at);
            IndexEntry entry {std::string(newKey), recno};
            tag.entries.insert(std::lower_bound(tag.entries.begin(), tag.entries.end(), entry, entryLess),
                               std::move(entry));
            file.changed = true;
        }
    }
}

void TableIndexes::rebuild(const TableFile& table)
{
    for (OpenFile& file : files_) {
        for (OpenTag& tag : file.tags)
            tag.entries = computeEntries(tag.key, table, nullptr);
        file.changed = true;
    }
}

void TableIndexes::writeChanged()
{
    for (OpenFile& file : files_) {
        if (file.changed)
            write(file);
    }
}

void TableIndexes::write(OpenFile& file)
{
    std::vector<IndexTag> tags;
    tags.reserve(file.tags.size());
    for (const OpenTag& tag : file.tags)
        tags.push_back(IndexTag {tag.definition, tag.entries});
    if (syncWrites_)
        writeCompoundIndexDurably(file.path, tags);
    else
        writeCompoundIndex(file.path, tags);
    file.changed = false;
}

}  // namespace dayvell::engine
