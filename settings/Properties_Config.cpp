// Loading and saving the session configuration: the file layer of
// ConfigFile.h applied to the session window and to the settings window.
#include "settings/Properties.h"

#include "core/Backdrop.h"
#include "core/Colors.h"
#include "core/FileSave.h"
#include "core/ProgramFolder.h"
#include "core/Rounding.h"
#include "core/SharedState.h"
#include "core/Text.h"
#include "core/Twips.h"
#include "core/WindowUtils.h"
#include "devices/ModPrinter.h"
#include "devices/modComm.h"
#include "session/fConnection.h"
#include "settings/ComPortOptions.h"
#include "settings/ConfigFile.h"
#include "settings/ControlColours.h"
#include "settings/SessionFont.h"
#include "settings/SettingsFields.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace zor {

namespace {

enum WindowStateCode : qint16 { StateNormal = 0, StateMinimised = 1, StateMaximised = 2 };

QString ConfigPath()
{
    return QDir(ProgramFolder()).filePath(ConfigFile);
}

qint16 StateCode(Qt::WindowStates state)
{
    if (state & Qt::WindowMinimized)
        return StateMinimised;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return StateMaximised;
    return StateNormal;
}

// Pixels as Integer twips; a window beyond the Integer's reach is stored at
// its edge rather than failing the whole save.
qint16 ToTwipsInteger(int pixels)
{
    const double twips = RoundHalfEven(PixelsToTwips(pixels));
    return static_cast<qint16>(std::clamp(twips, -32768.0, 32767.0));
}

void SetSwitch(QAbstractButton& box, qint16 value)
{
    box.setChecked(value != 0);
}

// The remembered size. A size the file never supplied (a missing file, an
// empty width) leaves the window as large as it is: a window of no size is of
// no use to anyone. No size is larger than the screen the window opens on.
void ApplyWindowSize(fConnection& session, qint16 stateCode, bool haveState)
{
    const QScreen* screen = session.screen() ? session.screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    if (SavedWindowWidth && std::isfinite(*SavedWindowWidth) && *SavedWindowWidth > 0) {
        const double twips = std::min<double>(*SavedWindowWidth, PixelsToTwips(room.width()));
        session.resize(std::max(1, TwipsToPixels(twips)), session.height());
        QCoreApplication::processEvents();
    }
    if (SavedWindowHeight > 0) {
        session.resize(session.width(), std::max(1, std::min(TwipsToPixels(SavedWindowHeight), room.height())));
        QCoreApplication::processEvents();
    }
    if (haveState) {
        switch (stateCode) {
        case StateNormal:
            session.setWindowState(session.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
            break;
        case StateMinimised:
            session.setWindowState(session.windowState() | Qt::WindowMinimized);
            break;
        case StateMaximised:
            session.setWindowState((session.windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
            break;
        default:
            break;
        }
        QCoreApplication::processEvents();
    }
}

} // namespace

void Properties::LoadINI()
{
    fConnection& session = fConnection::instance();
    ConfigWindowItems window;
    int items = 0;
    QFile file(ConfigPath());
    if (file.open(QIODevice::ReadOnly))
        items = ReadConfig(file.readAll(), window);
    file.close();
    if (items >= 3)
        session.move(TwipsToPixels(window.Left), session.y());
    if (items >= 4)
        session.move(session.x(), TwipsToPixels(window.Top));

    SetBoxColours(*session.INText, InputForeColor, InputBackColor);
    SetBoxColours(*session.lvINText, InputForeColor, InputBackColor);
    SetBoxColours(*session.ConsoleText, InputForeColor, InputBackColor);
    SetForeColor(*Label2, InputForeColor);
    SetBackColor(*Label2, InputBackColor);
    SetBackColor(*PropClr[6], InputForeColor);
    SetBackColor(*PropClr[7], InputBackColor);

    NormaliseLoadedConfig();

    // A name never written is NUL bytes: no font to ask for.
    if (items >= 1 && !TrimBlanksAndNuls(window.FontName).isEmpty())
        SetFontName(session, Trim(window.FontName));
    if (items >= 2)
        SetFontBold(session, window.FontBold != 0);

    SetBackColor(*PropClr[1], Settings.BackColor);
    session.lvMainPic->SetBackColor(ToQColor(Settings.BackColor));

    ShowSettings();
    ShowBackdropPicture();

    ApplyWindowSize(session, window.WindowState, items >= 5);
    KeepOnSomeScreen(session);
    session.PaintBackdrop();

    if (const auto caption = ConfigCaption(ConfigFile))
        session.setWindowTitle(*caption);
    // Events ran while the window was sized; the boxes show the switches as
    // the file gave them, whatever a handler did meanwhile.
    SetSwitch(*cbSecureConnection, SecureConnection);
    SetSwitch(*cbSuppressLF, SuppressLF);
    SetSwitch(*cbExitMode, ExitOnDisconnect);

    LoadCommSettings();
    ShowCommSettingsOnForm();
    SessionTitle = ConfigSessionTitle(ConfigFile);
    if (const auto termId = ReadTermIdFile(ProgramFile(QStringLiteral("termid.dat")))) {
        TermId = *termId;
        PropText[5]->setText(TermId);
    }
}

void Properties::ShowSettings()
{
    PropText[0]->setText(ShownFixedWidth(Settings.HostName));
    PropText[1]->setText(ShownPort(Settings.Port));
    PropText[4]->setText(ShownFixedWidth(HostDescription));
    SetSwitch(*PropCheck[2], Settings.UseGradient);
    SetSwitch(*PropCheck[1], Settings.NoBackImage);
    // The file may hold no placement at all; exclusive buttons could not
    // show that.
    const qint16 placements[PropOptionSlots] = {Settings.BackCentred, Settings.BackTiled, Settings.BackStretched,
                                                Settings.BackLeft};
    for (int i = 0; i < PropOptionSlots; ++i) {
        PropOption[i]->setAutoExclusive(false);
        SetSwitch(*PropOption[i], placements[i]);
    }
    for (QRadioButton* option : PropOption)
        option->setAutoExclusive(true);
    SetSwitch(*cbSecureConnection, SecureConnection);
    SetSwitch(*cbSuppressLF, SuppressLF);
    SetSwitch(*cbExitMode, ExitOnDisconnect);
    SetSwitch(*PropCheck[3], Settings.GradChannel1);
    SetSwitch(*PropCheck[4], Settings.GradChannel2);
    SetSwitch(*PropCheck[5], Settings.GradChannel3);
    SetSwitch(*PropCheck[6], Settings.GradReverse);
}

void Properties::ShowBackdropPicture()
{
    // The defaults store the path padded to its width, as the file does.
    const QString path = Trim(Settings.BackImageFile);
    // A pipe or a device named here could hold the start-up without end.
    const QString file = BackdropPicturePath(path);
    if (path.isEmpty() || !QFileInfo(file).isFile())
        return;
    const QImage picture(file);
    if (picture.isNull())
        return;
    bImage[0]->setScaledContents(true);
    bImage[0]->setPixmap(QPixmap::fromImage(picture));
    bImage[0]->setProperty("Tag", path);
    fConnection::instance().BackImage = picture.convertToFormat(QImage::Format_RGB32);
}

bool Properties::SaveINI()
{
    fConnection& session = fConnection::instance();
    const qint16 state = StateCode(session.windowState());
    if (state == StateNormal) {
        SavedWindowWidth = static_cast<float>(PixelsToTwips(session.width()));
        SavedWindowHeight = ToTwipsInteger(session.height());
    }
    ConfigWindowItems window;
    window.FontName = FixedWidth(session.WorkFont.family(), ConfigFontNameWidth);
    window.FontBold = session.WorkFont.bold() ? VbTrue : VbFalse;
    window.Left = ToTwipsInteger(session.x());
    window.Top = ToTwipsInteger(session.y());
    window.WindowState = state;
    ReadCommSettingsFromForm();
    return SaveFileWhole(ConfigPath(), WriteConfig(window)) &&
           SaveFileWhole(ProgramFile(QStringLiteral("cacheval.dat")), CacheValueFileText()) &&
           SaveFileWhole(ProgramFile(QStringLiteral("termid.dat")), TermIdFileText()) && SaveCommSettings() &&
           SavePrinterMap() && SaveResponses();
}

} // namespace zor
