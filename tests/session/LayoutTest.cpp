#include "core/Colors.h"
#include "core/EntityDrawing.h"
#include "core/Twips.h"
#include "session/fConnection.h"
#include "tests/support/ScreenStateScope.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <functional>
#include <gtest/gtest.h>

using namespace zor;

namespace {

class Layout : public ::testing::Test {
protected:
    void SetUp() override
    {
        SubWindowRect = {0, 0, 0, 0};
        ShadowOn = VbTrue;
        EntityCount = 0;
        w.show();
        SizeMainPic(810, 500);
    }
    void TearDown() override
    {
        for (QWidget* panel : shown)
            panel->hide();
        for (QWidget* tagged : tagged_)
            tagged->setProperty("Tag", QVariant());
        w.hide();
    }
    // Gives the window the size at which its main picture is width x height.
    void SizeMainPic(int width, int height)
    {
        w.resize(width, 600);
        QApplication::processEvents();
        const int chrome = w.height() - w.MainPic->height();
        w.resize(width, height + chrome);
        QApplication::processEvents();
        ASSERT_EQ(w.MainPic->size(), QSize(width, height));
    }
    void Show(QWidget* panel)
    {
        panel->show();
        shown.push_back(panel);
    }
    void Tag(QWidget* widget, const char* tag)
    {
        widget->setProperty("Tag", QString::fromLatin1(tag));
        tagged_.push_back(widget);
    }

