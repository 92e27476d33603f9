#include "core/DrawList.h"

#include "core/Parallel.h"

#include <algorithm>
#include <numeric>

namespace zor {

namespace {

QRect Between(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
}

} // namespace

DrawList::Shape& DrawList::Add(Kind kind, const QRect& area)
{
    Shape& shape = shapes_.emplace_back();
    shape.kind = kind;
    shape.area = area;
    return shape;
}

QRect DrawList::Bounds(size_t first) const
{
    QRect bounds;
    for (size_t i = first; i < shapes_.size(); ++i) {
        const QRect& area = shapes_[i].area;
        if (!area.isEmpty())
            bounds = bounds.isEmpty() ? area : bounds.united(area);
    }
    return bounds;
}

void DrawList::Clear()
{
    shapes_.clear();
    texts_.clear();
    chars_.clear();
    pictures_.clear();
    faces_.clear();
}

void DrawList::Fill(int x1, int y1, int x2, int y2, QRgb colour)
{
    Add(Kind::Fill, Between(x1, y1, x2, y2)).colour = colour;
}

void DrawList::Outline(int x1, int y1, int x2, int y2, QRgb colour)
{
    const QRect r = Between(x1, y1, x2, y2);
    Fill(r.left(), r.top(), r.right(), r.top(), colour);
    Fill(r.left(), r.bottom(), r.right(), r.bottom(), colour);
    Fill(r.left(), r.top(), r.left(), r.bottom(), colour);
    Fill(r.right(), r.top(), r.right(), r.bottom(), colour);
}

void DrawList::Text(const std::shared_ptr<const TextFace>& face, int x, int top, QStringView text, QRgb colour)
{
    face->Prepare(text);
    if (faces_.empty() || faces_.back() != face)
        faces_.push_back(face);
    Shape& shape = Add(Kind::Text, face->Extent(x, top, text));
    shape.colour = colour;
    shape.item = static_cast<int>(texts_.size());
    texts_.push_back({face.get(), x, top, chars_.size(), static_cast<size_t>(text.size())});
    chars_.insert(chars_.end(), text.begin(), text.end());
}

void DrawList::Put(const QImage& picture, const QRect& part, const QRect& target, Raster::Combine how)
{
    if (picture.isNull() || target.isEmpty())
        return;
    Shape& shape = Add(Kind::Put, target);
    shape.how = how;
    shape.item = static_cast<int>(pictures_.size());
    // Turned into the surface's pixels here, once, rather than in each band.
    pictures_.push_back(
        {picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32), part});
}

void DrawList::DrawShape(Raster& rows, const Shape& shape) const
{
    switch (shape.kind) {
    case Kind::Fill:
        rows.Fill(shape.area.left(), shape.area.top(), shape.area.right(), shape.area.bottom(), shape.colour);
        break;
    case Kind::Text: {
        const TextItem& item = texts_[static_cast<size_t>(shape.item)];
        item.face->Draw(rows, item.x, item.top,
                        QStringView(chars_.data() + item.from, static_cast<qsizetype>(item.length)), shape.colour);
        break;
    }
    case Kind::Put: {
        const PictureItem& item = pictures_[static_cast<size_t>(shape.item)];
        rows.Put(item.picture, item.part, shape.area, shape.how);
        break;
    }
    }
}

DrawList::Bands DrawList::Plan(const DrawJob& job)
{
    QImage& image = job.image;
    Bands plan{Raster(image), job.under, {}, {}, {}, {}};
    const int bands = (image.height() + BandRows - 1) / BandRows;
    if (bands <= 0)
        return plan;
    std::vector<std::pair<int, int>>& columns = plan.columns;
    if (job.only) {
        columns.assign(static_cast<size_t>(bands), {0, 0});
        for (const QRect& wanted : *job.only) {
            const QRect r = wanted & image.rect();
            if (r.isEmpty())
                continue;
            for (int b = r.top() / BandRows; b <= r.bottom() / BandRows; ++b) {
                auto& [left, right] = columns[static_cast<size_t>(b)];
                left = left < right ? std::min(left, r.left()) : r.left();
                right = std::max(right, r.right() + 1);
            }
        }
    }
    // The bands a shape reaches, none when first > last.
    const auto reach = [&](const QRect& area) {
        if (area.bottom() < 0 || area.top() >= image.height())
            return std::pair(1, 0);
        return std::pair(std::max(area.top(), 0) / BandRows, std::min(area.bottom(), image.height() - 1) / BandRows);
    };
    const auto drawnIn = [&](const QRect& area, int band) {
        if (columns.empty())
            return true;
        const auto [left, right] = columns[static_cast<size_t>(band)];
        return area.left() < right && area.right() >= left && area.left() <= area.right();
    };
    const auto forEachReach = [&](auto&& take) {
        for (const DrawList& list : job.lists) {
            for (int i = 0; i < static_cast<int>(list.shapes_.size()); ++i) {
                const QRect& area = list.shapes_[static_cast<size_t>(i)].area;
                const auto [from, to] = reach(area);
                for (int b = from; b <= to; ++b) {
                    if (drawnIn(area, b))
                        take(list, i, b);
                }
            }
        }
    };
    std::vector<int>& first = plan.first;
    first.assign(static_cast<size_t>(bands) + 1, 0);
    forEachReach([&](const DrawList&, int, int b) { ++first[static_cast<size_t>(b) + 1]; });
    std::partial_sum(first.begin(), first.end(), first.begin());
    plan.order.resize(static_cast<size_t>(first.back()));
    std::vector<int> next(first.begin(), first.end() - 1);
    forEachReach([&](const DrawList& list, int i, int b) {
        plan.order[static_cast<size_t>(next[static_cast<size_t>(b)]++)] = {&list, i};
    });
    for (int b = 0; b < bands; ++b) {
        const bool shapes = first[static_cast<size_t>(b)] < first[static_cast<size_t>(b) + 1];
        const bool columnsDrawn =
            columns.empty() || columns[static_cast<size_t>(b)].first < columns[static_cast<size_t>(b)].second;
        if (columnsDrawn && (shapes || job.under))
            plan.busy.push_back(b);
    }
    return plan;
}

void DrawList::DrawBand(const Bands& bands, int band)
{
    Raster rows = bands.raster.Rows(band * BandRows, (band + 1) * BandRows);
    if (!bands.columns.empty()) {
        const auto [left, right] = bands.columns[static_cast<size_t>(band)];
        rows = rows.Columns(left, right);
    }
    if (bands.under)
        rows.Put(*bands.under, 0, 0, Raster::Combine::Copy);
    for (int k = bands.first[static_cast<size_t>(band)]; k < bands.first[static_cast<size_t>(band) + 1]; ++k) {
        const auto [list, shape] = bands.order[static_cast<size_t>(k)];
        list->DrawShape(rows, list->shapes_[static_cast<size_t>(shape)]);
    }
}

void Draw(std::span<const DrawJob> jobs)
{
    // Every busy band of every job, numbered one after another.
    std::vector<DrawList::Bands> plans;
    std::vector<std::pair<size_t, int>> work;
    for (const DrawJob& job : jobs) {
        plans.push_back(DrawList::Plan(job));
        for (const int band : plans.back().busy)
            work.emplace_back(plans.size() - 1, band);
    }
    RunSpread(static_cast<int>(work.size()), [&](int i) {
        const auto [job, band] = work[static_cast<size_t>(i)];
        DrawList::DrawBand(plans[job], band);
    });
}

} // namespace zor
