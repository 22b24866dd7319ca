// The main window's rectangle as the settings file keeps it: left, top, width
// and height. The file is hand-editable, so any 32-bit value can come back;
// the edges are computed wide and held within the 32-bit range, where plain
// int arithmetic would overflow (a left of 2147483647 and a width of 440).
#pragma once

struct StoredBounds {
    int left, top, width, height;
};

// The edges of a rectangle, as the system's RECT holds them.
struct BoundsEdges {
    int left, top, right, bottom;
};

BoundsEdges EdgesFromBounds(const StoredBounds& bounds);
StoredBounds BoundsFromEdges(const BoundsEdges& edges);
