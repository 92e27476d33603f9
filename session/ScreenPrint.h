#pragma once

#include <QString>
#include <vector>

class QPixmap;
class QPrinter;

namespace zor {

// One caption of the text print, placed in twips from the printable area's
// top left corner.
struct PrintedText {
    int x = 0;
    int y = 0;
    QString text;
    bool operator==(const PrintedText&) const = default;
};

// The captions of the entities in use, buttons left out, each at its column
// x 135 and row x 300 twips, trimmed; a captionless entity prints "".
std::vector<PrintedText> ScreenTextLayout();

// Prints the screen's text as one job; false when the printer could not be
// started.
bool PrintScreenText(QPrinter& printer);
// Prints the picture at its own size (96-DPI pixels), made smaller to fit
// the page where it is larger; false when the printer could not be started.
bool PrintScreenShot(QPrinter& printer, const QPixmap& picture);

} // namespace zor
