#include "core/WindowUtils.h"
#include "tests/interpreter/ProcessFixture.h"
#include "tests/support/ScreenStateScope.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TypedAnswerScope.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace zor;

namespace {

const QString DefaultHeader = QStringLiteral("##### Description......................");

class ListCommands : public test::ProcessTest {
protected:
    test::TypedAnswerScope typed;
    test::DialogScript dialogs;

    void SetUp() override
    {
        ProcessTest::SetUp();
        window.ListPic->resize(400, 250);
        for (QListWidget* list : window.ILList) {
            list->clear();
            list->hide();
        }
    }
    void TearDown() override
    {
        Run({"cs"});
        ProcessTest::TearDown();
    }

    QListWidget& List(int n) const { return *window.ILList[static_cast<size_t>(n)]; }
};

} // namespace

TEST_F(ListCommands, ListIsBuiltThenShownFittedToItsHeader)
{
    Run({"ls^Customers^^10", "ld^x^A100 Smith", "ld^x^B200 Jones"});
    EXPECT_TRUE(window.ListPic->isHidden());
    Run({"le"});
    EXPECT_FALSE(window.ListPic->isHidden());
    EXPECT_EQ(window.LSForm->text(), QStringLiteral("Customers"));
    EXPECT_EQ(window.LSHeader->text(), DefaultHeader);
    EXPECT_EQ(ListHeader, DefaultHeader);
    EXPECT_EQ(ListItems(*window.LSList), QStringList({"A100 Smith", "B200 Jones"}));
    EXPECT_EQ(window.LSList->currentRow(), 0);
    EXPECT_FALSE(window.LSCmnd[2]->isEnabled());
    EXPECT_EQ(History(), QStringList({"ls^Customers^^10", "ld^x^A100 Smith", "ld^x^B200 Jones", "le"}));

    // No narrower than its four buttons of 75 and their gaps of 5.
    const int inner = std::max(window.LSHeader->width() + 30, 325);
    const int h = window.ListPic->height();
    EXPECT_EQ(window.ListPic->size(), QSize(inner, 220));
    EXPECT_EQ(window.LSForm->width(), inner);
    EXPECT_EQ(window.LSList->size(), QSize(inner - 5, h - 70));
    EXPECT_EQ(window.LSCmnd[0]->pos(), QPoint(inner - 80, h - 30));
    EXPECT_EQ(window.LSCmnd[1]->pos(), QPoint(inner - 160, h - 30));
    EXPECT_EQ(window.LSCmnd[3]->pos(), QPoint(inner - 240, h - 30));
    EXPECT_EQ(window.LSCmnd[2]->pos(), QPoint(5, h - 30));
    // The list ends above the buttons.
    EXPECT_LE(window.LSList->geometry().bottom(), h - 31);
    EXPECT_EQ(window.ListPic->pos(),
              QPoint(window.MainPic->width() / 2 - inner / 2, window.MainPic->height() / 2 - h / 2));

    // The same list again gives the same panel.
    const QRect shown = window.ListPic->geometry();
    Run({"ls^Customers^^10", "ld^x^A100 Smith", "ld^x^B200 Jones", "le"});
    EXPECT_EQ(window.ListPic->geometry(), shown);
}

TEST_F(ListCommands, PanelHoldsItsButtonsAndFitsTheScreen)
{
    const QString huge(200000, QLatin1Char('D'));
    const QString headers[] = {"Code  Description", "C", DefaultHeader, "Code  " + huge};
    for (const QString& header : headers) {
        const std::string row = header.left(20).toStdString();
        Run({"ls^Pick^" + header + "^5", "ld^x^A100 Smith", "le"});
        const QRect panel = window.ListPic->rect();
        EXPECT_LE(panel.width(), window.MainPic->width()) << row;
        EXPECT_LE(window.LSHeader->geometry().right(), panel.right()) << row;
        for (size_t i = 0; i < window.LSCmnd.size(); ++i) {
            const QRect button = window.LSCmnd[i]->geometry();
            EXPECT_TRUE(panel.contains(button)) << row << " button " << i;
            for (size_t j = i + 1; j < window.LSCmnd.size(); ++j)
                EXPECT_FALSE(button.adjusted(-1, 0, 1, 0).intersects(window.LSCmnd[j]->geometry()))
                    << row << " buttons " << i << " and " << j;
        }
    }
    // Cut to what shows, and the whole of it kept.
    EXPECT_LT(window.LSHeader->text().size(), 1000);
    EXPECT_TRUE(window.LSHeader->text().startsWith("Code  DDD"));
    EXPECT_EQ(ListHeader, "Code  " + huge);
}