    test::ScreenStateScope state;
    fConnection& w = fConnection::instance();
    std::vector<QWidget*> shown;
    std::vector<QWidget*> tagged_;
};

TEST_F(Layout, CellsAndSurfacesFollowTheMainPicture)
{
    EXPECT_EQ(CellWidth, Currency::fromDouble(10));
    EXPECT_EQ(CellHeight, Currency::fromDouble(20));
    EXPECT_EQ(w.MainPic->y(), w.Toolbar->height());
    for (const QImage* surface : {&w.Work, &w.BackDrop, &w.Buffer[0], &w.Buffer[1], &w.MainPic->Image()})
        EXPECT_EQ(surface->size(), QSize(810, 500));
    EXPECT_EQ(w.Console->geometry(), w.MainPic->geometry());
    EXPECT_EQ(w.ConsoleText->size(), w.Console->size());
    EXPECT_EQ(w.HelpBar->y(), w.MainPic->y() + 500);
    EXPECT_EQ(w.HelpBar->width(), 810);
    EXPECT_EQ(w.lWorking->geometry().bottomRight(), QPoint(810 - 6, 500 - 6));

    // Cells are a single-precision quotient kept to four decimals.
    SizeMainPic(800, 480);
    EXPECT_EQ(CellWidth, Currency::fromRaw(98765));
    EXPECT_EQ(CellHeight, Currency::fromDouble(19.2));
}

TEST_F(Layout, TheScreenShowsEveryChangeAtOnceAsAFreshDrawWould)
{
    EntityAttr& field = EntityAttrs[KindField];
    field.FillBackground = VbTrue;
    field.BackColor = RGBLong(0, 0, 200);
    field.TextShadow = VbTrue;
    field.FontScale = Currency::fromDouble(1);
    for (int i = 0; i < 40; ++i) {
        Entities[static_cast<size_t>(i)] =
            test::MakeEntity(KindField, (i * 7) % 70, (i * 3) % 24, 4 + i % 9, 1, QStringLiteral("Item %1").arg(i));
        Entities[static_cast<size_t>(i)].FontAdjust = static_cast<quint8>((i * 37) % 200);
    }
    EntityCount = 40;

    // The window's screen against the same entities drawn afresh, from the
    // font the window's redraw started with.
    const auto expectFresh = [this](const QFont& startFont, const char* what) {
        QImage work = MakeSurfaceImage(w.Work.size(), Qt::white);
        QFont font = startFont;
        QImage target = MakeSurfaceImage(w.MainPic->size(), Qt::white);
        QImage sub = w.lvMainPic->Image().copy();
        QFont subFont = w.lvMainPic->DrawFont;
        DrawEntities({.BackDrop = w.BackDrop,
                      .Work = {work, font},
                      .Target = target,
                      .SubWindow = {sub, subFont},
                      .SubWindowShown = false,
                      .SubWindowCaptionHeight = w.GuiWindowCap->height(),
                      .Pictures = w.Pictures()});
        EXPECT_EQ(w.MainPic->Image(), target) << what;
    };
    struct Step {
        const char* what;
        std::function<void()> change;
    };
    const Step steps[] = {
        {"a caption and its colour",
         [] {
             Entities[5].SetCaption(QStringLiteral("Changed"));
             Entities[5].Active = VbFalse;
         }},
        {"a new entity", [] { Entities[EntityCount++] = test::MakeEntity(KindField, 30, 10, 8, 2, "New"); }},
        {"a larger size", [] { Entities[9].FontAdjust = 255; }},
        {"an entity drawn alone first",
         [this] {
             Entities[12].SetCaption(QStringLiteral("Alone"));
             DrawEntity(w.MainPic->Surface(), Entities[12], EntityAttrs[KindField], w.Pictures());
         }},
    };
    for (const Step& step : steps) {
        w.DrawEntities();
        step.change();
        const QFont startFont = w.WorkFont;
        w.DrawEntities();
        expectFresh(startFont, step.what);
    }
    const QFont startFont = w.WorkFont;
    SizeMainPic(700, 450);
    expectFresh(startFont, "a resize");
}

TEST_F(Layout, SubWindowAndItsShadowSitOnTheirCells)
{
    // Where "sw" put it: the column times the cell width, the caption bar
    // one cell high.
    SubWindowRect = {10, 5, 20, 6};
    SizeMainPic(810, 500);
    w.Form_Resize();
    EXPECT_EQ(w.lvMainPic->geometry(), QRect(100, 100, 240, 120));
    EXPECT_EQ(w.Shadow->geometry(), QRect(110, 120, 240, 120));
    EXPECT_EQ(w.GuiWindowCap->size(), QSize(240, 20));
    SizeMainPic(810, 400);
    EXPECT_EQ(w.lvMainPic->geometry(), QRect(100, 80, 236, 96));
    EXPECT_EQ(w.GuiWindowCap->size(), QSize(236, 16));

    ShadowOn = VbFalse;
    SubWindowRect = {2, 1, 20, 6};
    w.Form_Resize();
    EXPECT_EQ(w.lvMainPic->pos(), QPoint(20, 16));
    EXPECT_EQ(w.Shadow->pos(), QPoint(110, 96));
}

TEST_F(Layout, SurfacesSizedInCellsStayWithinTheMainPicture)
{
    SubWindowRect = {1, 1, 1500, 1500};
    Tag(w.INText, "0^0^1000000");
    Show(w.INTextPic);
    Tag(w.lvINText, "2^2^1000000");
    Show(w.lvINTextPic);
    w.Form_Resize();
    const QSize most = w.MainPic->size();
    for (PictureBox* surface : {w.lvMainPic, w.Shadow, w.INTextPic, w.lvINTextPic}) {
        EXPECT_LE(surface->width(), most.width()) << surface->objectName().toStdString();
        EXPECT_LE(surface->height(), most.height()) << surface->objectName().toStdString();
        EXPECT_EQ(surface->Image().size(), surface->size()) << surface->objectName().toStdString();
    }
    EXPECT_EQ(w.INText->size(), w.INTextPic->size());
    EXPECT_EQ(w.INTextPic->pos(), QPoint(0, 0));
}

TEST_F(Layout, OpenInputBoxesAndItemListsArePlacedFromTheirTags)
{
    Tag(w.INText, "5^3^10");
    Show(w.INTextPic);
    // Read as the command read it: "10,2" is 10 cells, not a number that fails.
    Tag(w.lvINText, "5^3^10,2");
    Show(w.lvINTextPic);
    Tag(w.ILList[4], "10^5^19^4");
    Show(w.ILList[4]);
    Tag(w.ILList[5], "1^1^1^1");
    SubWindowRect = {2, 1, 20, 6};
    const QRect hiddenList = w.ILList[5]->geometry();
    w.Form_Resize();

    EXPECT_EQ(w.INTextPic->geometry(), QRect(50, 60, 110, 20));
    EXPECT_EQ(w.INText->geometry(), QRect(0, 0, 110, 20));
    EXPECT_DOUBLE_EQ(w.INText->font().pointSizeF(), 10);
    EXPECT_EQ(w.lvINTextPic->geometry(), QRect(30, 60, 110, 20));
    EXPECT_EQ(w.ILList[4]->geometry(), QRect(100, 100, 200, 100));
    EXPECT_DOUBLE_EQ(w.ILList[4]->font().pointSizeF(), 10);
    EXPECT_EQ(w.ILList[5]->geometry(), hiddenList);
}

TEST_F(Layout, MultiValueEditorsMoveEvenWhileHiddenAndKeepTheirSize)
{
    Tag(w.MVPic, "10^5");
    Tag(w.lvMVPic, "10^5");
    SubWindowRect = {5, 3, 20, 6};
    const QSize size = w.MVPic->size();
    w.Form_Resize();
    EXPECT_EQ(w.MVPic->pos(), QPoint(100, 100));
    EXPECT_EQ(w.MVPic->size(), size);
    EXPECT_EQ(w.lvMVPic->pos(), QPoint(50, 60));

    // A tag that is no number counts as 0.
    Tag(w.MVPic, "x^");
    w.Form_Resize();
    EXPECT_EQ(w.MVPic->pos(), QPoint(0, 0));
}

TEST_F(Layout, ProcedureTextLeavesRoomForVisibleButtons)
{
    w.Form_Resize();
    EXPECT_EQ(w.ProcPic->geometry(), QRect(30, 30, 750, 440));
    EXPECT_EQ(w.ProcText->geometry(), QRect(5, 5, 740, 375));
    EXPECT_EQ(w.ProcButt[15]->x(), 750 - w.ProcButt[15]->width() - 10);
    EXPECT_EQ(w.fProcInput->y(), 440 - 35);
    EXPECT_EQ(w.fProcInput->width(), 740);
    EXPECT_EQ(w.lblProcLabel->y(), 440 - 55);

    Show(w.ProcButt[3]);
    w.ResizeProc();
    EXPECT_EQ(w.ProcText->width(), 650);
}

TEST_F(Layout, OpenCentredPanelsAreCentredAgain)
{
    Show(w.ListPic);
    Show(w.HelpPicContainer);
    w.ListPic->move(0, 0);
    w.HelpPicContainer->move(0, 0);
    w.MsgPic->move(0, 0);
    w.Form_Resize();
    EXPECT_EQ(w.ListPic->geometry().center(), QRect(0, 0, 810, 500).center());
    EXPECT_EQ(w.HelpPicContainer->geometry().center(), QRect(0, 0, 810, 500).center());
    EXPECT_EQ(w.MsgPic->pos(), QPoint(0, 0));
}

TEST_F(Layout, HeightSnapsBackToTheMinimumAndMinimisingChangesNothing)
{
    w.resize(640, 200);
    QApplication::processEvents();
    EXPECT_EQ(w.frameGeometry().height(), TwipsToPixels(5100));

    CellWidth = Currency::fromDouble(3);
    w.setWindowState(Qt::WindowMinimized);
    w.Form_Resize();
    EXPECT_EQ(CellWidth, Currency::fromDouble(3));
    w.setWindowState(Qt::WindowNoState);
}

} // namespace
