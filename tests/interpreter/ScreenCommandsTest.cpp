#include "interpreter/Interpreter.h"
#include "tests/interpreter/ProcessFixture.h"
#include "tests/support/SettledMemory.h"

#include <QLabel>
#include <QMenu>
#include <QPainter>

using namespace zor;
using zor::test::ProcessTest;

TEST_F(ProcessTest, ClearScreenStartsANewScreen)
{
    Connected = true;
    Run({QStringLiteral("sw^Orders^10^5^20^6"), QStringLiteral("to^5^3^10^l^Sub"), QStringLiteral("im^1^1^0^0^1^1")});
    window.ILList[3]->addItem(QStringLiteral("line"));
    window.ILList[3]->show();
    window.INTextPic->show();
    window.MVPic->show();
    window.SystemFunctionsMenu->addAction(QStringLiteral("Reprint"));
    window.HelpBar->setText(QStringLiteral("help"));
    InputPending = true;
    ItemListUp = true;
    bool clearingWhileListsEmptied = false;
    const QMetaObject::Connection watch =
        QObject::connect(window.ILList[3]->model(), &QAbstractItemModel::modelAboutToBeReset,
                         [&] { clearingWhileListsEmptied = ClearingScreen; });
    ScreenChanged = false;

    Run({QStringLiteral("cs")});
    QObject::disconnect(watch);
    EXPECT_TRUE(clearingWhileListsEmptied);
    EXPECT_FALSE(ClearingScreen);
    EXPECT_EQ(History(), QStringList{QStringLiteral("cs")});
    EXPECT_EQ(EntityCount, -1);
    EXPECT_EQ(ImageCount, 0);
    EXPECT_TRUE(ScreenChanged);
    EXPECT_FALSE(InputPending);
    EXPECT_FALSE(ItemListUp);
    EXPECT_EQ(window.ILList[3]->count(), 0);
    EXPECT_TRUE(window.ILList[3]->isHidden());
    EXPECT_TRUE(window.INTextPic->isHidden());
    EXPECT_TRUE(window.MVPic->isHidden());
    EXPECT_TRUE(window.SystemFunctionsMenu->actions().isEmpty());
    EXPECT_TRUE(window.HelpBar->text().isEmpty());
    for (int slot : {0, 1, EntitySlots - 1}) {
        EXPECT_EQ(Slot(slot).EntityType, KindNothing);
        EXPECT_EQ(Slot(slot).X, -1);
        EXPECT_EQ(Slot(slot).Active, VbTrue);
    }
    // Captions stay; the sub-window and its level stay until "lv^-1".
    EXPECT_EQ(CaptionOf(0), QStringLiteral("Sub"));
    EXPECT_FALSE(window.lvMainPic->isHidden());
    EXPECT_EQ(CurPage, 1);

    Run({QStringLiteral("to^5^3^10^l^Next")});
    EXPECT_EQ(EntityCount, 1);
    EXPECT_EQ(CaptionOf(0), QStringLiteral("Next"));
}

TEST_F(ProcessTest, RedrawShowsTheOpenInputBoxOfTheLevel)
{
    Run({QStringLiteral("dr")});
    EXPECT_TRUE(window.INTextPic->isHidden());
    InputPending = true;
    Run({QStringLiteral("dr")});
    EXPECT_FALSE(window.INTextPic->isHidden());
    window.INTextPic->hide();
    CurPage = 1;
    Run({QStringLiteral("dr")});
    EXPECT_TRUE(window.INTextPic->isHidden());
    EXPECT_FALSE(window.lvINTextPic->isHidden());
    EXPECT_EQ(History().size(), 3);
    window.lvINTextPic->hide();
}

TEST_F(ProcessTest, LevelsAndTheSubWindow)
{
    Run({QStringLiteral("sw^Orders^10^5^20^6")});
    EXPECT_TRUE(History().isEmpty());
    EXPECT_TRUE(window.lvMainPic->isHidden());
    EXPECT_EQ(CurPage, 0);

    Connected = true;
    Run({QStringLiteral("sw^Orders^10^5^20^6")});
    EXPECT_EQ(CurPage, 1);
    EXPECT_EQ(SubWindowRect, (std::array<qint16, 4>{10, 6, 20, 6}));
    EXPECT_FALSE(window.lvMainPic->isHidden());
    // 22 columns and one cell height wide; the shadow one cell off.
    EXPECT_EQ(window.lvMainPic->geometry(), QRect(100, 120, 240, 120));
    EXPECT_EQ(window.Shadow->geometry(), QRect(110, 140, 240, 120));
    EXPECT_FALSE(window.Shadow->isHidden());
    EXPECT_EQ(window.GuiWindowCap->text(), QStringLiteral("Orders"));
    EXPECT_EQ(window.GuiWindowCap->size(), QSize(240, 20));

    Run({QStringLiteral("lv^2")});
    EXPECT_EQ(CurPage, 2);
    Run({QStringLiteral("lv^-1")});
    EXPECT_EQ(CurPage, 0);
    EXPECT_TRUE(window.lvMainPic->isHidden());
    EXPECT_TRUE(window.Shadow->isHidden());
    EXPECT_EQ(History().size(), 3);
}

