#include "core/WindowUtils.h"
#include "core/LogPane.h"
#include "core/SharedState.h"
#include "session/fConnection.h"
#include "session/fDisconnect.h"
#include "settings/fPropLock.h"
#include "tests/support/QtPrinters.h"
#include "tools/fHelpAbout.h"
#include "tools/fPrintType.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <gtest/gtest.h>

using namespace zor;

TEST(AccessKeys, AssignsTheFirstUnusedCharacter)
{
    AssignAccessKey(QString());
    EXPECT_EQ(AssignAccessKey(QStringLiteral("Cancel")), QStringLiteral("&Cancel"));
    EXPECT_EQ(AssignAccessKey(QStringLiteral("Close")), QStringLiteral("C&lose"));
    EXPECT_EQ(AssignAccessKey(QStringLiteral("Clear")), QStringLiteral("Cl&ear"));
    EXPECT_EQ(AssignAccessKey(QStringLiteral("OK")), QStringLiteral("&OK"));
    // The four slots are full: the mark still goes before the first unused
    // character, but nothing more is recorded.
    EXPECT_EQ(AssignAccessKey(QStringLiteral("Yes")), QStringLiteral("&Yes"));
    EXPECT_EQ(AssignAccessKey(QStringLiteral("Yes")), QStringLiteral("&Yes"));
    EXPECT_EQ(AssignAccessKey(QStringLiteral("CLOE")), QStringLiteral("CLOE"));
    EXPECT_EQ(AssignAccessKey(QString()), QString());
    EXPECT_EQ(AssignAccessKey(QStringLiteral("Close")), QStringLiteral("&Close"));
}

TEST(AccessKeys, ABlankNeverGetsTheMarkWhileASlotIsFree)
{
    AssignAccessKey(QString());
    EXPECT_EQ(AssignAccessKey(QStringLiteral(" a")), QStringLiteral(" &a"));
    AssignAccessKey(QString());
}

TEST(Panes, ConsoleIsCutAt50001CharactersToTheLast45000)
{
    LogPane console;
    console.setPlainText(QString(50000, QLatin1Char('x')));
    AppendConsole(console, QStringLiteral("a"));
    EXPECT_EQ(console.Text(), QString(50000, QLatin1Char('x')) + QStringLiteral("a\n"));

    console.setPlainText(QString(49999, QLatin1Char('y')) + QLatin1Char('z') + QLatin1Char('w'));
    AppendConsole(console, QStringLiteral("b"));
    const QString text = console.Text();
    EXPECT_EQ(text.size(), 45000 + 2);
    EXPECT_TRUE(text.startsWith(QStringLiteral("yyy")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("zwb\n")));
    // A log pane keeps no undo history that would grow all day.
    EXPECT_FALSE(console.document()->isUndoAvailable());
}

TEST(Panes, ProcTextAppendsAsItIsAndEmptyClears)
{
    LogPane proc;
    AppendProcText(proc, QStringLiteral("ab"));
    AppendProcText(proc, QStringLiteral("cd"));
    EXPECT_EQ(proc.Text(), QStringLiteral("abcd"));
    proc.setPlainText(QString(50001, QLatin1Char('p')));
    AppendProcText(proc, QStringLiteral("q"));
    EXPECT_EQ(proc.Text().size(), 45001);
    AppendProcText(proc, QString());
    EXPECT_TRUE(proc.Text().isEmpty());
}

TEST(Panes, AHiddenPaneHoldsItsLinesUnderTheSameCapAndShowsThemWhenShown)
{
    LogPane console;
    for (int i = 0; i < 10000; ++i)
        AppendConsole(console, QStringLiteral("line %1").arg(i, 5, 10, QLatin1Char('0')));
    EXPECT_TRUE(console.toPlainText().isEmpty()); // nothing laid out while hidden
    EXPECT_LE(console.Length(), PaneMaxChars + 12);
    console.show();
    const QString shown = console.toPlainText();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("line 09999\n")));
    EXPECT_GE(shown.size(), PaneKeptChars);
    AppendConsole(console, QStringLiteral("live"));
    EXPECT_TRUE(console.toPlainText().endsWith(QStringLiteral("line 09999\nlive\n")));
    EXPECT_EQ(console.Text(), shown + QStringLiteral("live\n"));
}

TEST(Panes, LineEndsCountAsTwoInTheCheckAndTheCutShownOrHidden)
{
    // One-character lines: three counted characters each.
    LogPane hidden;
    LogPane shown;
    shown.show();
    int cuts = 0;
    for (int i = 0; i < 40000; ++i) {
        const int before = shown.Length();
        AppendConsole(hidden, QStringLiteral("a"));
        AppendConsole(shown, QStringLiteral("a"));
        cuts += shown.Length() < before ? 1 : 0;
        ASSERT_LE(shown.Length(), PaneMaxChars + 3) << i;
        ASSERT_EQ(hidden.Length(), shown.Length()) << i;
    }
    // Each cut frees 5000 counted characters: a cut on every line is the
    // fault this guards against.
    EXPECT_LE(cuts, (40000 * 3 - PaneMaxChars) / (PaneMaxChars - PaneKeptChars) + 1);
    EXPECT_EQ(hidden.Text(), shown.Text());

    // Text with CR LF, as a procedure panel gets it, counts the same hidden
    // and shown.
    LogPane hiddenProc;
    LogPane shownProc;
    shownProc.show();
    for (int i = 0; i < 9000; ++i) {
        const QString chunk = i % 2 ? QStringLiteral("\nline\r") : QStringLiteral("ab\r\n");
        AppendProcText(hiddenProc, chunk);
        AppendProcText(shownProc, chunk);
    }
    EXPECT_EQ(hiddenProc.Length(), shownProc.Length());
    EXPECT_LE(shownProc.Length(), PaneMaxChars + 7);
    EXPECT_EQ(hiddenProc.Text(), shownProc.Text());
}

