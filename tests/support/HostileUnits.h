#pragma once

// Host text shaped to hurt: every command code and plain text in each mode,
// each in the same hostile shapes, run through the session window's receive
// path with a panel or tool window open or not. Shared by the sweep test,
// which holds the client to its bounds, and the benchmark, which shows what
// each row costs.
#include <QString>
#include <QStringList>
#include <vector>

namespace zor {
class fConnection;
}

namespace zor::test {

// What the text is: a command code of the table, or plain text in a mode.
struct HostileSubject {
    QString name; // the code, or "text", "text-report", "text-procedure", "text-passthrough"
    QString code; // empty for plain text
};

enum class HostileShape { HugeField, ManyFields, Repeated, Numbers, DeepPath, FontSizes };

// What is open while the text arrives.
enum class HostileContext { Nothing, Console, TraceWindow, ProcedurePanel };

struct HostileRow {
    HostileSubject subject;
    HostileShape shape;
    HostileContext context;
    QString Name() const; // "to/HugeField/Console"
};

std::vector<HostileSubject> HostileSubjects();
std::vector<HostileShape> HostileShapes();
std::vector<HostileContext> HostileContexts();
std::vector<HostileRow> HostileRows(const HostileSubject& subject);

// The host's text for a row, as it would come over the wire.
QString HostileText(const HostileSubject& subject, HostileShape shape);

struct HostileOutcome {
    double seconds = 0;
    double grownMb = 0;    // memory held, the most the row took over what there was before
    bool answered = false; // the next "vn" was answered with the version line
};

// Back to an empty screen, every panel and mode closed and what the units
// made freed, so that each run starts alike and holds nothing of the last.
void ClearHostScreen(fConnection& window);

// Runs the row on the session window, answering every box the text raises
// at once; the sent text is recorded, never sent.
HostileOutcome RunHostileRow(const HostileRow& row);

// The bound a row must keep.
constexpr double HostileGrowthLimitMb = 200;

} // namespace zor::test
