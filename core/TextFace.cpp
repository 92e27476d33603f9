#include "core/TextFace.h"

#include "core/Raster.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

namespace zor {

namespace {

// A redraw uses a handful of sizes; the cap only guards against a host that
// keeps asking for new ones.
constexpr size_t MaxFaces = 64;

// Host screens count in whole pixels: full hinting gives whole-pixel advances
// and glyphs placed on pixels, whatever font the configuration names. The
// glyphs are solid, as the classic screen text service drew them; that keeps
// small fixed-pitch text crisp.
QFont Hinted(const QFont& font, const QPaintDevice& device)
{
    QFont hinted(font, &device);
    hinted.setHintingPreference(QFont::PreferFullHinting);
    hinted.setStyleStrategy(QFont::NoAntialias);
    return hinted;
}

} // namespace

TextFace::TextFace(const QFont& font, const QPaintDevice& device) : font_(font), dpi_(device.logicalDpiY())
{
    const QFont hinted = Hinted(font, device);
    const QFontMetrics metrics(hinted, &device);
    height_ = metrics.height();
    ascent_ = metrics.ascent();
    const QRgb white = qRgb(255, 255, 255);
    for (int c = 0; c < 256; ++c) {
        Glyph& glyph = glyphs_[static_cast<size_t>(c)];
        glyph.advance = metrics.horizontalAdvance(QChar(c));
        if (c <= ' ' || c == 0x7F)
            continue;
        // The glyph's box around its origin on the baseline, with a margin
        // for the rasteriser's rounding.
        const QRect box = metrics.boundingRect(QChar(c)).adjusted(-2, -2, 2, 2);
        if (box.isEmpty())
            continue;
        QImage canvas(box.size(), QImage::Format_RGB32);
        canvas.setDotsPerMeterX(qRound(dpi_ / 0.0254));
        canvas.setDotsPerMeterY(qRound(dpi_ / 0.0254));
        canvas.fill(white);
        QPainter painter(&canvas);
        painter.setFont(hinted);
        painter.setPen(Qt::black);
        painter.drawText(-box.topLeft(), QString(QChar(c)));
        painter.end();
        // Runs are kept relative to the text's top left: the origin is at
        // the baseline, an ascent below it.
        const int width = canvas.width();
        for (int y = 0; y < canvas.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
            for (int x = 0; x < width;) {
                if (line[x] == white) {
                    ++x;
                    continue;
                }
                const int start = x;
                while (x < width && line[x] != white)
                    ++x;
                const int dy = ascent_ + box.top() + y;
                const int dx = box.left() + start;
                glyph.runs.push_back({dx, dy, x - start});
                inkTop_ = std::min(inkTop_, dy);
                inkBottom_ = std::max(inkBottom_, dy);
                inkLeft_ = std::min(inkLeft_, dx);
                inkRight_ = std::max(inkRight_, dx + (x - start) - glyph.advance);
            }
        }
    }
}

std::shared_ptr<const TextFace> TextFace::For(const QFont& font, const QPaintDevice& device)
{
    static std::vector<std::shared_ptr<const TextFace>> faces;
    const int dpi = device.logicalDpiY();
    for (const auto& face : faces) {
        if (face->dpi_ == dpi && face->font_ == font)
            return face;
    }
    if (faces.size() >= MaxFaces)
        faces.clear();
    faces.push_back(std::make_shared<const TextFace>(font, device));
    return faces.back();
}

int TextFace::Width(QStringView text) const
{
    int width = 0;
    for (const QChar c : text)
        width += Width(c);
    return width;
}

void TextFace::Draw(Raster& raster, int x, int top, QStringView text, QRgb colour) const
{
    // Most texts lie wholly inside the surface's width: their runs are then
    // written without clipping each one, only their rows are checked.
    const qint64 left = qint64(x) + inkLeft_;
    const qint64 right = qint64(x) + Width(text) + inkRight_;
    if (left < 0 || right > raster.Width()) {
        int pen = x;
        for (const QChar c : text) {
            const Glyph& glyph = glyphs_[Code(c)];
            for (const Run& run : glyph.runs)
                raster.Span(pen + run.dx, top + run.dy, run.length, colour);
            pen += glyph.advance;
        }
        return;
    }
    const int firstRow = std::max(raster.Top() - top, inkTop_);
    const int endRow = std::min(raster.Bottom() - top, inkBottom_ + 1);
    if (firstRow >= endRow)
        return;
    const QRgb solid = colour | 0xFF000000u;
    int pen = x;
    for (const QChar c : text) {
        const Glyph& glyph = glyphs_[Code(c)];
        for (const Run& run : glyph.runs) {
            if (run.dy < firstRow)
                continue;
            if (run.dy >= endRow)
                break; // runs go down the glyph row by row
            std::fill_n(raster.Line(top + run.dy) + pen + run.dx, run.length, solid);
        }
        pen += glyph.advance;
    }
}

} // namespace zor
