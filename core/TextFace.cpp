#include "core/TextFace.h"

#include "core/Raster.h"

#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

namespace zor {

namespace {

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

struct FaceKey {
    QFont font;
    int dpi;
    bool operator==(const FaceKey&) const = default;
};

size_t qHash(const FaceKey& key, size_t seed = 0) noexcept
{
    // Qt's own hash of a font leaves out its fractional size, and a screen
    // may hold hundreds of sizes of one family.
    const QFont& f = key.font;
    return qHashMulti(seed, f.family(), f.pointSizeF(), f.pixelSize(), f.weight(), f.italic(), key.dpi);
}

struct KeptFace {
    std::shared_ptr<const TextFace> face;
    quint64 lastUse = 0;
};

} // namespace

TextFace::TextFace(const QFont& font, const QPaintDevice& device)
    : font_(font), hinted_(Hinted(font, device)), metrics_(hinted_, &device), dpi_(device.logicalDpiY())
{
    height_ = metrics_.height();
    ascent_ = metrics_.ascent();
}

void TextFace::Measure(size_t code) const
{
    Glyph& glyph = glyphs_[code];
    if (glyph.measured.load(std::memory_order_relaxed))
        return;
    const QChar c(static_cast<char16_t>(code));
    glyph.advance = metrics_.horizontalAdvance(c);
    if (code <= ' ' || code == 0x7F) {
        glyph.ready = true;
    } else {
        glyph.box = metrics_.boundingRect(c).adjusted(-2, -2, 2, 2);
        if (glyph.box.isEmpty()) {
            glyph.ready = true;
        } else {
            inkTop_ = std::min(inkTop_, ascent_ + glyph.box.top());
            inkBottom_ = std::max(inkBottom_, ascent_ + glyph.box.bottom());
            inkLeft_ = std::min(inkLeft_, glyph.box.left());
            inkRight_ = std::max(inkRight_, glyph.box.right() + 1 - glyph.advance);
        }
    }
    glyph.measured.store(true, std::memory_order_release);
}

void TextFace::Rasterise(Glyph& glyph, int c) const
{
    const QRect& box = glyph.box;
    const QRgb white = qRgb(255, 255, 255);
    QImage canvas(box.size(), QImage::Format_RGB32);
    canvas.setDotsPerMeterX(qRound(dpi_ / 0.0254));
    canvas.setDotsPerMeterY(qRound(dpi_ / 0.0254));
    canvas.fill(white);
    QPainter painter(&canvas);
    painter.setFont(hinted_);
    painter.setPen(Qt::black);
    painter.drawText(-box.topLeft(), QString(QChar(c)));
    painter.end();
    // Runs are kept relative to the text's top left: the origin is at the
    // baseline, an ascent below it.
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
            glyph.runs.push_back({box.left() + start, ascent_ + box.top() + y, x - start});
        }
    }
}

void TextFace::Prepare(QStringView text) const
{
    const std::lock_guard lock(rasterising_);
    for (const QChar c : text) {
        const size_t code = Code(c);
        Glyph& glyph = glyphs_[code];
        Measure(code);
        if (!glyph.ready) {
            Rasterise(glyph, static_cast<int>(code));
            glyph.ready = true;
        }
    }
}

std::shared_ptr<const TextFace> TextFace::For(const QFont& font, const QPaintDevice& device)
{
    static QHash<FaceKey, KeptFace> faces;
    static quint64 uses = 0;
    const FaceKey key{font, device.logicalDpiY()};
    auto kept = faces.find(key);
    if (kept != faces.end()) {
        kept->lastUse = ++uses;
        return kept->face;
    }
    if (static_cast<size_t>(faces.size()) >= MaxFaces) {
        // The quarter used least lately goes; a face still drawn with lives
        // on with its users.
        std::vector<quint64> lastUses;
        lastUses.reserve(static_cast<size_t>(faces.size()));
        for (const KeptFace& face : std::as_const(faces))
            lastUses.push_back(face.lastUse);
        const auto cut = lastUses.begin() + static_cast<std::ptrdiff_t>(lastUses.size() / 4);
        std::nth_element(lastUses.begin(), cut, lastUses.end());
        const quint64 oldest = *cut;
        faces.removeIf([oldest](const auto& entry) { return entry.value().lastUse < oldest; });
    }
    const auto face = std::make_shared<const TextFace>(font, device);
    faces.insert(key, {face, ++uses});
    return face;
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
    // Only the runs on the raster's rows are visited: a band of a tall text
    // starts at its first row rather than at the top of every glyph.
    const int firstRow = std::max(raster.Top() - top, inkTop_);
    const int endRow = std::min(raster.Bottom() - top, inkBottom_ + 1);
    if (firstRow >= endRow)
        return;
    const auto runsFrom = [firstRow](const std::vector<Run>& runs) {
        return std::lower_bound(runs.begin(), runs.end(), firstRow,
                                [](const Run& run, int row) { return run.dy < row; });
    };
    // Most texts lie wholly inside the raster's columns: their runs are then
    // written without clipping each one.
    const qint64 left = qint64(x) + inkLeft_;
    const qint64 right = qint64(x) + Width(text) + inkRight_;
    if (left < raster.Left() || right > raster.Right()) {
        // Glyphs wholly beside the columns are passed over; a large text
        // runs far off its right edge.
        qint64 pen = x;
        for (const QChar c : text) {
            if (pen + inkLeft_ >= raster.Right())
                break;
            const Glyph& glyph = glyphs_[Code(c)];
            if (pen + glyph.advance + inkRight_ > raster.Left()) {
                for (auto run = runsFrom(glyph.runs); run != glyph.runs.end() && run->dy < endRow; ++run)
                    raster.Span(static_cast<int>(pen) + run->dx, top + run->dy, run->length, colour);
            }
            pen += glyph.advance;
        }
        return;
    }
    const QRgb solid = colour | 0xFF000000u;
    int pen = x;
    for (const QChar c : text) {
        const Glyph& glyph = glyphs_[Code(c)];
        for (auto run = runsFrom(glyph.runs); run != glyph.runs.end() && run->dy < endRow; ++run) {
            QRgb* const first = raster.Line(top + run->dy) + pen + run->dx;
            FillPixels(first, first + run->length, solid);
        }
        pen += glyph.advance;
    }
}

} // namespace zor
