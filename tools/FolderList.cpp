#include "tools/FolderList.h"

#include <QDir>
#include <QFileInfo>

namespace zor {

QList<FolderEntry> FolderEntries(const QString& folder)
{
    const QString open = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    QStringList chain;
    for (QDir dir(open);;) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    QList<FolderEntry> entries;
    for (qsizetype i = 0; i < chain.size(); ++i) {
        const QString name = i == 0 ? chain[i] : QFileInfo(chain[i]).fileName();
        entries.append({chain[i], name, static_cast<int>(i), i == chain.size() - 1});
    }
    const QDir dir(open);
    const QStringList subfolders =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString& name : subfolders)
        entries.append({dir.filePath(name), name, static_cast<int>(chain.size()), false});
    return entries;
}

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this, &FolderList::Open);
    connect(this, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        // Emptying the list while it is refilled selects nothing for a moment.
        if (!item)
            return;
        const QString folder = item->data(Qt::UserRole).toString();
        if (folder != mPath) {
            mPath = folder;
            emit PathChanged(mPath);
        }
    });
}

QString FolderList::path() const
{
    return mPath;
}

void FolderList::setPath(const QString& folder)
{
    const QList<FolderEntry> entries = FolderEntries(folder);
    clear();
    QListWidgetItem* openItem = nullptr;
    for (const FolderEntry& entry : entries) {
        auto* item = new QListWidgetItem(QString(entry.Depth * 2, QLatin1Char(' ')) + entry.Name, this);
        item->setData(Qt::UserRole, entry.Path);
        if (entry.Open)
            openItem = item;
    }
    setCurrentItem(openItem);
}

void FolderList::Open(QListWidgetItem* item)
{
    if (item)
        setPath(item->data(Qt::UserRole).toString());
}

} // namespace zor
