#include "core/Colors.h"
#include "tests/interpreter/ProcessFixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zor;

namespace {

class EditorAndPad : public test::ConnectedProcessTest {
protected:
    void SetUp() override
    {
        ConnectedProcessTest::SetUp();
        window.MVPic->hide();
        window.lvMVPic->hide();
        window.frTenKey->hide();
        window.frTenKey->move(0, 0);
        window.RestoreTenKeyDesign();
        window.tbTenKey->clear();
        TenKeyPinned = 0;
    }

    QStringList Replies(const std::array<QPushButton*, MultiValueButtonSlots>& buttons) const
    {
        QStringList replies;
        for (const QPushButton* button : buttons)
            replies << (button ? (button->isEnabled() ? button->property("Tag").toString() : QStringLiteral("-"))
                               : QStringLiteral("none"));
        return replies;
    }

    std::vector<QRect> PadGeometry() const
    {
        std::vector<QRect> rects = {window.frTenKey->geometry(), window.tbTenKey->geometry(), window.lblTK1->geometry(),
                                    window.lblTK2->geometry()};
        for (const QPushButton* key : window.cbTenKey)
            rects.push_back(key->geometry());
        return rects;
    }
};

} // namespace

TEST_F(EditorAndPad, EditorOpensWhereTheHostSaysWithItsReplies)
{
    InputBackColor = RGBLong(255, 255, 200);
    window.Process("mv^10^5^^T^B^Smith^N^E^A^M^I");
    EXPECT_FALSE(window.MVPic->isHidden());
    EXPECT_EQ(window.MVPic->pos(), QPoint(100, 100));
    EXPECT_EQ(window.MVPic->property("Tag").toString(), QStringLiteral("10^5"));
    EXPECT_EQ(Replies(window.MVCmd), QStringList({"T", "B", "none", "N", "E", "A", "M", "I"}));
    EXPECT_EQ(window.MVText->text(), QStringLiteral("Smith"));
    EXPECT_TRUE(window.MVText->isEnabled());
    EXPECT_EQ(window.MVText->selectedText(), QStringLiteral("Smith"));
    EXPECT_EQ(window.MVText->palette().color(QPalette::Base), QColor(255, 255, 200));
    EXPECT_EQ(History(), QStringList{"mv^10^5^^T^B^Smith^N^E^A^M^I"});

    // A read-only value; missing fields disable their buttons.
    window.Process("mv^1^1^^^^ *Smith ");
    EXPECT_EQ(window.MVText->text(), QStringLiteral("Smith"));
    EXPECT_FALSE(window.MVText->isEnabled());
    EXPECT_EQ(Replies(window.MVCmd), QStringList({"-", "-", "none", "-", "-", "-", "-", "-"}));
    window.Process("mv^1^1^^^^Jones");
    EXPECT_TRUE(window.MVText->isEnabled());

    // Host values far out of range saturate instead of overflowing.
    window.Process("mv^1e300^-1e300");
    EXPECT_FALSE(window.MVPic->isHidden());
}

TEST_F(EditorAndPad, EditorOfTheSubWindowClosesAloneAndCannedAnswersComeFirst)
{
    window.Process("mv^10^5^^T");
    window.lvMainPic->show();
    SubWindowRect = {5, 3, 30, 10};
    CurPage = 1;
    window.Process("mv^10^5^^T^B^Smith");
    EXPECT_EQ(window.lvMVPic->pos(), QPoint(50, 60));
    window.Process("mv^-1abc");
    EXPECT_TRUE(window.lvMVPic->isHidden());
    EXPECT_FALSE(window.MVPic->isHidden());

    window.Process("mv^10^5^^T^B^Smith");
    window.stack.clear();
    Run({"dl^ANSWER", "mv^10^5^^T^B^Smith"});
    EXPECT_EQ(host.sent, QStringList{"ANSWER\r"});
    EXPECT_TRUE(window.MVPic->isHidden());
    EXPECT_TRUE(window.lvMVPic->isHidden());
    EXPECT_TRUE(History().isEmpty());
    window.Process("mv^10^5^^T^B^Smith");
    EXPECT_FALSE(window.lvMVPic->isHidden());
}

