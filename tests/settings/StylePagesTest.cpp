#include "core/Colors.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "session/fConnection.h"
#include "settings/CompanionFiles.h"
#include "settings/ConfigFile.h"
#include "settings/ControlColours.h"
#include "settings/Properties.h"
#include "settings/StyleEditor.h"
#include "tests/support/ScreenStateScope.h"
#include "tests/support/TestSupport.h"
#include "tools/fPicView.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zor;

class StylePagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ConfigFile = QStringLiteral("look.ntt");
        window.OptionsButt[0]->setEnabled(false);
    }
    // Presses the button while the picker it opens is answered by the user:
    // the row chosen and accepted, or -1 for Cancel.
    void PickPicture(int row)
    {
        QTimer::singleShot(0, [row] {
            auto* picker = qobject_cast<fPicView*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            if (row < 0) {
                picker->reject();
                return;
            }
            picker->File1->setCurrentRow(row);
            picker->Command2_Click();
        });
        window.PropButt[3]->click();
    }

    test::ScreenStateScope screen;
    test::ProgramFolderScope home;
    test::DialogScript dialogs;
    // Loaded afresh from this test's program folder.
    Properties& window = []() -> Properties& {
        Properties::instance().Unload();
        return Properties::instance();
    }();
};

TEST_F(StylePagesTest, TheEntitiesTabEditsARecordThatTheSaveWrites)
{
    ASSERT_EQ(window.TabPage[EntitiesTab], window.Styles);
    EXPECT_EQ(window.PropCheck[9], window.Styles->PropCheck[9]);
    EXPECT_EQ(window.PropButt[6], window.Styles->PropButt[6]);
    EXPECT_FALSE(window.OptionsButt[0]->isEnabled());

    window.Styles->List1->setCurrentRow(KindPageHeader - 1);
    EXPECT_FALSE(window.OptionsButt[0]->isEnabled());
    dialogs.answer(ToQColor(RGBLong(1, 2, 3)));
    window.PropButt[1]->click();
    window.PropCheck[10]->click();
    EXPECT_TRUE(window.OptionsButt[0]->isEnabled());
    const EntityAttr edited = EntityAttrs[KindPageHeader];
    EXPECT_EQ(edited.BackColor, RGBLong(1, 2, 3));

    ASSERT_TRUE(window.SaveINI());
    EntityAttrs[KindPageHeader] = EntityAttr();
    ConfigWindowItems items;
    ReadConfig(home.read(ConfigFile), items);
    EXPECT_EQ(EntityAttrs[KindPageHeader], edited);
}

TEST_F(StylePagesTest, ThePictureButtonTakesAPictureOnlyAndKeepsTheOneInUseOtherwise)
{
    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(home.file(QStringLiteral("a.bmp")), "BMP"));
    home.write(QStringLiteral("b.bmp"), "no picture inside");
    window.bImage[0]->setProperty("Tag", home.file(QStringLiteral("a.bmp")) + QStringLiteral("  "));

    PickPicture(-1);
    EXPECT_EQ(window.bImage[0]->property("Tag").toString(), home.file(QStringLiteral("a.bmp")) + QStringLiteral("  "));
    EXPECT_FALSE(window.OptionsButt[0]->isEnabled());

    PickPicture(1);
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].prompt.contains(QStringLiteral("b.bmp")));
    EXPECT_EQ(window.bImage[0]->property("Tag").toString(), home.file(QStringLiteral("a.bmp")) + QStringLiteral("  "));
    EXPECT_FALSE(window.OptionsButt[0]->isEnabled());

    PickPicture(0);
    EXPECT_EQ(window.bImage[0]->property("Tag").toString(), QDir(home.path()).filePath(QStringLiteral("a.bmp")));
    EXPECT_EQ(window.bImage[0]->pixmap().toImage().pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_TRUE(window.OptionsButt[0]->isEnabled());
}

