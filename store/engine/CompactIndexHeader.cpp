#include "store/engine/CompactIndexHeader.h"

#include "store/engine/EngineError.h"

#include <algorithm>

namespace dayvell::engine::cdx {

namespace {

[[noreturn]] void fail(std::string_view context, const std::string& what) {
    throw EngineError(std::string(context) + ": " + what);
}

// Reads the NUL-terminated text at `at` in the pool; throws when unterminated.
std::string poolText(ConstHeaderBytes bytes, std::size_t at, std::string_view context, std::string_view what) {
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(at);
    const auto end = std::find(begin, bytes.end(), std::uint8_t{0});
    if (end == bytes.end()) fail(context, std::string(what) + " is not terminated within the header");
    return std::string(begin, end);
}

}  // namespace

bool expressionsFitHeader(std::string_view expression, std::string_view filter) {
    const auto hasNul = [](std::string_view text) { return text.find('\0') != std::string_view::npos; };
    return !hasNul(expression) && !hasNul(filter) && expression.size() + 1 + filter.size() + 1 <= kExpressionPoolSize;
}

void encodeHeader(const CompactIndexHeader& header, HeaderBytes out) {
    writeLittle32(out, kHeaderRoot, header.root);
    writeLittle32(out, kHeaderFreeList, kNoNode);
    writeLittle16(out, kHeaderKeyLength, header.keyLength);
    out[kHeaderOptions] = header.options;
    out[kHeaderSignature] = kSignature;
    writeLittle16(out, kHeaderOrder, header.descending ? 1 : 0);

    const auto expressionLength = static_cast<std::uint16_t>(header.expression.size() + 1);
    const auto filterLength = static_cast<std::uint16_t>(header.filter.size() + 1);
    writeLittle16(out, kHeaderTotalExpressionLength, static_cast<std::uint16_t>(expressionLength + filterLength));
    writeLittle16(out, kHeaderFilterLength, filterLength);
    writeLittle16(out, kHeaderKeyExpressionLength, expressionLength);

    auto pool = out.subspan(kHeaderExpressionPool);
    std::copy(header.expression.begin(), header.expression.end(), pool.begin());
    std::copy(header.filter.begin(), header.filter.end(), pool.begin() + expressionLength);
}

CompactIndexHeader decodeHeader(ConstHeaderBytes bytes, std::string_view context) {
    CompactIndexHeader header;
    header.root = readLittle32(bytes, kHeaderRoot);
    header.keyLength = readLittle16(bytes, kHeaderKeyLength);
    header.options = bytes[kHeaderOptions];

    if ((header.options & kOptionCompact) == 0) fail(context, "header is not that of a compact index");
    if (header.keyLength < 1 || header.keyLength > kMaxKeyLength)
        fail(context, "key length " + std::to_string(header.keyLength) + " is outside 1 to " +
                          std::to_string(kMaxKeyLength));

    const std::uint16_t order = readLittle16(bytes, kHeaderOrder);
    if (order > 1) fail(context, "sort order " + std::to_string(order) + " is neither ascending nor descending");
    header.descending = order == 1;

    header.expression = poolText(bytes, kHeaderExpressionPool, context, "key expression");
    header.filter = poolText(bytes, kHeaderExpressionPool + header.expression.size() + 1, context, "filter expression");
    return header;
}

}  // namespace dayvell::engine::cdx
