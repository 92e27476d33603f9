#pragma once

#include <QString>
#include <QStringList>

namespace zor {

// The units typed in the command window, kept in "qmcmnds.dat" in the
// program folder: one per CR LF line, in list order, rewritten whole. Letter
// case is ignored when telling two apart, and the first spelling stays.
class CommandHistory {
public:
    // Reads the file; a missing file is an empty history.
    CommandHistory();

    const QStringList& Entries() const { return mEntries; }
    // Adds the text unless an entry matches it, then rewrites the file.
    void Add(const QString& text);
    // Removes the first entry that matches, then rewrites the file in any case.
    void Remove(const QString& text);

private:
    void Save();
    QStringList mEntries;
    // A file that exists but could not be read is never written over.
    bool mWritable = true;
};

} // namespace zor
