#include "prefs/WindowBounds.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

int Clamped(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

BoundsEdges EdgesFromBounds(const StoredBounds& b) {
    return {b.left, b.top, Clamped(std::int64_t{b.left} + b.width), Clamped(std::int64_t{b.top} + b.height)};
}

StoredBounds BoundsFromEdges(const BoundsEdges& e) {
    return {e.left, e.top, Clamped(std::int64_t{e.right} - e.left), Clamped(std::int64_t{e.bottom} - e.top)};
}
