#pragma once

#include <QList>
#include <QListWidget>
#include <QString>

namespace zor {

// One line of a folder list: the folders from the root down to the open one,
// then the open folder's subfolders one level deeper.
struct FolderEntry {
    QString Path;
    QString Name;
    int Depth = 0;
    bool Open = false; // the open folder itself
};

// The lines of a folder list opened on the folder (made absolute and clean).
// Read at once from the file system, so the list is complete when it returns.
QList<FolderEntry> FolderEntries(const QString& folder);

// A folder list box: the selected line is its folder; a double click or
// Enter opens a folder to show its subfolders.
class FolderList : public QListWidget {
    Q_OBJECT

public:
    explicit FolderList(QWidget* parent = nullptr);
    // The selected folder.
    QString path() const;
    // Opens the folder and selects it.
    void setPath(const QString& folder);

signals:
    void PathChanged(const QString& folder);

private:
    void Open(QListWidgetItem* item);
    QString mPath;
};

} // namespace zor
