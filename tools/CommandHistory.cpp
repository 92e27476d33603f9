#include "tools/CommandHistory.h"

#include "core/Dialogs.h"
#include "core/FileSave.h"
#include "core/ProgramFolder.h"
#include "core/TextFile.h"

namespace zor {

namespace {

QString HistoryFile()
{
    return ProgramFile(QStringLiteral("qmcmnds.dat"));
}

qsizetype IndexOf(const QStringList& entries, const QString& text)
{
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (entries[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

CommandHistory::CommandHistory()
{
    const TextFileRead read = ReadTextFile(HistoryFile());
    mEntries = read.Lines;
    if (!read.Missing && !read.Ok()) {
        mWritable = false;
        Dialogs::MsgBox(QStringLiteral("The command history ") + HistoryFile() +
                            QStringLiteral(" could not be read (") + read.Error +
                            QStringLiteral("); commands typed now are not added to it."),
                        Dialogs::Exclamation, QStringLiteral("ERROR"));
    }
}

void CommandHistory::Add(const QString& text)
{
    if (IndexOf(mEntries, text) >= 0)
        return;
    mEntries << text;
    Save();
}

void CommandHistory::Remove(const QString& text)
{
    const qsizetype index = IndexOf(mEntries, text);
    if (index >= 0)
        mEntries.removeAt(index);
    Save();
}

void CommandHistory::Save()
{
    if (mWritable)
        SaveFileWhole(HistoryFile(), TextFileBytes(mEntries));
}

} // namespace zor