TEST(Panes, AMebibyteLineKeepsOnlyTheCapShownOrHidden)
{
    const QString line = QString(1 << 20, QLatin1Char('l')) + QStringLiteral("end");
    for (const bool shown : {true, false}) {
        LogPane console;
        LogPane proc;
        console.setVisible(shown);
        proc.setVisible(shown);
        AppendConsole(console, QStringLiteral("before"));
        AppendConsole(console, line);
        AppendProcText(proc, line);
        EXPECT_EQ(console.Length(), PaneKeptChars) << shown;
        EXPECT_EQ(console.Text(), line.right(PaneKeptChars - 2) + QStringLiteral("\n")) << shown;
        EXPECT_EQ(proc.Text(), line.right(PaneKeptChars)) << shown;
        AppendProcText(proc, QStringLiteral("next"));
        EXPECT_TRUE(proc.Text().endsWith(QStringLiteral("endnext"))) << shown;
    }
}

TEST(Panels, RaisedBorder)
{
    QImage surface(20, 10, QImage::Format_RGB32);
    DrawRaisedBorder(surface, QColor(192, 192, 192));
    EXPECT_EQ(surface.pixelColor(0, 0), QColor(255, 255, 255));
    EXPECT_EQ(surface.pixelColor(1, 5), QColor(255, 255, 255));
    EXPECT_EQ(surface.pixelColor(19, 5), QColor(128, 128, 128));
    EXPECT_EQ(surface.pixelColor(10, 9), QColor(128, 128, 128));
    EXPECT_EQ(surface.pixelColor(10, 5), QColor(192, 192, 192));
}

TEST(Caption, JoinsTitleAndStatus)
{
    QWidget window;
    SessionTitle = QStringLiteral("ZOR v1.0.0 [default.ntt]1");
    CommStatusText = QStringLiteral("Connected");
    UpdateMainCaption(window);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ZOR v1.0.0 [default.ntt]1 Connected"));
    SessionTitle.clear();
    CommStatusText.clear();
}

TEST(DialogPlacement, CentredOverTheWindowAndKeptWholeOnTheScreen)
{
    struct Case {
        const char* what;
        QRect window;
        QSize dialog;
        QRect screen;
        QPoint at;
    };
    const QRect screen(0, 0, 800, 600);
    const QSize dialog(200, 100);
    const Case cases[] = {
        {"over the window", {100, 100, 400, 300}, dialog, screen, {200, 200}},
        {"odd halves truncate", {0, 0, 401, 301}, dialog, screen, {100, 100}},
        {"window off the left and top", {-300, -250, 400, 300}, dialog, screen, {0, 0}},
        {"window off the right and bottom", {700, 550, 400, 300}, dialog, screen, {600, 500}},
        {"window minimised far away", {-32000, -32000, 160, 24}, dialog, screen, {0, 0}},
        {"dialog bigger than the screen", {100, 100, 400, 300}, {1000, 700}, screen, {0, 0}},
        {"second screen", {2200, -100, 400, 300}, dialog, {1280, 0, 1024, 768}, {2104, 0}},
        {"second screen, window on the first", {100, 100, 400, 300}, dialog, {1280, 0, 1024, 768}, {1280, 200}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CentredOnScreen(c.window, c.dialog, c.screen), c.at) << c.what;
}

TEST(DialogPlacement, DialogsComeBackOverTheSessionWindowAndOnTheScreenWhenActivated)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    fConnection& session = fConnection::instance();
    const QRect kept = session.geometry();
    QDialog plain;
    plain.setObjectName(QStringLiteral("plain"));
    plain.resize(300, 200);
    CenterOverWindowOnActivation(plain, session);
    fHelpAbout about(&session);
    fPropLock lock(&session);
    QDialog* dialogs[] = {&plain, &about, &fPrintType::instance(), &lock, &fDisconnect::instance()};
    const QPoint corners[] = {area.topLeft() + QPoint(10, 10), QPoint(area.right() - 50, area.bottom() - 50),
                              QPoint(-2000, -2000)};
    for (const QPoint corner : corners) {
        session.setGeometry(QRect(corner, QSize(600, 400)));
        for (QDialog* dialog : dialogs) {
            SCOPED_TRACE(dialog->objectName().toStdString());
            // Moved away by the user, then used again.
            dialog->move(area.topLeft());
            QEvent activate(QEvent::WindowActivate);
            QCoreApplication::sendEvent(dialog, &activate);
            EXPECT_TRUE(area.contains(dialog->frameGeometry())) << dialog->x() << "," << dialog->y();
            EXPECT_EQ(dialog->pos(), CentredOnScreen(session.frameGeometry(), dialog->frameGeometry().size(), area));
        }
    }
    session.setGeometry(kept);
}
