#include "core/WindowUtils.h"

#include "core/Colors.h"
#include "core/LogPane.h"
#include "core/Raster.h"
#include "core/SharedState.h"
#include "core/Twips.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace zor {

namespace {

std::array<QChar, 4>& AccessKeySlots()
{
    static std::array<QChar, 4> keys = {QLatin1Char(' '), QLatin1Char(' '), QLatin1Char(' '), QLatin1Char(' ')};
    return keys;
}

} // namespace

void LetEventsRunOnceAFrame()
{
    static QElapsedTimer sinceEvents;
    if (sinceEvents.isValid() && sinceEvents.elapsed() < FrameMs)
        return;
    QCoreApplication::processEvents();
    sinceEvents.start();
}

void AppendConsole(LogPane& console, const QString& text)
{
    if (console.Length() >= PaneMaxChars + 1)
        console.KeepLast(PaneKeptChars);
    console.AppendCapped(text + QStringLiteral("\n"), PaneMaxChars, PaneKeptChars);
    if (console.isVisible())
        console.setFocus();
}

void AppendProcText(LogPane& procText, const QString& text)
{
    if (text.isEmpty()) {
        procText.ClearText();
        return;
    }
    if (procText.Length() > PaneMaxChars)
        procText.KeepLast(PaneKeptChars);
    procText.AppendCapped(text, PaneMaxChars, PaneKeptChars);
}

const std::array<QChar, 4>& UsedAccessKeys()
{
    return AccessKeySlots();
}

QString AssignAccessKey(const QString& caption)
{
    auto& keys = AccessKeySlots();
    if (caption.isEmpty()) {
        keys.fill(QLatin1Char(' '));
        return {};
    }
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar lower = caption.at(i).toLower();
        if (std::find(keys.begin(), keys.end(), lower) != keys.end())
            continue;
        for (QChar& key : keys) {
            if (key == QLatin1Char(' ')) {
                key = lower;
                break;
            }
        }
        return caption.left(i) + QLatin1Char('&') + caption.mid(i);
    }
    return caption;
}

QString ShownCaption(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void SetFontPoints(QWidget& widget, double points)
{
    if (!(points > 0))
        return;
    QFont font = widget.font();
    font.setPointSizeF(points);
    widget.setFont(font);
}

bool IsVisible(const QWidget& widget)
{
    const QWidget* parent = widget.parentWidget();
    return parent ? widget.isVisibleTo(parent) : widget.isVisible();
}

void CenterForm(QWidget& form)
{
    const QScreen* screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    form.move(area.x() + area.width() / 2 - form.width() / 2, area.y() + area.height() / 2 - form.height() / 2);
}

void KeepOnSomeScreen(QWidget& window)
{
    const QRect placed(window.pos(), window.size());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(placed))
            return;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    const QRect area = primary->availableGeometry();
    window.move(area.x() + std::max(0, (area.width() - window.width()) / 2),
                area.y() + std::max(0, (area.height() - window.height()) / 2));
}

void CenterInParent(QWidget& child, const QWidget& parent)
{
    child.move(parent.width() / 2 - child.width() / 2, parent.height() / 2 - child.height() / 2);
}

QStringList ListItems(const QListWidget& list)
{
    QStringList items;
    items.reserve(list.count());
    for (int i = 0; i < list.count(); ++i)
        items << list.item(i)->text();
    return items;
}

void MakePasswordBox(QLineEdit& box)
{
    box.setEchoMode(QLineEdit::Password);
    box.setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
}

QPoint CentredOnScreen(const QRect& window, const QSize& dialog, const QRect& screen)
{
    const auto keepOn = [](int at, int size, int areaStart, int areaSize) {
        return std::max(areaStart, std::min(at, areaStart + areaSize - size));
    };
    return {keepOn(window.x() + (window.width() - dialog.width()) / 2, dialog.width(), screen.x(), screen.width()),
            keepOn(window.y() + (window.height() - dialog.height()) / 2, dialog.height(), screen.y(), screen.height())};
}

void CenterOverWindow(QWidget& dialog, const QWidget& window)
{
    // Outer frames, caption included: a caption above the screen's top could
    // not be grabbed to move the dialog back.
    const QRect over = window.frameGeometry();
    const QScreen* screen = window.screen();
    dialog.move(CentredOnScreen(over, dialog.frameGeometry().size(), screen ? screen->availableGeometry() : over));
}

namespace {

class ActivationCentring : public QObject {
public:
    ActivationCentring(QWidget& dialog, const QWidget& window) : QObject(&dialog), mWindow(&window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate && mWindow)
            CenterOverWindow(*static_cast<QWidget*>(watched), *mWindow);
        return false;
    }

private:
    QPointer<const QWidget> mWindow;
};

} // namespace

void CenterOverWindowOnActivation(QWidget& dialog, const QWidget& window)
{
    dialog.installEventFilter(new ActivationCentring(dialog, window));
}

void PlaceUnderToolbar(QWidget& form, const QWidget& sessionWindow, int toolbarHeight)
{
    form.move(sessionWindow.x() + TwipsToPixels(90), sessionWindow.y() + toolbarHeight + TwipsToPixels(660));
}

void UpdateMainCaption(QWidget& sessionWindow)
{
    sessionWindow.setWindowTitle(SessionTitle + QLatin1Char(' ') + CommStatusText);
}

void DrawRaisedEdges(Raster raster, int thickness)
{
    const int w = raster.Width();
    const int h = raster.Bottom();
    const int t = thickness;
    const QRgb highlight = ToRgb(COLOR_3DHIGHLIGHT);
    const QRgb shadow = ToRgb(COLOR_BTNSHADOW);
    raster.Fill(0, 0, w, t - 1, highlight);
    raster.Fill(0, t - 1, t - 1, h, highlight);
    raster.Fill(w - t, t - 1, w - 1, h - 1, shadow);
    raster.Fill(1, h - t, w - 1, h - 1, shadow);
}

void DrawRaisedBorder(QImage& surface, const QColor& background)
{
    surface.fill(background);
    DrawRaisedEdges(Raster(surface), 2);
}

} // namespace zor
