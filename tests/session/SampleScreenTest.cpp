#include "core/Appearance.h"
#include "core/Colors.h"
#include "core/Images.h"
#include "session/fConnection.h"
#include "tests/support/ScreenStateScope.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <gtest/gtest.h>

using namespace zor;

namespace {

void Put(int index, EntityKind kind, int x, int y, int width, int height, const QString& caption, int align = 0,
         int region = 0, int image = 0, bool active = true)
{
    Entity& e = Entities[static_cast<size_t>(index)];
    e = test::MakeEntity(kind, x, y, width, height, caption, align);
    e.Region = static_cast<qint16>(region);
    e.ImageIndex = static_cast<qint16>(image);
    e.Active = active ? VbTrue : VbFalse;
}

QImage SamplePicture()
{
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(QColor(250, 240, 200));
    QPainter p(&picture);
    p.setBrush(QColor(200, 60, 40));
    p.drawEllipse(8, 6, 30, 30);
    p.setBrush(QColor(40, 120, 200));
    p.drawRect(30, 20, 28, 22);
    return picture;
}

} // namespace

// A screen as a host draws it, written to the test output for a person to
// look at: every kind, a sub-window with its entities, the design grid.
TEST(SampleScreen, AllKindsSubWindowAndGrid)
{
    test::ProgramFolderScope folder;
    QFile::copy(QStringLiteral(ZOR_SOURCE_DIR "/resources/back3.bmp"), folder.file(QStringLiteral("back3.bmp")));
    test::ScreenStateScope state;
    SetDefaultAppearance();
    fConnection& window = fConnection::instance();
    window.resize(1000, 700);
    window.show();

    Put(0, KindPageHeader, 0, 0, 80, 1, QStringLiteral("ORDER ENTRY"), 2);
    Put(1, KindFieldCaption, 2, 2, 12, 1, QStringLiteral("Customer:"));
    Put(2, KindField, 14, 2, 20, 1, QStringLiteral("SMITH & SONS LTD"));
    Put(3, KindFieldCaption, 2, 3, 12, 1, QStringLiteral("Amount:"));
    Put(4, KindFixedField, 14, 3, 10, 1, QStringLiteral("1,234.50"), 1);
    Put(5, KindBox, 1, 5, 40, 8, QString());
    Put(6, KindColumnCaption, 2, 5, 38, 1, QStringLiteral("Item     Description        Qty"));
    Put(7, KindFixedPitchCaption, 2, 7, 30, 1, QStringLiteral("A100 Widgets large   12"), 4);
    Put(8, KindOptionButton, 2, 9, 10, 1, QStringLiteral("Arrow option"), 0, 0, 0);
    Put(9, KindOptionButton, 2, 10, 10, 1, QStringLiteral("Marked option"), 0, 0, 1);
    Put(10, KindOptionButton, 2, 11, 10, 1, QStringLiteral("Pointer option"), 0, 0, 2);
    Put(11, KindActionButton, 2, 20, 10, 2, QStringLiteral("F1 Help"), 2);
    Put(12, KindActionButton, 15, 20, 10, 2, QStringLiteral("F2 Save"), 2, 0, 0, false);
    Put(13, KindSmallButton, 28, 20, 6, 1, QStringLiteral("Next"), 2);
    Put(14, KindImageDisplay, 44, 3, 12, 6, QString());
    Put(15, KindField, 14, 14, 20, 1, QStringLiteral("right aligned"), 1);
    window.eImage[0] = SamplePicture();

    SubWindowRect = {50, 12, 24, 6};
    Put(16, KindFieldCaption, 51, 13, 10, 1, QStringLiteral("Qty:"), 0, 1);
    Put(17, KindField, 58, 13, 8, 1, QStringLiteral("12"), 1, 1);
    Put(18, KindActionButton, 60, 15, 8, 2, QStringLiteral("OK"), 2, 1);
    EntityCount = 19;
    window.GuiWindowCap->setText(QStringLiteral("Quantity"));
    window.Shadow->show();
    window.lvMainPic->show();
    TestMode = 1;
    window.Form_Resize();
    window.GuiWindowCap->setGeometry(0, 0, window.lvMainPic->width(), static_cast<int>(CellHeight.toDouble()));
    window.DrawEntities();

    const QImage shot = window.grab().toImage();
    test::SaveTestOutput(QStringLiteral("sample-screen.png"), shot);

    // The field's white fill and the page header's title-bar fill are there.
    const QImage& main = window.MainPic->Image();
    const double cw = CellWidth.toDouble();
    const double ch = CellHeight.toDouble();
    EXPECT_EQ(main.pixel(static_cast<int>(32 * cw), static_cast<int>(2.5 * ch)), ToRgb(COLOR_WINDOW));
    EXPECT_EQ(main.pixel(static_cast<int>(5 * cw), static_cast<int>(0.5 * ch)), ToRgb(COLOR_ACTIVECAPTION));

    TestMode = 0;
    window.lvMainPic->hide();
    window.Shadow->hide();
    EntityCount = 0;
    window.eImage[0] = QImage();
    window.hide();
}
