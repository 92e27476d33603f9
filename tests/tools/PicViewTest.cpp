#include "tests/support/TestSupport.h"
#include "tools/FolderList.h"
#include "tools/fPicView.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zor;

namespace {

QStringList Items(const QListWidget& list)
{
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items << list.item(i)->text();
    return items;
}

} // namespace

class PicViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(Qt::red);
        ASSERT_TRUE(picture.save(file("b.bmp"), "BMP"));
        // No GIF writer: the reader knows a picture by its content.
        ASSERT_TRUE(picture.save(file("a.gif"), "PNG"));
        ASSERT_TRUE(picture.save(file("C.JPG"), "JPG"));
        for (const char* other : {"notes.txt", "drawing.wmf", "broken.jpg"})
            Write(file(QLatin1String(other)), "not a picture");
        QDir(folder.path()).mkdir(QStringLiteral("empty"));
    }
    QString file(const QString& name) const { return QDir(folder.path()).filePath(name); }
    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QTemporaryDir folder;
    test::DialogScript dialogs;
};

TEST_F(PicViewTest, OpensOnTheFolderOfThePictureInUseListingItsPictures)
{
    fPicView picker(file("b.bmp") + QStringLiteral("   "));
    EXPECT_EQ(picker.Dir1->path(), QDir::cleanPath(folder.path()));
    EXPECT_EQ(Items(*picker.File1), (QStringList{"a.gif", "b.bmp", "broken.jpg", "C.JPG"}));
    // The first picture is selected and shown.
    EXPECT_EQ(picker.File1->currentRow(), 0);
    EXPECT_FALSE(picker.Image1->pixmap().isNull());
    EXPECT_EQ(picker.Image1->pixmap().size(), picker.Image1->size());

    // A file that is no picture shows nothing, and nothing fails.
    picker.File1->setCurrentRow(2);
    EXPECT_TRUE(picker.Image1->pixmap().isNull());
    picker.File1->setCurrentRow(1);
    EXPECT_FALSE(picker.Image1->pixmap().isNull());
}

TEST_F(PicViewTest, WithoutAPictureOrWithItsFolderGoneItOpensOnTheHomeFolder)
{
    for (const QString& current : {QString(), QStringLiteral("   "), file("gone/x.bmp")}) {
        fPicView picker(current);
        EXPECT_EQ(picker.Dir1->path(), QDir::cleanPath(QDir::homePath())) << current.toStdString();
    }
}

TEST_F(PicViewTest, AcceptAnswersTheSelectedFileAndNeverAFolder)
{
    fPicView picker(file("b.bmp"));
    picker.File1->setCurrentRow(1);
    picker.Command2_Click();
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(picker.Chosen(), file("b.bmp"));

    fPicView empty(file("empty/x.bmp"));
    ASSERT_EQ(empty.File1->count(), 0);
    empty.Command2_Click();
    EXPECT_EQ(empty.result(), QDialog::Rejected);
    EXPECT_TRUE(empty.Chosen().isEmpty());
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(PicViewTest, APathTheConfigurationCannotKeepIsRefusedAndThePickerStaysOpen)
{
    const QString longFolder = file(QString(100 - folder.path().size(), QLatin1Char('p')));
    const QString wideFolder = file(QStringLiteral("Bilder \u20AC"));
    for (const QString& sub : {longFolder, wideFolder}) {
        SCOPED_TRACE(sub.toStdString());
        ASSERT_TRUE(QDir().mkpath(sub));
        ASSERT_TRUE(QFile::copy(file("b.bmp"), sub + QStringLiteral("/b.bmp")));
        dialogs.asked.clear();
        fPicView picker(sub + QStringLiteral("/b.bmp"));
        picker.show();
        picker.Command2_Click();
        ASSERT_EQ(dialogs.asked.size(), 1);
        EXPECT_TRUE(dialogs.asked[0].prompt.contains(sub + QStringLiteral("/b.bmp")));
        EXPECT_TRUE(picker.isVisible());
        EXPECT_TRUE(picker.Chosen().isEmpty());
    }
}

TEST_F(PicViewTest, DeleteAsksFirstAndRemovesTheFileOnlyOnYes)
{
    fPicView picker(file("b.bmp"));
    picker.show();
    picker.File1->setCurrentRow(1);
    picker.File1->setFocus();

    dialogs.answer(int(Dialogs::No));
    QTest::keyClick(picker.File1, Qt::Key_Delete);
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].style, Dialogs::YesNo + Dialogs::Question + Dialogs::DefaultButton2);
    EXPECT_TRUE(dialogs.asked[0].prompt.contains(file("b.bmp")));
    EXPECT_TRUE(QFile::exists(file("b.bmp")));
    EXPECT_EQ(picker.File1->count(), 4);

    dialogs.answer(int(Dialogs::Yes));
    QTest::keyClick(picker.File1, Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(file("b.bmp")));
    EXPECT_EQ(Items(*picker.File1), (QStringList{"a.gif", "broken.jpg", "C.JPG"}));
    EXPECT_EQ(picker.File1->currentItem()->text(), QStringLiteral("broken.jpg"));
    EXPECT_EQ(dialogs.asked.size(), 2);
    EXPECT_TRUE(picker.isVisible());
}
