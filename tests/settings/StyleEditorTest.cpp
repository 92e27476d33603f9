#include "settings/StyleEditor.h"
#include "core/Colors.h"
#include "core/PackedIO.h"
#include "core/SharedState.h"
#include "session/PictureBox.h"
#include "session/fConnection.h"
#include "settings/ConfigFile.h"
#include "settings/ControlColours.h"
#include "tests/support/ScreenStateScope.h"
#include "tests/support/TestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <gtest/gtest.h>

using namespace zor;

namespace {

const qint32 Fill = RGBLong(200, 30, 30);
const qint32 Ink = RGBLong(0, 0, 160);

EntityAttr Styled()
{
    EntityAttr a;
    a.TextColor = Ink;
    a.DisabledColor = RGBLong(90, 90, 90);
    a.BackColor = Fill;
    a.BorderColor = RGBLong(0, 120, 0);
    a.FillBackground = VbTrue;
    a.TextShadow = VbTrue;
    a.FrameStyle = FrameEngraved;
    a.FontScale = Currency::fromDouble(1.25);
    return a;
}

QByteArray Packed(const EntityAttr& attr)
{
    PackedWriter out;
    Write(out, attr);
    return out.data();
}

// Every record's packed bytes, so that a test sees which kinds changed.
std::vector<QByteArray> AllRecords()
{
    std::vector<QByteArray> records;
    for (const EntityAttr& a : EntityAttrs)
        records.push_back(Packed(a));
    return records;
}

int PixelsOf(const QImage& image, qint32 colour)
{
    const QRgb wanted = ToRgb(colour);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == wanted;
    return count;
}

} // namespace

class StyleEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int kind = 1; kind <= StyleKindCount; ++kind)
            EntityAttrs[static_cast<size_t>(kind)] = Styled();
    }
    // The record of the kind the editor edits once its row is selected.
    EntityAttr& Field() { return EntityAttrs[KindField]; }
    void SelectField() { editor.List1->setCurrentRow(KindField - 1); }

    test::ScreenStateScope screen;
    test::DialogScript dialogs;
    StyleEditor editor;
    QSignalSpy changed{&editor, &StyleEditor::Changed};
};

TEST_F(StyleEditorTest, SelectingAKindShowsItsRecordAndWritesNothingBack)
{
    EntityAttrs[KindBox].FrameStyle = 9;                        // no such style
    EntityAttrs[KindBox].FontScale = Currency::fromDouble(7.5); // beyond the slider
    const std::vector<QByteArray> before = AllRecords();
    ASSERT_EQ(editor.List1->count(), StyleKindCount);
    EXPECT_EQ(editor.List1->item(0)->text(), QStringLiteral("Field Caption"));
    EXPECT_EQ(editor.List1->item(10)->text(), QStringLiteral("Image Display"));

    SelectField();
    EXPECT_EQ(editor.SelectedStyle(), KindField);
    EXPECT_EQ(BackColor(*editor.PropClr[2]), Ink);
    EXPECT_EQ(BackColor(*editor.PropClr[3]), Fill);
    EXPECT_EQ(BackColor(*editor.PropClr[0]), RGBLong(0, 120, 0));
    EXPECT_EQ(BackColor(*editor.PropClr[5]), RGBLong(90, 90, 90));
    EXPECT_FALSE(editor.PropCheck[7]->isChecked());
    EXPECT_TRUE(editor.PropCheck[8]->isChecked());
    EXPECT_TRUE(editor.PropCheck[9]->isChecked());
    EXPECT_TRUE(editor.PropOption[7]->isChecked()); // engraved
    EXPECT_EQ(editor.Slider1->value(), 12);

    editor.List1->setCurrentRow(KindBox - 1);
    for (int i = 4; i <= 8; ++i)
        EXPECT_FALSE(editor.PropOption[i]->isChecked()) << i;
    EXPECT_EQ(editor.Slider1->value(), FontScaleSliderMaximum);

    // The scale 1.25 is not rounded to the slider's tenths, nothing is to apply.
    EXPECT_EQ(AllRecords(), before);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(StyleEditorTest, ColourButtonsSetTheirFieldOfTheSelectedKindOnlyAndACancelChangesNothing)
{
    struct Case {
        int button, swatch;
        qint32 EntityAttr::*field;
    };
    const Case cases[] = {{0, 2, &EntityAttr::TextColor},
                          {1, 3, &EntityAttr::BackColor},
                          {4, 0, &EntityAttr::BorderColor},
                          {7, 5, &EntityAttr::DisabledColor}};
    const qint32 chosen = RGBLong(10, 200, 250);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        SetUp();
        SelectField();
        const std::vector<QByteArray> before = AllRecords();
        changed.clear();

        dialogs.answer(QVariant()); // cancelled
        editor.PropButt[c.button]->click();
        EXPECT_EQ(AllRecords(), before);
        EXPECT_EQ(BackColor(*editor.PropClr[c.swatch]), Styled().*c.field);
        EXPECT_EQ(changed.count(), 0);

        dialogs.answer(ToQColor(chosen));
        editor.PropButt[c.button]->click();
        EXPECT_EQ(Field().*c.field, chosen);
        EXPECT_EQ(BackColor(*editor.PropClr[c.swatch]), chosen);
        EXPECT_EQ(changed.count(), 1);
        EntityAttr expected = Styled();
        expected.*c.field = chosen;
        EXPECT_EQ(Packed(Field()), Packed(expected));
        std::vector<QByteArray> others = AllRecords();
        others[KindField] = before[KindField];
        EXPECT_EQ(others, before);
    }
    // The dialog opens on the colour the field has.
    EXPECT_EQ(dialogs.asked.back().kind, Dialogs::Request::Colour);
    EXPECT_EQ(dialogs.asked.back().initial, ToQColor(Styled().DisabledColor).name());
}

