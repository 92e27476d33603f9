#include "core/Images.h"

#include <QString>

// The resources live in the static library; the linker keeps them only when
// something refers to their initialiser.
static void InitialiseResources()
{
    Q_INIT_RESOURCE(zor);
}

namespace zor {

PictureStore& Images()
{
    static PictureStore store = [] {
        InitialiseResources();
        PictureStore s;
        for (int i = 0; i < OptionPictureCount; ++i)
            s.AnImage[static_cast<size_t>(i)] =
                QImage(QStringLiteral(":/zor/option_%1.bmp").arg(i)).convertToFormat(QImage::Format_RGB32);
        return s;
    }();
    return store;
}

} // namespace zor