TEST_F(StylePagesTest, TheGradientPreviewDrawsTheRampOfTheBoxesWhileThePictureIsOff)
{
    window.PropClr[4]->resize(60, 300);
    window.PropCheck[3]->setChecked(false);
    window.PropCheck[4]->setChecked(true);
    window.PropCheck[5]->setChecked(true);
    window.PropCheck[6]->setChecked(true);
    window.PropCheck[1]->setChecked(false);
    window.PropCheck[1]->click();
    EXPECT_TRUE(window.PropFrame[0]->isEnabled());
    const QImage preview = window.PropClr[4]->pixmap().toImage();
    ASSERT_EQ(preview.size(), QSize(60, 300));
    // A band of 2 pixels: the strip above the first band keeps the ground,
    // the ramp runs from bright cyan down to dark, with no red in it.
    EXPECT_EQ(preview.pixel(30, 0), window.PropClr[4]->palette().color(QPalette::Window).rgb());
    EXPECT_EQ(preview.pixel(30, 2), qRgb(0, 205, 205));
    EXPECT_EQ(qRed(preview.pixel(30, 299)), 0);
    EXPECT_LT(qGreen(preview.pixel(30, 299)), 60);

    window.PropCheck[3]->click(); // red as well: drawn again
    EXPECT_EQ(window.PropClr[4]->pixmap().toImage().pixel(30, 2), qRgb(205, 205, 205));

    window.PropCheck[1]->click(); // the picture back on
    EXPECT_FALSE(window.PropFrame[0]->isEnabled());
    EXPECT_TRUE(window.PropClr[4]->pixmap().isNull());
}

TEST_F(StylePagesTest, TheColourButtonsOfTheOtherTabsChangeTheirSwatchesAndACancelChangesNothing)
{
    const QString title = window.windowTitle();
    for (int button : {2, 8, 9}) {
        dialogs.answer(QVariant());
        window.PropButt[button]->click();
    }
    EXPECT_EQ(window.windowTitle(), title);
    EXPECT_FALSE(window.OptionsButt[0]->isEnabled());

    dialogs.answer(ToQColor(RGBLong(0x12, 0x34, 0x56)));
    window.PropButt[2]->click();
    EXPECT_EQ(BackColor(*window.PropClr[1]), RGBLong(0x12, 0x34, 0x56));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("563412"));

    dialogs.answer(ToQColor(RGBLong(255, 0, 0)));
    window.PropButt[8]->click();
    dialogs.answer(ToQColor(RGBLong(0, 0, 255)));
    window.PropButt[9]->click();
    EXPECT_EQ(InputForeColor, RGBLong(255, 0, 0));
    EXPECT_EQ(InputBackColor, RGBLong(0, 0, 255));
    EXPECT_EQ(BackColor(*window.PropClr[6]), InputForeColor);
    EXPECT_EQ(BackColor(*window.PropClr[7]), InputBackColor);
    EXPECT_EQ(window.Label2->property("ForeColor").value<qint32>(), InputForeColor);
    EXPECT_EQ(BackColor(*window.Label2), InputBackColor);
    EXPECT_EQ(fConnection::instance().INText->property("ForeColor").value<qint32>(), InputForeColor);
    EXPECT_EQ(fConnection::instance().INText->property("BackColor").value<qint32>(), InputBackColor);
    EXPECT_TRUE(window.OptionsButt[0]->isEnabled());
}

TEST_F(StylePagesTest, DefaultsShowTheResetSettingsOnEveryTab)
{
    Settings.BackColor = RGBLong(1, 1, 1);
    window.PropText[1]->setText(QStringLiteral("2323"));
    SetBackColor(*window.PropClr[1], Settings.BackColor);
    // The default picture's path is stored padded to its width.
    const QString defaultPicture = home.file(QStringLiteral("back3.bmp"));
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(defaultPicture, "BMP"));
    window.bImage[0]->clear();
    window.PropButt[6]->click();
    EXPECT_EQ(window.bImage[0]->property("Tag").toString(), defaultPicture);
    EXPECT_FALSE(window.bImage[0]->pixmap().isNull());
    EXPECT_EQ(window.PropText[1]->text(), QStringLiteral("23"));
    EXPECT_EQ(BackColor(*window.PropClr[1]), QBColor(7));
    EXPECT_EQ(BackColor(*window.PropClr[7]), RGBLong(255, 255, 255));
    EXPECT_TRUE(window.OptionsButt[0]->isEnabled());
}

