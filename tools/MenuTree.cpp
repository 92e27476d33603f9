#include "tools/MenuTree.h"

#include "core/Trace.h"

namespace zor {

namespace {

constexpr QStringView PathEnd = u"end";

bool IsPathEnd(QStringView element)
{
    return element.compare(PathEnd, Qt::CaseInsensitive) == 0;
}

// The path is traced as far as a reader needs to know it again: a refused
// one can be a mebibyte long.
constexpr qsizetype TracedPathLength = 200;

void Refuse(const QString& reason, QStringView path)
{
    QString shown = path.left(TracedPathLength).toString();
    if (path.size() > TracedPathLength)
        shown += QStringLiteral("...");
    WriteTrace(QStringLiteral("Process"), QStringLiteral("Refused, ") + reason + QStringLiteral(": ") + shown);
}

} // namespace

void MenuTree::AddEntry(QStringView path, const QString& key, int image)
{
    if (IndexOf(RootName) < 0)
        Add({RootName, RootName, -1, BranchImage, false});

    // The levels up to the end of the path, split once, and no further than
    // a path can be accepted.
    std::vector<QStringView> elements;
    for (QStringView element : path.tokenize(u'[')) {
        if (IsPathEnd(element))
            break;
        if (elements.size() == MaxLevels) {
            Refuse(QStringLiteral("deeper than %1 levels").arg(MaxLevels), path);
            return;
        }
        elements.push_back(element);
    }
    QString parentKey = RootName;
    for (size_t i = 0; i < elements.size(); ++i) {
        const QString name = elements[i].toString();
        const int parent = IndexOf(parentKey);
        if (parent < 0) {
            Refuse(QStringLiteral("no menu level \"") + parentKey + QStringLiteral("\" to hold \"") + name +
                       QLatin1Char('"'),
                   path);
            return;
        }
        const bool leaf = i + 1 == elements.size();
        const QString& nodeKey = leaf ? key : name;
        if (IndexOf(nodeKey) < 0) {
            // Levels that exist already may lie deep in the tree: the path
            // goes on below them only as far as the tree may reach.
            const int level = At(parent).level + 1;
            if (level > MaxLevels) {
                Refuse(QStringLiteral("\"") + name +
                           QStringLiteral("\" would lie deeper than %1 levels").arg(MaxLevels),
                       path);
                return;
            }
            Add({nodeKey, name, parent, leaf ? image : BranchImage, leaf, level});
        }
        parentKey = name;
    }
}

void MenuTree::Clear()
{
    nodes_.clear();
    byKey_.clear();
    if (Cleared)
        Cleared();
}

int MenuTree::IndexOf(const QString& key) const
{
    return key.isEmpty() ? -1 : byKey_.value(key, -1);
}

MenuTree::Match MenuTree::Search(const QString& text, int& position) const
{
    if (position <= 0 || position > Count())
        position = 1;
    Match match;
    match.fromFirst = position == 1;
    for (int i = position - 1; i < Count(); ++i) {
        if (At(i).text.contains(text, Qt::CaseInsensitive)) {
            match.node = i;
            position = i + 2;
            return match;
        }
    }
    position = 1;
    return match;
}

void MenuTree::Add(Node node)
{
    const int index = Count();
    if (!node.key.isEmpty())
        byKey_.insert(node.key, index);
    nodes_.push_back(std::move(node));
    if (NodeAdded)
        NodeAdded(index);
}

MenuTree& SessionMenuTree()
{
    static MenuTree tree;
    return tree;
}

} // namespace zor
