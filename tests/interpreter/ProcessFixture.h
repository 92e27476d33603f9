#pragma once

#include "core/SharedState.h"
#include "core/Text.h"
#include "core/Trace.h"
#include "session/fConnection.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TypedAnswerScope.h"

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <initializer_list>

namespace zor::test {

// Drives the session window's Process from a clean screen: shared state back
// to its start, the history and the console empty, the sub-window closed,
// the window shown, cells of 10 x 20 pixels and the trace on in a folder of its own.
class ProcessTest : public ::testing::Test {
protected:
    fConnection& window = fConnection::instance();

    void SetUp() override
    {
        if (!window.isVisible()) {
            window.resize(1000, 700);
            window.show();
            QApplication::processEvents();
        }
        Entities.fill(Entity{});
        EntityData.fill(QString());
        EntityCount = 0;
        CurPage = 0;
        SubWindowRect = {0, 0, 0, 0};
        ScreenChanged = false;
        ClearingScreen = false;
        ImageCount = 0;
        Connected = false;
        InputPending = false;
        ItemListUp = false;
        ReportMode = false;
        ProcMode = false;
        ComMode = false;
        TestMode = 0;
        ShadowOn = VbTrue;
        window.stack.clear();
        window.ConsoleText->ClearText();
        window.lvMainPic->hide();
        window.Shadow->hide();
        CellWidth = Currency::fromDouble(10);
        CellHeight = Currency::fromDouble(20);
        Trace().On = true;
        Trace().Folder = traceFolder.path();
        Trace().Lines.clear();
    }

    void TearDown() override
    {
        Trace().On = false;
        Trace().Lines.clear();
        Connected = false;
    }

    void Run(std::initializer_list<QString> units)
    {
        for (const QString& unit : units)
            window.Process(unit);
    }

    QStringList History() const { return window.stack; }

    QStringList TraceLines() const { return QStringList(Trace().Lines.begin(), Trace().Lines.end()); }

    static const Entity& Slot(int slot) { return Entities[static_cast<size_t>(slot)]; }
    static QString CaptionOf(int slot) { return Trim(Slot(slot).Caption); }

private:
    QTemporaryDir traceFolder;
};

// The same, connected to a host that records what is sent to it, with the
// typed-answer state from its start.
class ConnectedProcessTest : public ProcessTest {
protected:
    TypedAnswerScope typed;
    SentRecorder host;

    void SetUp() override
    {
        ProcessTest::SetUp();
        TypedAnswerScope::Reset();
        Connected = true;
    }
};

} // namespace zor::test