TEST_F(ListCommands, RowsMaintAndHeaderFields)
{
    struct Case {
        QString unit;
        int height; // the panel was 250 high
        bool maint;
        QString header;
    };
    const Case cases[] = {
        {"ls^X^^3", 250, false, DefaultHeader},   {"ls^X^^4", 100, false, DefaultHeader},
        {"ls^X^^abc", 250, false, DefaultHeader}, {"ls^X^^^M", 250, true, DefaultHeader},
        {"ls^X^^^m", 250, true, DefaultHeader},   {"ls^X^^^mm", 250, false, DefaultHeader},
        {"ls^X^^^ m", 250, false, DefaultHeader}, {"ls^X^Code Name^99999", -1, false, "Code Name"},
        {"ls^X^   ", 250, false, DefaultHeader},
    };
    for (const Case& c : cases) {
        window.ListPic->resize(400, 250);
        Run({c.unit});
        // -1: as high as the screen.
        EXPECT_EQ(window.ListPic->height(), c.height < 0 ? window.MainPic->height() : c.height) << c.unit.toStdString();
        EXPECT_EQ(window.LSCmnd[2]->isEnabled(), c.maint) << c.unit.toStdString();
        EXPECT_EQ(ListHeader, c.header) << c.unit.toStdString();
    }
    // A height once set stays for a list that asks for three rows or fewer.
    Run({"ls^X^^6", "ls^Y^^2"});
    EXPECT_EQ(window.ListPic->height(), 140);
}

TEST_F(ListCommands, LineFieldsAndAnEmptyList)
{
    Run({"ls^T", "ld^anything^Line", "ld^x", "ld"});
    EXPECT_EQ(ListItems(*window.LSList), QStringList({"Line", ""}));
    EXPECT_EQ(History(), QStringList({"ls^T", "ld^anything^Line", "ld^x"}));

    window.stack.clear();
    Run({"ls^Empty^^5", "le"});
    EXPECT_TRUE(window.ListPic->isHidden());
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].prompt, QStringLiteral("There are no items to display."));
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Item Listing"));
    EXPECT_EQ(dialogs.asked[0].style, 48);
    EXPECT_EQ(History(), QStringList({"ls^Empty^^5", "le"}));
}

TEST_F(ListCommands, ItemListIsPlacedFilledAndShown)
{
    Run({"is^2^10^5^19^4", "id^2^A100 First line", "id^2^  B200 Second  "});
    QListWidget& list = List(2);
    EXPECT_EQ(list.geometry(), QRect(100, 100, 200, 100));
    EXPECT_EQ(list.property("Tag").toString(), QStringLiteral("10^5^19^4"));
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(ItemListValues[2], QStringLiteral("B200"));
    EXPECT_EQ(list.font().pointSizeF(), 10);
    EXPECT_TRUE(list.isHidden());
    EXPECT_FALSE(ItemListUp);

    Run({"ie^2"});
    EXPECT_FALSE(list.isHidden());
    EXPECT_TRUE(list.isEnabled());
    EXPECT_TRUE(ItemListUp);
    EXPECT_EQ(History(), QStringList({"is^2^10^5^19^4", "id^2^A100 First line", "id^2^  B200 Second  ", "ie^2"}));

    // Set up again: empty, no value. A line without a blank is the value.
    Run({"is^2^1^1^5^2"});
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(ItemListValues[2].isEmpty());
    Run({"id^2^Solo"});
    EXPECT_EQ(ItemListValues[2], QStringLiteral("Solo"));

    // Sizes below nothing are nothing.
    Run({"is^3^1^1^-5^-3"});
    EXPECT_EQ(List(3).size(), QSize(0, 0));

    Run({"cs"});
    EXPECT_TRUE(list.isHidden());
    EXPECT_FALSE(ItemListUp);
}

TEST_F(ListCommands, ItemListNumbersRoundAndOutsideTheListsAreRefused)
{
    Run({"is^10.5^1^1^5^2", "id^ 10 ^Last", "ie^9.6"});
    EXPECT_EQ(ItemListValues[10], QStringLiteral("Last"));
    EXPECT_FALSE(List(10).isHidden());
    EXPECT_EQ(History().size(), 3);

    window.stack.clear();
    Trace().Lines.clear();
    const QString huge = QStringLiteral("1") + QString(400, QLatin1Char('0'));
    for (const QString& unit : {QStringLiteral("is^11^1^1^5^2"), QStringLiteral("id^-1^x"), QStringLiteral("ie^99"),
                                QStringLiteral("is^11.5"), "id^" + huge + "^x", QStringLiteral("ie^-0.6")})
        Run({unit});
    EXPECT_TRUE(History().isEmpty());
    EXPECT_EQ(TraceLines().filter("Refused, no item list").size(), 6) << TraceLines().join("\n").toStdString();
    // "abc" reads as list 0.
    Run({"is^abc^1^1^5^2", "id^abc^Z9 z"});
    EXPECT_EQ(ItemListValues[0], QStringLiteral("Z9"));
}

TEST_F(ListCommands, ChoiceEnablesTheLinksOfEveryList)
{
    Entities[0] = test::MakeEntity(KindField, 1, 1, 5, 1, "A", 50);
    Entities[1] = test::MakeEntity(KindField, 1, 3, 5, 1, "B", 57);
    Entities[2] = test::MakeEntity(KindField, 1, 5, 5, 1, "C", 49);
    for (Entity& e : Entities)
        e.Active = 0;
    EntityCount = 3;
    Run({"is^4^1^1^5^2", "id^4^Q1 q"});
    EXPECT_NE(Entities[0].Active, 0);
    EXPECT_NE(Entities[1].Active, 0);
    EXPECT_EQ(Entities[2].Active, 0);

    // With no entities nothing is touched.
    Entities[3].Align = 50;
    EntityCount = -1;
    Run({"id^4^Q2 q"});
    EXPECT_EQ(Entities[3].Active, 0);
    EXPECT_EQ(ItemListValues[4], QStringLiteral("Q2"));
}
