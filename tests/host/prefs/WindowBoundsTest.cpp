// The stored window rectangle and the edges the system takes, for any values
// a hand-edited settings file can hold.
#include <gtest/gtest.h>

#include <climits>

#include "prefs/WindowBounds.h"

namespace {

struct Case {
    const char* name;
    StoredBounds bounds;
    BoundsEdges edges;
};

TEST(WindowBounds, EdgesFromStoredValues) {
    const Case cases[] = {
        {"defaults", {200, 200, 440, 278}, {200, 200, 640, 478}},
        {"negative position", {-300, -20, 100, 50}, {-300, -20, -200, 30}},
        {"negative size", {100, 100, -50, -60}, {100, 100, 50, 40}},
        {"largest left", {INT_MAX, 0, 440, 278}, {INT_MAX, 0, INT_MAX, 278}},
        {"largest top", {0, INT_MAX, 440, 278}, {0, INT_MAX, 440, INT_MAX}},
        {"largest everything", {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {INT_MAX, INT_MAX, INT_MAX, INT_MAX}},
        {"smallest position, negative size",
         {INT_MIN, INT_MIN, -1, -278},
         {INT_MIN, INT_MIN, INT_MIN, INT_MIN}},
        {"sum just in range", {INT_MAX - 440, 0, 440, 0}, {INT_MAX - 440, 0, INT_MAX, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoundsEdges e = EdgesFromBounds(c.bounds);
        EXPECT_EQ(e.left, c.edges.left);
        EXPECT_EQ(e.top, c.edges.top);
        EXPECT_EQ(e.right, c.edges.right);
        EXPECT_EQ(e.bottom, c.edges.bottom);
    }
}

TEST(WindowBounds, StoredValuesFromEdges) {
    const Case cases[] = {
        {"defaults", {200, 200, 440, 278}, {200, 200, 640, 478}},
        {"edges across zero", {-300, -20, 100, 50}, {-300, -20, -200, 30}},
        {"right before left", {100, 100, -50, -60}, {100, 100, 50, 40}},
        {"widest", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}},
        {"most negative", {INT_MAX, INT_MAX, INT_MIN, INT_MIN}, {INT_MAX, INT_MAX, INT_MIN, INT_MIN}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StoredBounds b = BoundsFromEdges(c.edges);
        EXPECT_EQ(b.left, c.bounds.left);
        EXPECT_EQ(b.top, c.bounds.top);
        EXPECT_EQ(b.width, c.bounds.width);
        EXPECT_EQ(b.height, c.bounds.height);
    }
}

}  // namespace
