// Where a saved window rectangle goes on today's screens.
#pragma once

#include <QList>
#include <QRect>

// The saved rectangle when enough of it (its title strip) lies on one of the
// screens; otherwise moved onto the nearest screen, and made to fit it.
// Sizes below minimum are raised to it.
QRect PlaceOnScreens(const QRect& saved, const QList<QRect>& screens, const QSize& minimum);