TEST_F(EditorAndPad, PadTakesModeHeadingsPlaceDecimalsAndExtraKeys)
{
    window.Process("tk^1^Amount^30^5^^3");
    EXPECT_FALSE(window.frTenKey->isHidden());
    EXPECT_EQ(window.frTenKey->pos(), QPoint(300, 100));
    EXPECT_EQ(window.frTenKey->width(), 355);
    EXPECT_FALSE(window.lblTK1->isHidden());
    EXPECT_EQ(window.lblTK1->text(), QStringLiteral("Amount"));
    const int h = window.lblTK1->height();
    EXPECT_EQ(window.frTenKey->height(), 290 + h);
    EXPECT_EQ(window.cbTenKey[7]->y(), 60 + h);
    EXPECT_EQ(window.tbTenKey->y(), 20 + h);
    EXPECT_TRUE(window.cbTenKey[10]->isHidden());
    EXPECT_TRUE(window.ImpliedDecimals);
    EXPECT_EQ(TenKeyPinned, 1);
    EXPECT_EQ(window.cbTenKey[12]->text(), QStringLiteral("E\nn\nt\ne\nr"));
    EXPECT_TRUE(History().isEmpty());
    EXPECT_TRUE(host.sent.isEmpty());

    struct Case {
        QString unit;
        int width;
        std::vector<std::pair<int, QString>> keys; // key, reply
    };
    const Case cases[] = {
        {"tk^^^^^^^Cash\\C^Card", 443, {{14, "C"}, {15, "Card"}}},
        {"tk^^^^^^^^^^^X\\", 531, {{18, "X"}}},
        {"tk^^^^^^^\\Y", 443, {{14, "Y"}}},
    };
    for (const Case& c : cases) {
        window.Process(c.unit);
        SCOPED_TRACE(c.unit.toStdString());
        EXPECT_EQ(window.frTenKey->width(), c.width);
        int shown = 0;
        for (int k = 14; k < TenKeyButtonSlots; ++k)
            shown += window.cbTenKey[static_cast<size_t>(k)]->isHidden() ? 0 : 1;
        EXPECT_EQ(shown, static_cast<int>(c.keys.size()));
        for (const auto& [key, reply] : c.keys) {
            EXPECT_FALSE(window.cbTenKey[static_cast<size_t>(key)]->isHidden()) << key;
            EXPECT_EQ(window.TenKeyExtraValues[static_cast<size_t>(key - 13)], reply) << key;
        }
        EXPECT_FALSE(window.ImpliedDecimals);
        EXPECT_FALSE(window.cbTenKey[10]->isHidden());
        EXPECT_EQ(TenKeyPinned, 1); // an empty mode keeps the old one
    }
    EXPECT_EQ(window.cbTenKey[14]->text(), QString());

    window.Process("tk^^^^^12.50");
    EXPECT_EQ(window.tbTenKey->text(), QStringLiteral("12.50"));
    EXPECT_EQ(TypeAhead, QStringLiteral("12.50"));
    window.Process("tk^^^^^^2");
    EXPECT_EQ(window.tbTenKey->text(), QStringLiteral("12.50"));
    EXPECT_TRUE(window.cbTenKey[10]->isHidden());
}

TEST_F(EditorAndPad, RepeatedPadUnitsGiveTheSameGeometryAndBadNumbersChangeNothing)
{
    window.frTenKey->move(300, 200);
    for (const QString& unit : {QStringLiteral("tk^0^Amount^^^^^^^^^^^^^^Due"), QStringLiteral("tk^0^Amount^30^5")}) {
        window.Process(unit);
        const std::vector<QRect> first = PadGeometry();
        window.Process(unit);
        EXPECT_EQ(PadGeometry(), first) << unit.toStdString();
        EXPECT_GE(window.frTenKey->y(), 0) << unit.toStdString();
    }
    // Two headings: the second below the first.
    window.Process("tk^0^Amount^^^^^^^^^^^^^^Due");
    EXPECT_FALSE(window.lblTK2->isHidden());
    EXPECT_GT(window.lblTK2->y(), window.lblTK1->y());
    EXPECT_EQ(window.frTenKey->height(), 290 + window.lblTK1->height() + window.lblTK2->height());
    // Without headings the pad is back where the host last put it.
    window.Process("tk^0");
    EXPECT_EQ(window.frTenKey->geometry(), QRect(300, 100, 355, 290));

    const std::vector<QRect> before = PadGeometry();
    window.tbTenKey->setText(QStringLiteral("7"));
    for (const char* unit : {"tk^0^^3a^5^99", "tk^x", "tk^0^^^^^1e9", "tk^0^Head^1^99999"}) {
        Trace().Lines.clear();
        window.Process(unit);
        EXPECT_EQ(PadGeometry(), before) << unit;
        EXPECT_EQ(window.tbTenKey->text(), QStringLiteral("7")) << unit;
        EXPECT_EQ(TenKeyPinned, 0) << unit;
        EXPECT_FALSE(TraceLines().isEmpty()) << unit;
    }
}

TEST_F(EditorAndPad, ThePadNeverLeavesTheTopOfTheScreen)
{
    struct Case {
        int top;
        const char* unit;
        int restoredTop; // after a unit without headings
    };
    const Case cases[] = {
        {0, "tk^0^Amount", 0},
        {0, "tk^0^Amount^^^^^^^^^^^^^^Due", 0},
        {5, "tk^0^Amount^^^^^^^^^^^^^^Due", 5},
        {200, "tk^0^^^-3", 0},
        {200, "tk^0^Amount^^-3", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        window.RestoreTenKeyDesign();
        window.frTenKey->move(40, c.top);
        window.Process(c.unit);
        EXPECT_EQ(window.frTenKey->y(), 0);
        // The entry line sits below the headings, inside the pad.
        if (!window.lblTK1->isHidden()) {
            EXPECT_GT(window.tbTenKey->y(), window.lblTK1->geometry().bottom());
        }
        window.Process("tk^0");
        EXPECT_EQ(window.frTenKey->y(), c.restoredTop);
    }
}
