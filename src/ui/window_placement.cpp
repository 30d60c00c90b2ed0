#include "ui/window_placement.h"

#include <algorithm>
#include <climits>

namespace {

// Squared distance from a point to a rectangle (0 inside).
long long DistanceSquared(const QPoint& p, const QRect& r)
{
    const long long dx = p.x() < r.left() ? r.left() - p.x() : p.x() > r.right() ? p.x() - r.right() : 0;
    const long long dy = p.y() < r.top() ? r.top() - p.y() : p.y() > r.bottom() ? p.y() - r.bottom() : 0;
    return dx * dx + dy * dy;
}

}  // namespace

QRect PlaceOnScreens(const QRect& saved, const QList<QRect>& screens, const QSize& minimum)
{
    QRect rect(saved.topLeft(), saved.size().expandedTo(minimum));
    if (screens.isEmpty())
        return rect;
    // The strip the window is dragged by must be reachable: 20 pixels of the
    // top edge, at least 40 pixels wide, on some screen.
    const QRect titleStrip(rect.left(), rect.top(), rect.width(), 20);
    for (const QRect& screen : screens) {
        const QRect shown = screen.intersected(titleStrip);
        if (shown.width() >= std::min(40, rect.width()) && shown.height() >= 10)
            return rect;
    }
    const QRect* nearest = &screens.front();
    long long best = LLONG_MAX;
    for (const QRect& screen : screens) {
        const long long distance = DistanceSquared(rect.center(), screen);
        if (distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    rect.setSize(rect.size().boundedTo(nearest->size()));
    const int left = std::clamp(rect.left(), nearest->left(), nearest->right() - rect.width() + 1);
    const int top = std::clamp(rect.top(), nearest->top(), nearest->bottom() - rect.height() + 1);
    rect.moveTo(left, top);
    return rect;
}
