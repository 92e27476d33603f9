#include "bench/QtBenchmarkMain.h"
#include "bench/ResidentMemory.h"
#include "core/Appearance.h"
#include "core/Backdrop.h"
#include "core/EntityDrawing.h"
#include "core/Images.h"
#include "core/SharedState.h"
#include "core/Text.h"

#include <QDir>
#include <QImage>
#include <vector>

using namespace zor;

namespace {

const QSize Screen(1920, 1080);

// A full table: every kind with captions in every alignment, a tenth of the
// entities in an open sub-window.
void FillTable()
{
    SetDefaultAppearance();
    CellWidth = Currency::fromDouble(Screen.width() / 81.0f);
    CellHeight = Currency::fromDouble(Screen.height() / 25.0f);
    SubWindowRect = {40, 10, 30, 10};
    const qint16 aligns[] = {0, 1, 2, 3, 4, 50};
    for (int i = 0; i < EntitySlots; ++i) {
        Entity& e = Entities[static_cast<size_t>(i)];
        e = Entity();
        e.EntityType = static_cast<qint16>(1 + i % 11);
        e.X = static_cast<qint16>((i * 7) % 70);
        e.Y = static_cast<qint16>((i * 3) % 24);
        e.Width = static_cast<qint16>(5 + i % 12);
        e.Height = e.EntityType == KindBox ? 4 : 1;
        e.Align = aligns[i % 6];
        e.Active = (i % 5) ? VbTrue : VbFalse;
        e.ImageIndex = static_cast<qint16>(i % 3);
        e.SetCaption(QStringLiteral("Caption %1 of the screen").arg(i));
        if (i % 10 == 0) {
            e.Region = 1;
            e.X = static_cast<qint16>(41 + i % 20);
            e.Y = static_cast<qint16>(11 + i % 8);
        }
    }
    EntityCount = EntitySlots;
}

// The pictures of a screen with its sub-window shown, as the session
// window keeps them.
struct ScreenPictures {
    QImage backDrop = MakeSurfaceImage(Screen, QColor(192, 192, 192));
    QImage work = MakeSurfaceImage(Screen, Qt::white);
    QImage target = MakeSurfaceImage(Screen, Qt::white);
    QImage sub = MakeSurfaceImage(QSize(760, 430), Qt::white);
    QFont workFont = DefaultSurfaceFont();
    QFont subFont = DefaultSurfaceFont();
    std::vector<QImage> hostPictures = std::vector<QImage>(EntitySlots);

    // The pictures the table's image displays show.
    void LoadHostPictures()
    {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(QColor(40, 120, 200));
        for (int i = 0; i < 3; ++i)
            hostPictures[static_cast<size_t>(i)] = picture;
    }

    ScreenSurfaces Surfaces()
    {
        return {.BackDrop = backDrop,
                .Work = {work, workFont},
                .Target = target,
                .SubWindow = {sub, subFont},
                .SubWindowShown = true,
                .SubWindowCaptionHeight = 43,
                .Pictures = {Images().AnImage, hostPictures}};
    }
};

void BM_DrawEntities(benchmark::State& state)
{
    FillTable();
    ScreenPictures screen;
    screen.LoadHostPictures();
    const ScreenSurfaces surfaces = screen.Surfaces();
    for (auto _ : state) {
        DrawEntities(surfaces);
        benchmark::DoNotOptimize(screen.target.constBits());
    }
}
// The redraw spreads its bands over the processor's cores: the time that
// counts is the time on the clock, not that of the calling thread alone.
BENCHMARK(BM_DrawEntities)->Unit(benchmark::kMillisecond)->UseRealTime();

// The full table with its backdrop's colour changed at every redraw, as
// applied settings do: every pixel is drawn again.
void BM_DrawEntitiesWhole(benchmark::State& state)
{
    FillTable();
    ScreenPictures screen;
    screen.LoadHostPictures();
    const ScreenSurfaces surfaces = screen.Surfaces();
    for (auto _ : state) {
        Settings.BackColor ^= 1;
        DrawEntities(surfaces);
        benchmark::DoNotOptimize(screen.target.constBits());
    }
}
BENCHMARK(BM_DrawEntitiesWhole)->Unit(benchmark::kMillisecond)->UseRealTime();

// The full table with a font adjustment of its own for each entity, 0 to
// 255: hundreds of sizes on one screen.
void FillTableOfSizes()
{
    FillTable();
    for (int i = 0; i < EntitySlots; ++i)
        Entities[static_cast<size_t>(i)].FontAdjust = static_cast<quint8>(i % 256);
}

// A redraw of such a screen (state.range(0) 0), its first draw
// (state.range(0) 1): every iteration then asks for sizes not drawn before,
// a redraw after one entity changed (state.range(0) 2): one of the largest
// sizes, its characters spread over the screen's width, enabled and
// disabled in turn, as a click on a list does, or a redraw of every pixel
// with the sizes already at hand (state.range(0) 3): the backdrop's colour
// changes, as applied settings do.
void BM_DrawEntitiesFontSizes(benchmark::State& state)
{
    FillTableOfSizes();
    ScreenPictures screen;
    const ScreenSurfaces surfaces = screen.Surfaces();
    DrawEntities(surfaces);
    Entity& largest = Entities[250];
    for (auto _ : state) {
        if (state.range(0) == 1) {
            // A ten-thousandth of a point more: every face is new.
            for (EntityAttr& attr : EntityAttrs)
                attr.FontScale = Currency::fromRaw(attr.FontScale.raw + 1);
        } else if (state.range(0) == 2) {
            largest.Active = largest.Active ? VbFalse : VbTrue;
        } else if (state.range(0) == 3) {
            Settings.BackColor ^= 1;
        }
        DrawEntities(surfaces);
        benchmark::DoNotOptimize(screen.target.constBits());
    }
    state.counters["resident_mb"] = ResidentMb();
    state.counters["peak_mb"] = PeakResidentMb();
}
BENCHMARK(BM_DrawEntitiesFontSizes)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PaintBackdropTiled(benchmark::State& state)
{
    SetDefaultAppearance();
    Settings.BackImageFile =
        FixedWidth(QStringLiteral(ZOR_SOURCE_DIR "/resources/back3.bmp"), SessionSettings::BackImageFileWidth);
    QImage backDrop = MakeSurfaceImage(Screen, Qt::white);
    QImage backImage;
    for (auto _ : state) {
        PaintBackdrop(backDrop, backImage, Screen);
        benchmark::DoNotOptimize(backDrop.constBits());
    }
    if (backImage.isNull())
        state.SkipWithError("the backdrop picture did not load");
}
BENCHMARK(BM_PaintBackdropTiled)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
