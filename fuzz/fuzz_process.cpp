// The command interpreter on arbitrary host text: whatever the units hold,
// Process must keep the entity table, the picture stores and the buffers
// within their bounds and never read or write outside them.
#include "core/Dialogs.h"
#include "core/SharedState.h"
#include "core/Trace.h"
#include "devices/DirectPrinter.h"
#include "devices/RawPrinter.h"
#include "session/fConnection.h"
#include "tests/support/HostileUnits.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QVariant>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace zor;

namespace {

// Fuzzing never prints: raw jobs are counted, not sent.
class RawJobCounter : public RawPrinter {
public:
    void ListPrinters(ListDone done) override { done(QStringList{QStringLiteral("fuzz")}); }
    void PrintRaw(const QString& text, const QString&, const QString&, JobDone done) override
    {
        bytes += text.size();
        done({!text.isEmpty(), QString()});
    }
    void PrintDocument(const QByteArray& pdf, const QString&, const QString&, JobDone done) override
    {
        bytes += pdf.size();
        done({!pdf.isEmpty(), QString()});
    }
    qint64 bytes = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Qt's caches (fonts, resources, text layout) grow a little with many an
    // input, and libFuzzer would stop the world for a leak check after each
    // of them, which makes fuzzing some twenty times slower. Leaks are still
    // checked when the run ends; a flag given on the command line wins.
    static std::vector<char*> args(*argv, *argv + *argc);
    static char leaksAtExitOnly[] = "-detect_leaks=0";
    args.insert(args.begin() + 1, leaksAtExitOnly);
    args.push_back(nullptr);
    *argv = args.data();
    *argc = static_cast<int>(args.size()) - 1;

    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept to the end of the process, as the session window that lives on it.
    static QApplication* app = new QApplication(*argc, *argv);
    Q_UNUSED(app);
    // A program folder of its own: the cache commands write their files
    // there, never into the folder the fuzzer runs in.
    static QTemporaryDir home;
    qputenv("ZOR_HOME", home.path().toLocal8Bit());
    // The window stays hidden and small, so redraws are cheap; the cells get
    // a size of their own.
    InstallRawPrinter(std::make_unique<RawJobCounter>());
    DirectPrintFile = QStringLiteral("/dev/null");
    fConnection& window = fConnection::instance();
    CellWidth = Currency::fromDouble(10);
    CellHeight = Currency::fromDouble(20);
    // One screen of every kind first: fonts, image readers and the trace
    // make their one-time allocations here rather than inside an input.
    Connected = true;
    for (const char* unit : {"mh^Header", "to^2^2^12^r^Caption^^1", "bx^1^4^40^8^Box", "ob^3^6^^^Option^O^m",
                             "im^1^1^0^0^1^1", "rp^2^2^Changed", "sw^Sub^10^5^20^6", "to^11^6^8^l^Sub^^2", "dr",
                             "test^1", "test^0", "sv^0", "pd^0", "plain text"})
        window.Process(QString::fromLatin1(unit));
    window.DrawEntities();
    test::ClearHostScreen(window);
    // From here on the pictures are empty: drawing has its own tests and
    // fuzzing, and every new font size it met would stay cached.
    window.Work = QImage();
    window.MainPic->Image() = QImage();
    window.lvMainPic->Image() = QImage();
    // Boxes the host text asks for are answered at once instead of waiting.
    Dialogs::SetAnswerer([](const Dialogs::Request& request) -> QVariant {
        return request.kind == Dialogs::Request::MessageBox ? QVariant(Dialogs::OK) : QVariant(QString());
    });
    // The trace runs its formatting; its file cannot be written and is skipped.
    Trace().On = true;
    Trace().Folder = QStringLiteral("/nonexistent/zor-fuzz-trace");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fConnection& window = fConnection::instance();
    if (size == 0)
        return 0;
    // The first byte picks the modes, the rest is the host's text, cut at
    // ESC and line ends as the receive pipeline cuts it.
    ReportMode = data[0] & 1;
    ProcMode = data[0] & 2;
    ComMode = data[0] & 4;
    Connected = !(data[0] & 8);
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QChar(27) && text[end] != QChar(10))
            ++end;
        window.Process(text.mid(start, end - start));
        if (EntityCount < -1 || EntityCount > EntitySlots || ImageCount < 0 || ImageCount > HostPictureSlots ||
            window.Buffer.size() > static_cast<size_t>(MaxBufferSlots))
            std::abort();
        start = end + 1;
    }
    test::ClearHostScreen(window);
    return 0;
}
