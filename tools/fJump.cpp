#include "tools/fJump.h"

#include "core/Dialogs.h"
#include "core/SendReply.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/WindowUtils.h"
#include "session/fConnection.h"
#include "tools/MenuTree.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zor {

namespace {

constexpr int KeyRole = Qt::UserRole;
constexpr int LeafRole = Qt::UserRole + 1;
constexpr int IconSize = 16;

const QString SearchPrompt = QStringLiteral("Enter a partial string to search for.  (F3 continues search)");
const QString SearchTitle = QStringLiteral("Node Search");

fJump* TheWindow = nullptr;

QPixmap FolderPicture()
{
    QPixmap picture(IconSize, IconSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QColor(128, 96, 0));
    painter.setBrush(QColor(240, 200, 80));
    painter.drawRect(1, 2, 6, 3);
    painter.drawRect(1, 4, 13, 9);
    return picture;
}

// A sheet with a coloured band: each entry picture has its own colour.
QPixmap EntryPicture(const QColor& band)
{
    QPixmap picture(IconSize, IconSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QColor(96, 96, 96));
    painter.setBrush(Qt::white);
    painter.drawRect(3, 1, 10, 13);
    painter.fillRect(5, 4, 7, 3, band);
    painter.fillRect(5, 9, 7, 1, QColor(160, 160, 160));
    painter.fillRect(5, 11, 5, 1, QColor(160, 160, 160));
    return picture;
}

// The tree's pictures, made once: the folder, the entry pictures, and at
// the end the default for a number that is none of them.
const QIcon& MenuIcon(int image)
{
    static const std::array<QIcon, MenuTree::ImageCount + 1> icons = [] {
        std::array<QIcon, MenuTree::ImageCount + 1> made;
        made[0] = QIcon(FolderPicture());
        const QColor bands[MenuTree::ImageCount - 1] = {QColor(0, 0, 192), QColor(0, 144, 0), QColor(192, 0, 0),
                                                        QColor(128, 0, 160), QColor(224, 128, 0)};
        for (int i = 0; i < MenuTree::ImageCount - 1; ++i)
            made[static_cast<size_t>(i + 1)] = QIcon(EntryPicture(bands[i]));
        made[MenuTree::ImageCount] = QIcon(EntryPicture(QColor(192, 192, 192)));
        return made;
    }();
    return icons[static_cast<size_t>(MenuTree::IsImage(image) ? image - 1 : MenuTree::ImageCount)];
}

} // namespace

fJump& fJump::instance()
{
    if (!TheWindow)
        TheWindow = new fJump();
    return *TheWindow;
}

bool fJump::IsOpen()
{
    return TheWindow && TheWindow->isVisible();
}