TEST_F(StyleEditorTest, TheSampleShowsTheRecordAsItChanges)
{
    SelectField();
    const QImage& sample = editor.PropSample->Image();
    // The box of the sample entity is filled inside, its surroundings are not.
    EXPECT_EQ(sample.pixel(20, 20), ToRgb(Fill));
    EXPECT_EQ(sample.pixel(5, 5), ToRgb(COLOR_BTNFACE));
    EXPECT_GT(PixelsOf(sample, Ink), 0);

    dialogs.answer(ToQColor(RGBLong(0, 255, 0)));
    editor.PropButt[1]->click();
    EXPECT_EQ(sample.pixel(20, 20), qRgb(0, 255, 0));

    editor.PropCheck[8]->click(); // no background any more
    EXPECT_EQ(Field().FillBackground, VbFalse);
    EXPECT_EQ(PixelsOf(sample, RGBLong(0, 255, 0)), 0);

    EXPECT_EQ(PixelsOf(sample, RGBLong(0, 120, 0)), 0);
    editor.PropCheck[7]->click(); // the border
    EXPECT_GT(PixelsOf(sample, RGBLong(0, 120, 0)), 400);
}

TEST_F(StyleEditorTest, TheSampleIsItsOwnRecordWhateverTheHostPutInTheEntityTable)
{
    for (Entity& e : Entities) {
        e = Entity();
        e.X = -1;
        e.Y = -1;
    }
    SelectField();
    EXPECT_EQ(editor.PropSample->Image().pixel(20, 20), ToRgb(Fill));
    EXPECT_GT(PixelsOf(editor.PropSample->Image(), Ink), 0);
}

