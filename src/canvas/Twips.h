#pragma once

#include "editor/WindowPlaces.h"

#include <QRect>

namespace kalvero {

inline int Px(int twips) {
    return PixelsOfTwips(twips);
}

inline QRect PxRect(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

inline QRect PxRect(const ControlPlace& place) {
    return PxRect(place.left, place.top, place.width, place.height);
}

} // namespace kalvero
