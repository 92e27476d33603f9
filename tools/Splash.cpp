#include "tools/Splash.h"

#include "core/SharedState.h"
#include "core/Twips.h"
#include "core/WindowUtils.h"

#include <QFont>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

namespace zor {

namespace {

constexpr int PictureWidth = 400;
constexpr int PictureHeight = 220;

QPixmap SplashPicture()
{
    QPixmap picture(PictureWidth, PictureHeight);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, PictureHeight);
    sky.setColorAt(0, QColor(0, 48, 128));
    sky.setColorAt(1, QColor(120, 170, 230));
    painter.fillRect(picture.rect(), sky);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 30, PictureWidth, 90), Qt::AlignCenter, QStringLiteral("ZOR"));
    font.setPointSize(14);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(0, 120, PictureWidth, 40), Qt::AlignCenter, QStringLiteral("Graphical User Interface"));
    return picture;
}

} // namespace

Splash::Splash() : QDialog(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Splash"));
    setModal(true);
    SplashPic = new QLabel(this);
    SplashPic->setObjectName(QStringLiteral("SplashPic"));
    SplashPic->setPixmap(SplashPicture());
    SplashPic->setGeometry(0, 0, PictureWidth, PictureHeight);
    Label1 = new QLabel(VersionLine(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setBold(true);
    Label1->setFont(font);
    Label1->setStyleSheet(QStringLiteral("color: white;"));
    Label1->setGeometry(0, PictureHeight - 30, PictureWidth, 20);
    setFixedSize(PictureWidth, PictureHeight + TwipsToPixels(100));
    CenterForm(*this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &QDialog::accept);
    Timer1->start();
}

void Splash::mousePressEvent(QMouseEvent* event)
{
    // The picture and the label pass their presses on to the window.
    QDialog::mousePressEvent(event);
    accept();
}

} // namespace zor
