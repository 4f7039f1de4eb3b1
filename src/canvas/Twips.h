#pragma once

#include <QRect>
#include <QtMath>

namespace kalvero {

// Window positions are planned in twips, 15 to a pixel at 96 dots per inch.
constexpr int TwipsPerPixel = 15;

inline int Px(int twips) {
    return qRound(static_cast<double>(twips) / TwipsPerPixel);
}

inline QRect PxRect(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

} // namespace kalvero