TEST_F(StyleEditorTest, SwitchesFrameStylesAndTheScaleSetTheRecord)
{
    SelectField();
    struct Case {
        const char* what;
        std::function<void()> act;
        std::function<bool()> holds;
    };
    const Case cases[] = {
        {"use border", [&] { editor.PropCheck[7]->click(); }, [&] { return Field().UseBorder == VbTrue; }},
        {"no background", [&] { editor.PropCheck[8]->click(); }, [&] { return Field().FillBackground == VbFalse; }},
        {"no text shadow", [&] { editor.PropCheck[9]->click(); }, [&] { return Field().TextShadow == VbFalse; }},
        {"entity shadow", [&] { editor.PropCheck[10]->click(); }, [&] { return Field().ShadowLines == VbTrue; }},
        {"image shadow", [&] { editor.PropCheck[11]->click(); }, [&] { return Field().ImageShadow == VbTrue; }},
        {"indented", [&] { editor.PropOption[6]->click(); }, [&] { return Field().FrameStyle == FrameIndented; }},
        {"flat", [&] { editor.PropOption[4]->click(); }, [&] { return Field().FrameStyle == FrameFlat; }},
        {"scale 1.3", [&] { editor.Slider1->setValue(13); },
         [&] { return Field().FontScale == Currency::fromDouble(1.3); }},
        {"scale 0", [&] { editor.Slider1->setValue(0); }, [&] { return Field().FontScale == Currency(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int before = changed.count();
        c.act();
        EXPECT_TRUE(c.holds());
        EXPECT_EQ(changed.count(), before + 1);
    }
}

TEST_F(StyleEditorTest, WithNoKindSelectedNothingChangesAndNoSampleIsDrawn)
{
    SelectField();
    editor.List1->setCurrentRow(-1);
    EXPECT_EQ(editor.SelectedStyle(), 0);
    editor.PropSample->Clear();
    const QImage blank = editor.PropSample->Image().copy();
    const std::vector<QByteArray> before = AllRecords();
    changed.clear();

    for (int button : {0, 1, 4, 7})
        editor.PropButt[button]->click();
    for (int check = 7; check <= 11; ++check)
        editor.PropCheck[check]->click();
    editor.PropOption[5]->click();
    editor.Slider1->setValue(3);
    editor.DrawSample();

    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(AllRecords(), before);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(editor.PropSample->Image(), blank);
}

TEST_F(StyleEditorTest, DefaultsResetTheRecordsAndTheControlsShowThem)
{
    SelectField();
    QSignalSpy restored(&editor, &StyleEditor::DefaultsRestored);
    editor.PropButt[6]->click();
    EXPECT_EQ(restored.count(), 1);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(Field().FrameStyle, FrameIndented);
    EXPECT_EQ(Field().BackColor, COLOR_WINDOW);
    EXPECT_EQ(BackColor(*editor.PropClr[3]), COLOR_WINDOW);
    EXPECT_TRUE(editor.PropOption[6]->isChecked());
    EXPECT_FALSE(editor.PropCheck[9]->isChecked());
}

TEST_F(StyleEditorTest, TheFontButtonGivesTheSessionWindowTheChosenFontAndACancelKeepsIt)
{
    fConnection& session = fConnection::instance();
    const QFont kept = session.WorkFont;
    dialogs.answer(QVariant());
    editor.PropButt[5]->click();
    EXPECT_EQ(session.WorkFont, kept);
    EXPECT_EQ(changed.count(), 0);

    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setBold(true);
    chosen.setItalic(true);
    dialogs.answer(chosen);
    editor.PropButt[5]->click();
    for (const QFont& font : {session.WorkFont, session.MainPic->DrawFont, session.INText->font()}) {
        EXPECT_EQ(font.family(), QStringLiteral("DejaVu Serif"));
        EXPECT_TRUE(font.bold());
        EXPECT_TRUE(font.italic());
    }
    EXPECT_EQ(changed.count(), 1);

    // A name the configuration cannot keep is refused, and the font stays.
    const QFont before = session.WorkFont;
    for (const QString& name : {QStringLiteral("Sans \u20ac"), QString(ConfigFontNameWidth + 1, QLatin1Char('n'))}) {
        dialogs.asked.clear();
        dialogs.answer(QFont(name));
        editor.PropButt[5]->click();
        ASSERT_EQ(dialogs.asked.size(), 2);
        EXPECT_TRUE(dialogs.asked[1].prompt.startsWith(QStringLiteral("Font:"))) << name.toStdString();
        EXPECT_EQ(session.WorkFont, before) << name.toStdString();
    }
    EXPECT_TRUE(dialogs.asked[1].prompt.contains(QStringLiteral("\"n")));
    EXPECT_EQ(changed.count(), 1);
    session.WorkFont = kept;
}