TEST_F(StylePagesTest, DefaultsInAProgramFolderTooLongForThePathApplyThePictureByName)
{
    const QString folder = home.file(QString(120, QLatin1Char('f')));
    ASSERT_TRUE(QDir().mkpath(folder));
    qputenv("ZOR_HOME", folder.toLocal8Bit());
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(folder + QStringLiteral("/back3.bmp"), "BMP"));
    window.bImage[0]->clear();
    window.PropButt[6]->click();
    EXPECT_EQ(window.bImage[0]->property("Tag").toString(), QStringLiteral("back3.bmp"));
    EXPECT_FALSE(window.bImage[0]->pixmap().isNull());

    const qsizetype asked = dialogs.asked.size();
    window.OptionsButt_Click(0);
    EXPECT_EQ(dialogs.asked.size(), asked);
    QFile file(folder + QLatin1Char('/') + ConfigFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    Settings = SessionSettings();
    ConfigWindowItems items;
    ReadConfig(file.readAll(), items);
    EXPECT_EQ(Trim(Settings.BackImageFile), QStringLiteral("back3.bmp"));
}

namespace {

struct LockCase {
    const char *password, *confirmation;
    const char* refusal; // the start of the message, or none
};
const LockCase LockCases[] = {
    {"", "", "You must first enter a Password"},
    {"  ", "  ", "You must first enter a Password"},
    {"abc", "abd", "The Password and the Confirm Password fields do not match.\r\nYou will be unable"},
    {"abc", "ABC", nullptr},
};

} // namespace

TEST_F(StylePagesTest, TheLockIsSetOnlyWithAPasswordAndItsConfirmation)
{
    for (const LockCase& c : LockCases) {
        SCOPED_TRACE(c.password + std::string("/") + c.confirmation);
        QFile::remove(home.file(LockFileName));
        dialogs.asked.clear();
        window.PropCheck[12]->setChecked(false);
        window.PropText[2]->setEnabled(true);
        window.PropText[3]->setEnabled(true);
        window.PropText[2]->setText(QLatin1String(c.password));
        window.PropText[3]->setText(QLatin1String(c.confirmation));
        window.PropCheck[12]->click();
        if (c.refusal) {
            ASSERT_EQ(dialogs.asked.size(), 1);
            EXPECT_TRUE(dialogs.asked[0].prompt.startsWith(QLatin1String(c.refusal)));
            EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Property Lock"));
            EXPECT_EQ(dialogs.asked[0].style, Dialogs::Critical);
            EXPECT_FALSE(window.PropCheck[12]->isChecked());
            EXPECT_TRUE(window.PropText[2]->isEnabled());
            EXPECT_FALSE(QFile::exists(home.file(LockFileName)));
        } else {
            EXPECT_TRUE(dialogs.asked.isEmpty());
            EXPECT_TRUE(window.PropCheck[12]->isChecked());
            EXPECT_FALSE(window.PropText[2]->isEnabled());
            EXPECT_FALSE(window.PropText[3]->isEnabled());
            const std::optional<AdminLock> lock = ReadAdminLock();
            ASSERT_TRUE(lock);
            EXPECT_TRUE(lock->Enabled);
            EXPECT_EQ(lock->Password, QStringLiteral("abc"));
        }
    }
    window.PropCheck[12]->click();
    EXPECT_TRUE(window.PropText[2]->isEnabled());
    EXPECT_TRUE(window.PropText[3]->isEnabled());
    EXPECT_FALSE(ReadAdminLock()->Enabled);
}

TEST_F(StylePagesTest, ALockTheFileTurnsOnPassesTheSameChecksAsAClick)
{
    for (const LockCase& c : LockCases) {
        SCOPED_TRACE(c.password + std::string("/") + c.confirmation);
        ASSERT_TRUE(WriteAdminLock({QLatin1String(c.password), QLatin1String(c.confirmation), true}));
        const QByteArray stored = home.read(LockFileName);
        dialogs.asked.clear();
        for (int load = 0; load < 2; ++load) {
            Properties::instance().Unload();
            Properties::instance();
            EXPECT_EQ(window.PropCheck[12]->isChecked(), c.refusal == nullptr);
            EXPECT_EQ(window.PropText[2]->isEnabled(), c.refusal != nullptr);
        }
        // Told once, not at every load; the file is left as it was.
        if (c.refusal) {
            ASSERT_EQ(dialogs.asked.size(), 1);
            EXPECT_TRUE(dialogs.asked[0].prompt.contains(QLatin1String(c.refusal)));
            EXPECT_TRUE(dialogs.asked[0].prompt.contains(LockFileName));
            EXPECT_EQ(dialogs.asked[0].title, QStringLiteral("Property Lock"));
        } else {
            EXPECT_TRUE(dialogs.asked.isEmpty());
        }
        EXPECT_EQ(home.read(LockFileName), stored);
    }
}
