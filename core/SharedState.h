#pragma once

// The state that the subsystems share for the whole run, one instance each,
// under the names every part of the program uses for them. Booleans that are
// only switches are bool; those the host or the files hold as -1/0 integers
// stay qint16.

#include "core/Currency.h"
#include "core/Records.h"

#include <QString>
#include <QStringList>
#include <array>

namespace zor {

constexpr int EntitySlots = 1002;     // Entities(0 To 1001)
constexpr int EntityDataSlots = 1001; // EntityData(0 To 1000)
constexpr int EntityAttrSlots = 21;   // EntityAttrs(0 To 20)
constexpr int ScriptKeySlots = 32;    // ScriptKeys(0 To 31)
constexpr int PrinterTypeSlots = 11;  // PrinterTypes / PrinterMap (0 To 10)

constexpr qint16 VbTrue = -1;
constexpr qint16 VbFalse = 0;

// Session configuration and screen model
inline QString ConfigFile;
inline SessionSettings Settings;
inline std::array<Entity, EntitySlots> Entities;
inline qint16 EntityCount = 0;
inline std::array<QString, EntityDataSlots> EntityData;
inline std::array<EntityAttr, EntityAttrSlots> EntityAttrs;
inline Currency DefaultFontScale = Currency::fromDouble(1);
inline Currency CellWidth;
inline Currency CellHeight;
inline qint16 CurPage = 0;
// Left column, top row (one more than the row the host gave), width, height.
inline std::array<qint16, 4> SubWindowRect = {0, 0, 0, 0};
// Set by the interpreter when the entity table changed: the receive pipeline
// redraws the whole screen once after the chunk.
inline bool ScreenChanged = false;
// Host pictures in use since the screen was cleared; the next one loads into
// this slot of the window's picture store.
inline qint16 ImageCount = 0;

// Modes
inline bool Connected = false;
inline bool MsgBoxUp = false;
inline bool InputPending = false;
inline bool ItemListUp = false;
// True while the screen is being cleared: input validation stands aside.
inline bool ClearingScreen = false;
inline qint16 CaptureEnabled = 0;
inline qint16 ShadowOn = VbTrue;
inline qint16 TestMode = 0;
inline bool ReportMode = false;
inline bool ProcMode = false;
inline bool ComMode = false;
inline QString TypeAhead;
inline qint16 TabletMode = 0;
// 1 while the ten-key pad stays open after Enter (opened from the toolbar).
inline qint16 TenKeyPinned = 0;
inline qint16 UseScreenCache = 1;

// Typed answers
// 0, or the key index (1..30) with which typed answers are enciphered.
inline qint16 InputKeyIndex = 0;
// The open input box's text changed since the box opened.
inline bool InputChanged = false;
// The inline help panel is shown; the next key only closes it.
inline bool HelpShown = false;
// Character code Alt+B sends, from the settings.
inline double BreakChar = 0;
// The link buttons given since the procedure panel opened; the next link
// takes the button of this number while there is one.
inline int ProcLinkCount = 0;
// The column header of the list selection being built.
inline QString ListHeader;
constexpr int ItemListSlots = 11; // ILList(0 To 10), ItemListValues(0 To 10)
// The current choice of each item list: the first word of its chosen line.
inline std::array<QString, ItemListSlots> ItemListValues;

// Tracing, printers, version and captions
inline qint16 TraceMaxLines = 30000;
inline QString ComPortPrinterName = QStringLiteral("Com Port Printer");
inline std::array<QString, PrinterTypeSlots> PrinterTypes;
inline std::array<qint16, PrinterTypeSlots> PrinterMap = {};
// The installed printers, then ComPortPrinterName at PrinterCount, then "".
inline qint16 PrinterCount = 0;
inline QStringList Printers;
// Whether the print server has listed the installed printers this session;
// until then Printers holds those the printer map file names.
inline bool InstalledPrintersKnown = false;
inline qint16 CurrentPrinterType = 0;
// Report capture: lines straight to the printer (1) or into the report
// store (0); the printer type that gets the report at its end (-1 the
// viewer); the text of the last raw report; the rows it had at its end and
// the viewer's lines per page.
inline qint16 ReportDirect = 0;
inline qint16 TargetPrinter = -1;
inline QString ReportBuffer;
inline qint64 ReportRowCount = 0;
inline qint16 ReportPageLines = 1;
// Receipts go to the serial port (the receipt printer is the pseudo printer)
// rather than as raw jobs.
inline bool UseComPortDriver = false;
// The receipt printer's serial port is configured and open.
inline bool UseComm = false;
inline QString VersionSuffix = QStringLiteral("1");
inline QString SessionTitle;
inline QString CommStatusText;
inline std::array<QString, ScriptKeySlots> ScriptKeys;

// Menu tree
inline QString JumpKey;        // the key last sent from the menu tree
inline QString JumpSearchText; // the last node search text
inline int JumpSearchPos = 0;  // the 1-based node at which the next search starts

// Session switches stored in the configuration file
inline qint32 InputForeColor = 0;
inline qint32 InputBackColor = 0;
inline QString HostDescription;
inline qint16 ComPortPacing = 0;
inline qint16 ComPortBlockSize = 0;
inline qint16 ComPortPause = 0;
inline qint16 KioskMode = 0;
inline qint16 SendFunKeys = 0;
inline qint16 SecureConnection = 0;
inline qint16 ConfigReserved = 0;
inline qint16 SuppressLF = 0;
inline qint16 ExitOnDisconnect = 0;
inline QString LastUser;
inline qint16 EncryptScripts = 0;
inline QString TermId;

// The program's version, shown as major.minor.revision.
constexpr int VersionMajor = ZOR_VERSION_MAJOR;
constexpr int VersionMinor = ZOR_VERSION_MINOR;
constexpr int VersionRevision = ZOR_VERSION_REVISION;
QString VersionNumber(); // "major.minor.revision"
// "Version " + major.minor.revision + VersionSuffix, with no separator before
// the suffix, as the splash and the about window show it.
QString VersionLine();

// Start-up step 1: the start values that Main gives.
void SetStartValues();

// True when the entity index is a slot of the table.
constexpr bool IsEntitySlot(int index)
{
    return index >= 0 && index < EntitySlots;
}

} // namespace zor