fJump::fJump() : QDialog(&fConnection::instance())
{
    setObjectName(QStringLiteral("fJump"));
    setWindowTitle(QStringLiteral("Menu Tree"));
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Menu Tree Branches"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    JumpTree = new QTreeWidget(this);
    JumpTree->setObjectName(QStringLiteral("JumpTree"));
    JumpTree->setHeaderHidden(true);
    JumpTree->setIconSize(QSize(IconSize, IconSize));
    JumpTree->setUniformRowHeights(true);
    Label2 = new QLabel(
        QStringLiteral("*Note: Highlight a branch and press the '*' (asterisk) key to expand all branches"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    const QString captions[] = {QStringLiteral("&OK"), QStringLiteral("&Cancel"), QStringLiteral("&Find")};
    for (int i = 0; i < static_cast<int>(JumpCmnd.size()); ++i) {
        auto* button = new QPushButton(captions[i], this);
        button->setObjectName(QStringLiteral("JumpCmnd_%1").arg(i));
        connect(button, &QPushButton::clicked, this, [this, i] { JumpCmnd_Click(i); });
        buttons->addWidget(button);
        JumpCmnd[static_cast<size_t>(i)] = button;
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(JumpTree, 1);
    layout->addWidget(Label2);
    layout->addLayout(buttons);
    resize(360, 420);
    CenterForm(*this);

    connect(JumpTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { JumpTree_NodeClick(item); });

    MenuTree& tree = SessionMenuTree();
    for (int i = 0; i < tree.Count(); ++i)
        AddNode(i);
    tree.NodeAdded = [this](int index) { AddNode(index); };
    tree.Cleared = [this] { ClearNodes(); };
}

fJump::~fJump()
{
    SessionMenuTree().NodeAdded = nullptr;
    SessionMenuTree().Cleared = nullptr;
    TheWindow = nullptr;
}

void fJump::ShowModal()
{
    CenterOverWindow(*this, fConnection::instance());
    exec();
}

void fJump::Unload()
{
    if (isVisible())
        reject();
    SessionMenuTree().Clear();
    SelectedKey.clear();
}

QString fJump::KeyOf(const QTreeWidgetItem& item)
{
    return item.data(0, KeyRole).toString();
}

bool fJump::IsLeaf(const QTreeWidgetItem& item)
{
    return item.data(0, LeafRole).toBool();
}

void fJump::AddNode(int index)
{
    const MenuTree::Node& node = SessionMenuTree().At(index);
    auto* item = new QTreeWidgetItem;
    item->setText(0, node.text);
    item->setIcon(0, MenuIcon(node.image));
    item->setData(0, KeyRole, node.key);
    item->setData(0, LeafRole, node.leaf);
    if (node.parent < 0)
        JumpTree->addTopLevelItem(item);
    else
        Item(node.parent)->addChild(item);
    items_.push_back(item);
}

void fJump::ClearNodes()
{
    // Qt frees an item's children from the item, one stack frame per level:
    // the items are taken apart here and freed one by one instead.
    items_.clear();
    QList<QTreeWidgetItem*> loose = JumpTree->invisibleRootItem()->takeChildren();
    while (!loose.isEmpty()) {
        QTreeWidgetItem* item = loose.takeLast();
        loose += item->takeChildren();
        delete item;
    }
}

void fJump::JumpTree_NodeClick(QTreeWidgetItem* item)
{
    if (!item || !IsLeaf(*item))
        return;
    const QString key = KeyOf(*item);
    // The second click on the same entry chooses it; once sent, the entry
    // is no longer chosen, so opening the window again sends nothing by
    // itself.
    if (key == SelectedKey) {
        Choose(key);
        return;
    }
    SelectedKey = key;
}

void fJump::JumpCmnd_Click(int index)
{
    switch (index) {
    case 0:
        Choose(SelectedKey);
        break;
    case 1:
        reject();
        break;
    case 2:
        JumpSearchPos = 1;
        if (AskSearchText())
            Search();
        break;
    default:
        break;
    }
}

void fJump::ContinueSearch()
{
    // An empty answer searches too: it matches the node at the position.
    if (JumpSearchText.isEmpty())
        AskSearchText();
    Search();
}

void fJump::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F3 && event->modifiers() == Qt::NoModifier) {
        ContinueSearch();
        return;
    }
    QDialog::keyPressEvent(event);
}

void fJump::Choose(const QString& key)
{
    SendReply(key);
    JumpKey = key;
    SelectedKey.clear();
    accept();
}

bool fJump::AskSearchText()
{
    JumpSearchText = Trim(Dialogs::InputBox(SearchPrompt, SearchTitle, JumpSearchText));
    return !JumpSearchText.isEmpty();
}

void fJump::Search()
{
    const MenuTree::Match match = SessionMenuTree().Search(JumpSearchText, JumpSearchPos);
    if (match.node < 0) {
        Dialogs::MsgBox(match.fromFirst ? QStringLiteral("No matches found") : QStringLiteral("No more matches found"));
        return;
    }
    QTreeWidgetItem* item = Item(match.node);
    JumpTree->setCurrentItem(item);
    JumpTree->scrollToItem(item);
    if (IsLeaf(*item))
        SelectedKey = KeyOf(*item);
}

} // namespace zor
