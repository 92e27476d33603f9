#pragma once

#include <QString>
#include <deque>
#include <functional>

namespace zor {

// The trace: while it is on (the trace window is shown), every entry goes to
// the list of lines and is appended to "ZOR_Trace.txt" in the trace folder.
// The trace window shows Lines and listens through the two callbacks.
struct TraceLog {
    bool On = false;
    QString Folder;
    std::deque<QString> Lines;
    std::function<void(const QString& line)> LineAdded;
    std::function<void()> FirstLineRemoved;
    // Set when the last write to the file failed; the list still has the line.
    bool FileError = false;
};

TraceLog& Trace();
inline bool TraceOn()
{
    return Trace().On;
}

inline const QString TraceFileName = QStringLiteral("ZOR_Trace.txt");

// One entry: "[" tag "]" text. Does nothing at all while the trace is off.
void WriteTrace(const QString& tag, const QString& text);

} // namespace zor
