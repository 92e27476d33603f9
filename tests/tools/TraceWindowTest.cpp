#include "core/SharedState.h"
#include "core/Trace.h"
#include "session/fConnection.h"
#include "settings/Properties.h"
#include "settings/fPropLock.h"
#include "tests/support/TestSupport.h"
#include "tools/Debugger.h"
#include "tools/FolderList.h"
#include "tools/TraceLines.h"
#include "tools/TraceLocation.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zor;

namespace {

QString Row(int row)
{
    return Debugger::instance().Lines->index(row).data().toString();
}

QString PdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromLatin1(p.readAllStandardOutput());
}

int PdfPages(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished();
    for (const QString& line : QString::fromLatin1(p.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

} // namespace

// The trace windows opened with Alt+T, with the home folder (where the trace
// starts) a folder of the test's own.
class TraceWindowTest : public ::testing::Test {
protected:
    fConnection& session = fConnection::instance();
    Debugger& debugger = Debugger::instance();
    TraceLocation& location = TraceLocation::instance();
    test::ProgramFolderScope home;
    QByteArray previousHome = qgetenv("HOME");

    void SetUp() override
    {
        qputenv("HOME", home.path().toLocal8Bit());
        Properties::instance().PropCheck[12]->setChecked(false);
        session.show();
        QApplication::setActiveWindow(&session);
        QTest::keyClick(&session, Qt::Key_T, Qt::AltModifier);
        ASSERT_TRUE(debugger.isVisible());
    }
    void TearDown() override
    {
        debugger.close();
        location.hide();
        qputenv("HOME", previousHome);
    }
    QString HomeFile() const { return QDir::cleanPath(home.path()) + QLatin1Char('/') + TraceFileName; }
};

TEST_F(TraceWindowTest, AltTOpensBothAndTracesToListAndHomeFileUntilEsc)
{
    EXPECT_TRUE(location.isVisible());
    EXPECT_EQ(location.windowTitle(), QStringLiteral("Trace File Location"));
    EXPECT_EQ(debugger.windowTitle(), QStringLiteral("Velmora Trace"));
    EXPECT_TRUE(TraceOn());
    EXPECT_EQ(location.TraceDir->path(), QDir::cleanPath(home.path()));

    WriteTrace(QStringLiteral("Process"), QStringLiteral("cs"));
    WriteTrace(QStringLiteral("SEND"), QStringLiteral("abc"));
    QTRY_COMPARE(debugger.Lines->rowCount(), 2);
    EXPECT_EQ(Row(0), QStringLiteral("[Process]cs"));
    EXPECT_EQ(Row(1), QStringLiteral("[SEND]abc"));
    QTRY_COMPARE(debugger.List1->currentIndex().row(), 1); // the newest is selected
    EXPECT_EQ(home.read(TraceFileName), QByteArray("[Process]cs\r\n[SEND]abc\r\n"));

    QTest::keyClick(debugger.List1, Qt::Key_Escape);
    EXPECT_FALSE(debugger.isVisible());
    EXPECT_FALSE(TraceOn());
    EXPECT_EQ(debugger.Lines->rowCount(), 0);
    EXPECT_TRUE(Trace().Lines.empty());
    WriteTrace(QStringLiteral("Process"), QStringLiteral("dr"));
    QApplication::processEvents();
    EXPECT_EQ(debugger.Lines->rowCount(), 0);
    EXPECT_EQ(home.read(TraceFileName), QByteArray("[Process]cs\r\n[SEND]abc\r\n"));

    // Closing by the frame ends the trace the same way.
    QTest::keyClick(&session, Qt::Key_T, Qt::AltModifier);
    WriteTrace(QStringLiteral("t"), QStringLiteral("x"));
    debugger.close();
    EXPECT_FALSE(TraceOn());
    EXPECT_EQ(debugger.Lines->rowCount(), 0);
}

TEST_F(TraceWindowTest, TheListKeepsInStepWithTheCappedTrace)
{
    const qint16 cap = TraceMaxLines;
    TraceMaxLines = 3;
    // Lines that came and went between two turns of the event loop, and
    // lines dropped one at a time.
    for (int i = 1; i <= 8; ++i)
        WriteTrace(QStringLiteral("t"), QString::number(i));
    debugger.Lines->Update();
    EXPECT_EQ(debugger.Lines->rowCount(), 3);
    EXPECT_EQ(Row(0), QStringLiteral("[t]6"));
    for (int i = 9; i <= 10; ++i) {
        WriteTrace(QStringLiteral("t"), QString::number(i));
        debugger.Lines->Update();
    }
    TraceMaxLines = cap;
    ASSERT_EQ(debugger.Lines->rowCount(), 3);
    EXPECT_EQ(Row(0), QStringLiteral("[t]8"));
    EXPECT_EQ(Row(2), QStringLiteral("[t]10"));
    QTRY_COMPARE(debugger.List1->currentIndex().row(), 2);
}

TEST_F(TraceWindowTest, TheFolderChosenStaysAfterCancelOrTheFrameUntilAltTAgain)
{
    QDir(home.path()).mkpath(QStringLiteral("traces"));
    location.TraceDir->setPath(home.path());
    // By its path: a line's text only ends with the name, as a folder above
    // it might too.
    const QModelIndexList sub =
        location.TraceDir->model()->match(location.TraceDir->model()->index(0, 0), Qt::UserRole,
                                          QDir::cleanPath(home.file(QStringLiteral("traces"))), 1, Qt::MatchExactly);
    ASSERT_EQ(sub.size(), 1);
    location.TraceDir->setCurrentIndex(sub.front());
    location.CancelButton->click();
    EXPECT_FALSE(location.isVisible());
    WriteTrace(QStringLiteral("t"), QStringLiteral("one"));
    EXPECT_EQ(home.read(QStringLiteral("traces/") + TraceFileName), QByteArray("[t]one\r\n"));

    location.show();
    location.close();
    EXPECT_FALSE(location.isVisible());
    EXPECT_EQ(location.TraceDir->path(), QDir::cleanPath(home.file(QStringLiteral("traces"))));

    QTest::keyClick(&session, Qt::Key_T, Qt::AltModifier);
    EXPECT_TRUE(location.isVisible());
    WriteTrace(QStringLiteral("t"), QStringLiteral("two"));
    EXPECT_EQ(home.read(TraceFileName), QByteArray("[t]two\r\n"));
}

TEST_F(TraceWindowTest, ALineWiderThanTheListScrollsSidewaysAfterAResize)
{
    debugger.resize(400, 300);
    WriteTrace(QStringLiteral("t"), QStringLiteral("short"));
    debugger.resize(410, 300);
    QApplication::processEvents();
    EXPECT_EQ(debugger.List1->horizontalScrollBar()->maximum(), 0);

    WriteTrace(QStringLiteral("t"), QString(300, QLatin1Char('w')));
    debugger.resize(420, 300);
    QTRY_VERIFY(debugger.List1->horizontalScrollBar()->maximum() > 0);
    EXPECT_EQ(debugger.List1->width(), debugger.frameGeometry().width() - 17);
}

TEST_F(TraceWindowTest, AMebibyteLineIsCutInTheListAndKeptWholeInTheFile)
{
    const QString unit(1 << 20, QLatin1Char('u'));
    WriteTrace(QStringLiteral("Process"), unit);
    debugger.resize(500, 300);
    QTRY_COMPARE(debugger.Lines->rowCount(), 1);
    const QString shown = Row(0);
    EXPECT_EQ(shown, QStringLiteral("[Process]") + unit.left(1024 - 9) +
                         QStringLiteral(" ... (%1 more characters in the trace file)").arg((1 << 20) + 9 - 1024));
    EXPECT_EQ(Trace().Lines.back(), shown);
    EXPECT_EQ(home.read(TraceFileName), "[Process]" + unit.toLatin1() + "\r\n");
}

TEST_F(TraceWindowTest, PrintsEveryLineOnPagesItBreaksAndNothingWhenEmptyOrCancelled)
{
    test::DialogScript dialogs;
    const QString pdf = home.file(QStringLiteral("trace.pdf"));
    debugger.Command1->click();
    EXPECT_TRUE(dialogs.asked.isEmpty()); // nothing to print: no dialog

    WriteTrace(QStringLiteral("t"), QStringLiteral("first"));
    debugger.Command1->click(); // the dialog cancelled
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].kind, Dialogs::Request::Printer);
    EXPECT_FALSE(QFile::exists(pdf));

    for (int i = 2; i <= 200; ++i)
        WriteTrace(QStringLiteral("t"), QStringLiteral("line %1 end").arg(i));
    dialogs.answer(pdf);
    debugger.Command1->click();
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_GT(PdfPages(pdf), 1);
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("[t]first")));
    for (int i = 2; i <= 200; ++i)
        EXPECT_TRUE(text.contains(QStringLiteral("[t]line %1 end").arg(i))) << i;
    EXPECT_EQ(dialogs.asked.size(), 2);
}

