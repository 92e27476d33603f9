#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

namespace zor {

// The host application's menu structure, built entry by entry from the
// host's paths. Nodes are kept in the order they were added; a node's key is
// unique in the tree and is how later paths find their levels again. A node
// is a leaf (an entry the user can choose) or a branch (a menu level) by how
// it was added, whatever its picture.
class MenuTree {
public:
    static inline const QString RootName = QStringLiteral("All Menus");
    // Pictures of the tree: 1 is the folder of a menu level, the others are
    // entry pictures; any other number shows the default entry picture.
    static constexpr int BranchImage = 1;
    static constexpr int ImageCount = 6;
    static bool IsImage(int image) { return image >= 1 && image <= ImageCount; }
    // The deepest a node may lie below the root: far more than any menu
    // has, and few enough that walking a path up or down stays cheap.
    static constexpr int MaxLevels = 64;

    struct Node {
        QString key; // empty: a node without a key, never found by one
        QString text;
        int parent; // index of the parent node, -1 for the root
        int image;
        bool leaf;
        int level = 0; // 0 for the root, one more than its parent's
    };

    // One entry: its path of menu levels and, last, its own text, separated
    // by "[" (a level reading "end" in any case ends the path there), with the
    // key sent when it is chosen and its picture. Levels and entries whose key
    // exists already are left as they are; the path goes on below the
    // existing node. A path whose level has no parent to hang under, or
    // would lie deeper than MaxLevels, is refused from that level on, and
    // traced; a path of more levels than that is refused whole.
    void AddEntry(QStringView path, const QString& key, int image);
    void Clear();

    const std::vector<Node>& Nodes() const { return nodes_; }
    int Count() const { return static_cast<int>(nodes_.size()); }
    const Node& At(int index) const { return nodes_[static_cast<size_t>(index)]; }
    // The index of the node with that key, or -1.
    int IndexOf(const QString& key) const;

    struct Match {
        int node = -1;          // -1: nothing found
        bool fromFirst = false; // the search began at the first node
    };
    // Looks for the text (ignoring case) in the nodes from the 1-based
    // position on; a position of 0 or beyond the last node starts at the
    // first. A match moves the position past the matched node, no match back
    // to 1.
    Match Search(const QString& text, int& position) const;

    // Told of every node added (by its index) and of the tree being cleared.
    std::function<void(int index)> NodeAdded;
    std::function<void()> Cleared;

private:
    void Add(Node node);

    std::vector<Node> nodes_;
    QHash<QString, int> byKey_;
};

// The session's menu tree, which the "go" command fills and the menu tree
// window shows.
MenuTree& SessionMenuTree();

} // namespace zor
