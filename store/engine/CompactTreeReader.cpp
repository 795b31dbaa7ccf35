#include "store/engine/CompactTreeReader.h"

#include "store/engine/CompactInteriorNode.h"
#include "store/engine/CompactLeafNode.h"
#include "store/engine/EngineError.h"

#include <optional>
#include <string>

namespace dayvell::engine::cdx {

namespace {

// Deeper than any sound tree of a file with 32-bit offsets; bounds the
// recursion on a corrupt chain of interior nodes.
constexpr std::size_t kMaxDepth = 32;

bool before(const IndexEntry& a, const IndexEntry& b) {
    const int order = a.key.compare(b.key);
    return order < 0 || (order == 0 && a.recno < b.recno);
}

class TreeWalk {
public:
    TreeWalk(IndexFileImage& image, std::size_t keyLength, std::string_view label)
        : image_(image), keyLength_(keyLength), label_(label) {}

    std::vector<IndexEntry> run(std::uint32_t root) {
        visit(root, 0);
        checkSiblings();
        return std::move(entries_);
    }

private:
    struct VisitedNode {
        std::uint32_t offset;
        NodeLinks links;
    };

    std::string context(std::uint32_t offset) const {
        return image_.name() + ": " + label_ + ", node at offset " + std::to_string(offset);
    }

    [[noreturn]] void fail(std::uint32_t offset, const std::string& what) const {
        throw EngineError(context(offset) + ": " + what);
    }

    void visit(std::uint32_t offset, std::size_t depth) {
        if (depth > kMaxDepth) fail(offset, "tree is deeper than " + std::to_string(kMaxDepth) + " levels");
        const ConstPage page = image_.claimNode(offset, label_ + " node");
        const NodeLinks links = readNodeLinks(page);
        if (links.attributes > (kAttributeRoot | kAttributeLeaf))
            fail(offset, "unknown node attributes " + std::to_string(links.attributes));
        if (links.isRoot() != (depth == 0))
            fail(offset, depth == 0 ? "root node is not marked as root" : "node below the root is marked as root");
        if (levels_.size() <= depth) levels_.resize(depth + 1);
        levels_[depth].push_back({offset, links});

        if (links.isLeaf()) {
            visitLeaf(offset, page, depth);
            return;
        }
        for (const InteriorEntry& child : decodeInteriorNode(page, keyLength_, context(offset))) {
            visit(child.child, depth + 1);
            if (entries_.back().key > child.key) fail(offset, "a key is lower than the keys of its child node");
        }
    }

    void visitLeaf(std::uint32_t offset, ConstPage page, std::size_t depth) {
        if (leafDepth_ && *leafDepth_ != depth) fail(offset, "leaf nodes lie at different depths");
        leafDepth_ = depth;
        const std::size_t first = entries_.size();
        decodeLeafNode(page, keyLength_, context(offset), entries_);
        if (entries_.size() == first && depth != 0) fail(offset, "leaf node below the root holds no keys");
        for (std::size_t i = first == 0 ? 1 : first; i < entries_.size(); ++i)
            if (!before(entries_[i - 1], entries_[i])) fail(offset, "keys are out of order");
    }

    void checkSiblings() const {
        for (const std::vector<VisitedNode>& level : levels_) {
            for (std::size_t i = 0; i < level.size(); ++i) {
                const std::uint32_t left = i == 0 ? kNoNode : level[i - 1].offset;
                const std::uint32_t right = i + 1 == level.size() ? kNoNode : level[i + 1].offset;
                if (level[i].links.left != left || level[i].links.right != right)
                    fail(level[i].offset, "sibling pointers do not match the tree");
            }
        }
    }

    IndexFileImage& image_;
    std::size_t keyLength_;
    std::string label_;
    std::vector<IndexEntry> entries_;
    std::vector<std::vector<VisitedNode>> levels_;
    std::optional<std::size_t> leafDepth_;
};

}  // namespace

std::vector<IndexEntry> readCompactTree(IndexFileImage& image, std::uint32_t root, std::size_t keyLength,
                                        std::string_view label) {
    return TreeWalk(image, keyLength, label).run(root);
}

}  // namespace dayvell::engine::cdx
