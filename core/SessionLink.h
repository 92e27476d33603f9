#pragma once

#include <QString>
#include <functional>

namespace zor {

// What the core helpers need from the session window and the report viewer.
// Those windows fill these in when they are created; tests put recorders here.
// Unset entries do nothing.
struct SessionLink {
    // Writes text to the host channel as it stands (bytes 0..255).
    std::function<void(const QString& text)> Send;
    // Gives the session window a new size in pixels.
    std::function<void(int width, int height)> ResizeWindow;
    // Applies the input boxes' fore and back colours.
    std::function<void(qint32 fore, qint32 back)> ApplyInputColours;
    // Adds a page break to the captured report.
    std::function<void()> ReportPageBreak;
    // Sounds the bell.
    std::function<void()> Beep;
    // Tells in the session's caption that receipts cannot be printed.
    std::function<void()> ReceiptPrinterNotAvailable;
    // The installed printers came in after the settings window had them
    // shown: Printers and PrinterMap changed under it.
    std::function<void()> PrintersListed;
};

SessionLink& Link();

} // namespace zor
