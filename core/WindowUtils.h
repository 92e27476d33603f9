#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <array>

class QImage;
class QPoint;
class QRect;
class QSize;
class QLineEdit;
class QListWidget;
class QWidget;

namespace zor {

class Raster;

class LogPane;

// The growing text panes keep at most this many characters, cut back in one
// step to the last PaneKeptChars so that the cut happens rarely.
constexpr int PaneMaxChars = 50000;
constexpr int PaneKeptChars = 45000;

// Appends text + CR LF to the console, giving it the focus when it is shown.
void AppendConsole(LogPane& console, const QString& text);
// Appends text as it is to the procedure text; an empty text clears it.
void AppendProcText(LogPane& procText, const QString& text);

// About a frame of a screen: work that the user only needs to see is done at
// most this often.
constexpr qint64 FrameMs = 16;

// Lets the window's events run, so that what the host just showed is painted
// and the user's clicks are taken, at most once a frame: a host sending a
// flood of units that each want to be seen must not cost a repaint a unit.
void LetEventsRunOnceAFrame();

// Access keys for up to four buttons: the caption with "&" before its first
// character not yet used. An empty caption frees the four slots.
QString AssignAccessKey(const QString& caption);
const std::array<QChar, 4>& UsedAccessKeys();

// Host text as a label or a button shows it: every CR the host puts into a
// caption breaks the line (a Qt label breaks only at LF).
QString ShownCaption(QString text);

// The control's font at the size in points; a size of none (no cells laid
// out yet) leaves it.
void SetFontPoints(QWidget& widget, double points);

// The control's own visible flag, as show() and hide() set it, whether or not
// its window is on the screen.
bool IsVisible(const QWidget& widget);

void CenterForm(QWidget& form);
// A window that no screen shows (a position saved on a screen since removed,
// or a damaged file) is centred on the primary screen instead.
void KeepOnSomeScreen(QWidget& window);
void CenterInParent(QWidget& child, const QWidget& parent);
// The texts of a list box's items, in order.
QStringList ListItems(const QListWidget& list);
// Makes a line edit a password box that masks each character with "*", as
// users of the log-on and lock dialogs expect, not with the style's bullet.
void MakePasswordBox(QLineEdit& box);
// Where a dialog of the size goes centred over the window's rectangle, moved
// only as far as keeps it whole on the screen area; one larger than the area
// keeps its top-left corner (and so its caption) on it.
QPoint CentredOnScreen(const QRect& window, const QSize& dialog, const QRect& screen);
// Centres a dialog over another top-level window (the session window), kept
// on the available area of that window's screen: a session window partly off
// the screen never leaves a dialog where the user cannot reach it.
void CenterOverWindow(QWidget& dialog, const QWidget& window);
// Centres the dialog over the window each time the dialog becomes active, so
// a dialog moved away comes back over the session when it is used again.
void CenterOverWindowOnActivation(QWidget& dialog, const QWidget& window);
// Puts a dialog under the session window's toolbar.
void PlaceUnderToolbar(QWidget& form, const QWidget& sessionWindow, int toolbarHeight);
// The session window's caption from SessionTitle and CommStatusText.
void UpdateMainCaption(QWidget& sessionWindow);
// Draws raised edges of the thickness round the surface: highlight at the
// top and left, shadow at the right and bottom.
void DrawRaisedEdges(Raster surface, int thickness);
// Clears the surface to its back colour and draws a two-pixel raised border.
void DrawRaisedBorder(QImage& surface, const QColor& background);

} // namespace zor
