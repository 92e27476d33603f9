#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zor {

// The menu tree window: the host's menu as the "go" units built it. A second
// click on an entry, or OK, sends the chosen entry's key to the host; Find
// and F3 search the nodes by part of their text. Shown modally.
class fJump : public QDialog {
    Q_OBJECT

public:
    static fJump& instance();
    // True while the window is open: F3 is then its search, not a key for
    // the host.
    static bool IsOpen();
    ~fJump() override;

    // Shows the window modally over the session window.
    void ShowModal();
    // Discards the tree and the chosen entry (a new log-on); the last key
    // sent and the search stay.
    void Unload();

    void JumpTree_NodeClick(QTreeWidgetItem* item);
    void JumpCmnd_Click(int index); // 0 "&OK", 1 "&Cancel", 2 "&Find"
    // F3: the search goes on from the node after the last match.
    void ContinueSearch();

    // The item showing the tree's node (by its index in the tree).
    QTreeWidgetItem* Item(int node) const { return items_[static_cast<size_t>(node)]; }
    static QString KeyOf(const QTreeWidgetItem& item);
    static bool IsLeaf(const QTreeWidgetItem& item);

    QLabel* Label1 = nullptr;
    QTreeWidget* JumpTree = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QPushButton*, 3> JumpCmnd = {};
    // The key of the entry clicked last, or empty.
    QString SelectedKey;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    fJump();
    void AddNode(int index);
    void ClearNodes();
    // Sends the key, remembers it as sent and closes the window.
    void Choose(const QString& key);
    // Asks for the search text; false when none was given.
    bool AskSearchText();
    void Search();

    std::vector<QTreeWidgetItem*> items_;
};

} // namespace zor
