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
    // The trace file whose last write failed, empty while writes succeed.
    // The user is told once when a file begins to fail; the list goes on.
    QString FailingFile;
};

TraceLog& Trace();
inline bool TraceOn()
{
    return Trace().On;
}

inline const QString TraceFileName = QStringLiteral("ZOR_Trace.txt");

// A line longer than this is kept and shown in the list cut to this many
// characters and a note of how many more the trace file has: one unit of a
// mebibyte must not cost the list megabytes and seconds to lay out.
constexpr qsizetype TraceListLineChars = 1024;

// One entry: "[" tag "]" text. Does nothing at all while the trace is off.
void WriteTrace(const QString& tag, const QString& text);

} // namespace zor
