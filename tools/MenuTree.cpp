#include "tools/MenuTree.h"

#include "core/Trace.h"

namespace zor {

namespace {

constexpr QStringView PathEnd = u"end";

bool IsPathEnd(QStringView element)
{
    return element.compare(PathEnd, Qt::CaseInsensitive) == 0;
}

} // namespace

void MenuTree::AddEntry(QStringView path, const QString& key, int image)
{
    if (IndexOf(RootName) < 0)
        Add({RootName, RootName, -1, BranchImage, false});

    // The levels up to the end of the path, split once.
    std::vector<QStringView> elements;
    for (QStringView element : path.tokenize(u'[')) {
        if (IsPathEnd(element))
            break;
        elements.push_back(element);
    }
    QString parentKey = RootName;
    for (size_t i = 0; i < elements.size(); ++i) {
        const QString name = elements[i].toString();
        const int parent = IndexOf(parentKey);
        if (parent < 0) {
            WriteTrace(QStringLiteral("Process"), QStringLiteral("Refused, no menu level \"") + parentKey +
                                                      QStringLiteral("\" to hold \"") + name + QStringLiteral("\": ") +
                                                      path.toString());
            return;
        }
        const bool leaf = i + 1 == elements.size();
        const QString& nodeKey = leaf ? key : name;
        if (IndexOf(nodeKey) < 0)
            Add({nodeKey, name, parent, leaf ? image : BranchImage, leaf});
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
