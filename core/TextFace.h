#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QRgb>
#include <QStringView>
#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

class QPaintDevice;

namespace zor {

class Raster;

// One font at one size on a surface, for host text: characters 0..255
// measured and drawn one glyph after another, without shaping or kerning, in
// whole pixels, as the screen's text service does. Each glyph is kept as the
// runs of pixels it sets, so measuring and drawing a caption costs a table
// look-up and a few spans per character. A glyph is measured the first time
// a text is measured with it and rasterised the first time a text holding it
// is prepared: a screen of many sizes uses few characters of each.
class TextFace {
public:
    // The face of the font on the device, kept for later calls. The faces
    // used least lately are let go when many sizes are asked for.
    static std::shared_ptr<const TextFace> For(const QFont& font, const QPaintDevice& device);
    // How many faces are kept at most.
    static constexpr size_t MaxFaces = 2048;

    int Width(QStringView text) const;
    int Width(QChar c) const { return Measured(Code(c)).advance; }
    int Height() const { return height_; }
    int Ascent() const { return ascent_; }
    // The pixels the prepared text may set with its top left at (x, top).
    QRect Extent(int x, int top, QStringView text) const
    {
        return QRect(QPoint(x + inkLeft_, top + inkTop_), QPoint(x + Width(text) + inkRight_ - 1, top + inkBottom_));
    }
    // Rasterises the glyphs of the text that are not yet. Drawing a text
    // needs this first; measuring does not. Safe from several threads.
    void Prepare(QStringView text) const;
    // Draws the prepared text with its top left at (x, top), on the raster's
    // rows.
    void Draw(Raster& raster, int x, int top, QStringView text, QRgb colour) const;

    TextFace(const QFont& font, const QPaintDevice& device);

private:
    static size_t Code(QChar c) { return c.unicode() < 256 ? c.unicode() : '?'; }

    struct Run {
        int dx, dy, length;
    };
    struct Glyph {
        // Set once advance and box are known; read without the lock.
        std::atomic<bool> measured = false;
        int advance = 0;
        // The glyph's box around its origin on the baseline, with a margin
        // for the rasteriser's rounding; no pixel of it lies outside.
        QRect box;
        bool ready = false;
        std::vector<Run> runs; // relative to the text's top left
    };
    const Glyph& Measured(size_t code) const
    {
        const Glyph& glyph = glyphs_[code];
        if (!glyph.measured.load(std::memory_order_acquire)) {
            const std::lock_guard lock(rasterising_);
            Measure(code);
        }
        return glyph;
    }
    // With the lock held.
    void Measure(size_t code) const;
    void Rasterise(Glyph& glyph, int c) const;

    QFont font_;
    QFont hinted_;
    QFontMetrics metrics_;
    int dpi_;
    mutable std::mutex rasterising_;
    mutable std::array<Glyph, 256> glyphs_;
    int height_ = 0;
    int ascent_ = 0;
    // The rows any glyph measured so far may set, relative to the text's
    // top, and how far it may set pixels left of its origin and right of
    // its advance. They only grow, as glyphs are measured, so they hold for
    // every text measured before.
    mutable int inkTop_ = 0;
    mutable int inkBottom_ = 0;
    mutable int inkLeft_ = 0;
    mutable int inkRight_ = 0;
};

} // namespace zor