TEST_F(ProcessTest, TheHistoryIsBoundedAndUnitsBeyondItStillRun)
{
    Trace().On = false;
    const QString large(1 << 20, QLatin1Char('x'));
    const double before = test::SettledResidentMb();
    for (int i = 0; i < 300; ++i)
        window.Process(QStringLiteral("lv^%1^").arg(i % 2) + large);
    EXPECT_LT(test::SettledResidentMb() - before, 100);
    qsizetype kept = 0;
    for (const QString& entry : History())
        kept += entry.size();
    EXPECT_LE(kept, Interpreter::MaxHistoryChars);
    EXPECT_GT(kept, Interpreter::MaxHistoryChars - (2 << 20));

    Trace().On = true;
    const qsizetype entries = History().size();
    Run({QStringLiteral("lv^2^") + large});
    EXPECT_EQ(CurPage, 2);
    EXPECT_EQ(History().size(), entries);
    EXPECT_TRUE(TraceLines().last().contains(QStringLiteral("Not kept in the history")));

    // The next screen's history starts empty, however the last one ended.
    Run({"cs", "lv^0"});
    EXPECT_EQ(History(), (QStringList{"cs", "lv^0"}));
    window.stack.clear();
    Run({"lv^0"});
    EXPECT_EQ(History(), QStringList{"lv^0"});
}

TEST_F(ProcessTest, SurfacesTheHostSizesStayWithinTheMainPicture)
{
    Connected = true;
    const double before = test::SettledResidentMb();
    // Each would be hundreds of megabytes at its size in cells.
    Run({QStringLiteral("in^0^0^200000"), QStringLiteral("sw^Big^1^1^1000^300"), QStringLiteral("in^2^3^200000")});
    EXPECT_LT(test::SettledResidentMb() - before, 64);
    const QSize most = window.MainPic->size();
    for (PictureBox* surface : {window.lvMainPic, window.Shadow, window.INTextPic, window.lvINTextPic}) {
        EXPECT_EQ(surface->size(), surface->size().boundedTo(most)) << surface->objectName().toStdString();
        EXPECT_EQ(surface->Image().size(), surface->size()) << surface->objectName().toStdString();
    }
    EXPECT_EQ(window.lvMainPic->pos(), QPoint(10, 40));
    EXPECT_EQ(window.lvINText->size(), window.lvINTextPic->size());
    Run({QStringLiteral("lv^-1")});
}

TEST_F(ProcessTest, SubWindowCaptionFallsBackToTheFirstEntity)
{
    Connected = true;
    Run({QStringLiteral("sw^ ^1^1^10^5")});
    EXPECT_EQ(window.GuiWindowCap->text(), QStringLiteral("ZOR Suite"));
    Run({QStringLiteral("lv^-1"), QStringLiteral("to^5^3^10^l^  Stock  "), QStringLiteral("sw^^1^1^10^5")});
    EXPECT_EQ(window.GuiWindowCap->text(), QStringLiteral("Stock"));
}

TEST_F(ProcessTest, SavedScreensComeBackIntoTheWorkPicture)
{
    const QSize size = window.MainPic->size();
    ASSERT_FALSE(size.isEmpty());
    window.Work = QImage(size, QImage::Format_RGB32);
    window.Work.fill(Qt::blue);
    Run({QStringLiteral("sv^0"), QStringLiteral("sv^5")});
    window.Work.fill(Qt::white);
    Run({QStringLiteral("pd^5")});
    EXPECT_EQ(window.Work.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(window.Work.pixelColor(size.width() - 1, size.height() - 1), QColor(Qt::blue));

    // A buffer never saved copies nothing and still counts; one beyond what
    // the program makes is refused.
    window.Work.fill(Qt::white);
    Run({QStringLiteral("pd^9"), QStringLiteral("pd^15"), QStringLiteral("sv^16"), QStringLiteral("sv^-1"),
         QStringLiteral("sv^99999")});
    EXPECT_EQ(window.Work.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(History(), (QStringList{QStringLiteral("sv^0"), QStringLiteral("sv^5"), QStringLiteral("pd^5"),
                                      QStringLiteral("pd^9"), QStringLiteral("pd^15")}));
    EXPECT_LE(window.Buffer.size(), static_cast<size_t>(MaxBufferSlots));
}

TEST_F(ProcessTest, TestModeSwitch)
{
    struct Case {
        const char* unit;
        qint16 mode;
    };
    const Case cases[] = {{"test^1", VbTrue}, {"test^0", 0}, {"test^-2", VbTrue}, {"test^abc", 0}, {"test^", 0}};
    for (const Case& c : cases) {
        TestMode = c.mode == 0 ? VbTrue : 0;
        window.Process(QString::fromLatin1(c.unit));
        EXPECT_EQ(TestMode, c.mode) << c.unit;
    }
    EXPECT_TRUE(History().isEmpty());
}
