#pragma once

#include <QImage>
#include <array>

namespace zor {

// The option pictures the "ob" command chooses by number ("a" 0, "m" 1,
// "p" 2). Each holds the picture in its upper half and the mask in its lower
// half.
constexpr int OptionPictureCount = 3;

// The program's own picture store.
struct PictureStore {
    std::array<QImage, OptionPictureCount> AnImage;
    QImage HelpImage;
};

// The store, with the option pictures loaded on first use.
PictureStore& Images();

} // namespace zor