TEST_F(TraceWindowTest, APrinterThatCannotStartIsReported)
{
    test::DialogScript dialogs;
    WriteTrace(QStringLiteral("t"), QStringLiteral("x"));
    dialogs.answer(home.file(QStringLiteral("no/such/folder/trace.pdf")));
    debugger.Command1->click();
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked[1].kind, Dialogs::Request::MessageBox);
    EXPECT_EQ(dialogs.asked[1].title, QStringLiteral("Printer Error"));
    EXPECT_EQ(dialogs.asked[1].style, Dialogs::Critical);
}

TEST_F(TraceWindowTest, WithTheLockOnAnEmptyPasswordOpensNothing)
{
    debugger.close();
    location.hide();
    Properties& settings = Properties::instance();
    settings.PropCheck[12]->setChecked(true);
    settings.PropText[2]->setText(QStringLiteral("secret"));
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [] {
        if (auto* prompt = qobject_cast<fPropLock*>(QApplication::activeModalWidget()))
            prompt->Command2->click();
    });
    cancel.start(5);
    QTest::keyClick(&session, Qt::Key_T, Qt::AltModifier);
    settings.PropCheck[12]->setChecked(false);
    settings.PropText[2]->clear();
    EXPECT_FALSE(debugger.isVisible());
    EXPECT_FALSE(location.isVisible());
    EXPECT_FALSE(TraceOn());
}
