// Arithmetic of the design surface: snapping, drags by every handle with and
// without the band limits, align to the grid, the keyboard moves, the handle
// hit test and the band order.

#include <gtest/gtest.h>

#include "report/designer/design_geometry.h"

namespace {
const TBandLimits kBand{700, 100, false};
}

TEST(DesignSnap, RoundsToTheNearestStepWithHalvesToEven) {
    EXPECT_EQ(Snap(10, 8), 8);
    EXPECT_EQ(Snap(12, 8), 16);  // 1.5 steps -> 2
    EXPECT_EQ(Snap(4, 8), 0);    // 0.5 steps -> 0
    EXPECT_EQ(Snap(-10, 8), -8);
    EXPECT_EQ(Snap(20, 7.874), 24);
    EXPECT_EQ(Snap(5, 0), 5);
}

TEST(DesignZoom, PixelsAndBackRoundHalfToEven) {
    EXPECT_EQ(ToPixels(13, 2.0), 26);
    EXPECT_EQ(ToPixels(5, 0.5), 2);  // 2.5 -> 2
    EXPECT_EQ(FromPixels(25, 2.0), 12);
    EXPECT_EQ(FromPixels(27, 2.0), 14);
}

TEST(DesignDrag, MoveIsTheSnappedStepNotTheSnappedPosition) {
    const TElementBox grab{13, 20, 50, 20};
    const int dx = Snap(10, 8);
    EXPECT_EQ(DragStep(grab, grab, 0, dx, 0, kBand), (TElementBox{21, 20, 50, 20}));
}

TEST(DesignDrag, MoveStaysInTheBandUnlessMovingOutIsAllowed) {
    const TElementBox grab{10, 10, 50, 20};
    EXPECT_EQ(DragStep(grab, grab, 0, -30, -30, kBand), (TElementBox{0, 0, 50, 20}));
    EXPECT_EQ(DragStep(grab, grab, 0, 1000, 1000, kBand), (TElementBox{650, 80, 50, 20}));
    const TBandLimits free{700, 100, true};
    EXPECT_EQ(DragStep(grab, grab, 0, -30, -30, free), (TElementBox{-20, -20, 50, 20}));
}

TEST(DesignDrag, EveryHandleMovesItsEdges) {
    const TElementBox g{100, 40, 60, 30};
    EXPECT_EQ(DragStep(g, g, 1, 5, 4, kBand), (TElementBox{105, 44, 55, 26}));
    EXPECT_EQ(DragStep(g, g, 2, 5, 4, kBand), (TElementBox{100, 44, 60, 26}));
    EXPECT_EQ(DragStep(g, g, 3, 5, 4, kBand), (TElementBox{100, 44, 65, 26}));
    EXPECT_EQ(DragStep(g, g, 4, 5, 4, kBand), (TElementBox{105, 40, 55, 30}));
    EXPECT_EQ(DragStep(g, g, 5, 5, 4, kBand), (TElementBox{100, 40, 65, 30}));
    EXPECT_EQ(DragStep(g, g, 6, 5, 4, kBand), (TElementBox{105, 40, 55, 34}));
    EXPECT_EQ(DragStep(g, g, 7, 5, 4, kBand), (TElementBox{100, 40, 60, 34}));
    EXPECT_EQ(DragStep(g, g, 8, 5, 4, kBand), (TElementBox{100, 40, 65, 34}));
}

TEST(DesignDrag, TopLeftPastTheOppositeCornerLeavesThreeByThree) {
    const TElementBox g{100, 40, 60, 30};
    const TElementBox b = DragStep(g, g, 1, 200, 200, kBand);
    EXPECT_EQ(b, (TElementBox{157, 67, 3, 3}));
    EXPECT_EQ(b.left + b.width, g.left + g.width);
    EXPECT_EQ(b.top + b.height, g.top + g.height);
}

TEST(DesignDrag, EdgesStopAtTheBandAndAtThree) {
    const TElementBox g{100, 40, 60, 30};
    EXPECT_EQ(DragStep(g, g, 4, -500, 0, kBand), (TElementBox{0, 40, 160, 30}));
    EXPECT_EQ(DragStep(g, g, 5, 1000, 0, kBand), (TElementBox{100, 40, 600, 30}));
    EXPECT_EQ(DragStep(g, g, 5, -1000, 0, kBand), (TElementBox{100, 40, 3, 30}));
    EXPECT_EQ(DragStep(g, g, 2, 0, -500, kBand), (TElementBox{100, 0, 60, 70}));
    EXPECT_EQ(DragStep(g, g, 7, 0, 500, kBand), (TElementBox{100, 40, 60, 60}));
    EXPECT_EQ(DragStep(g, g, 7, 0, -500, kBand), (TElementBox{100, 40, 60, 3}));
}

TEST(DesignDrag, LaterStepsCountFromTheCurrentPosition) {
    // The mouse is element-relative, so a moving left edge gets small steps.
    const TElementBox g{100, 40, 60, 30};
    TElementBox b = DragStep(g, g, 4, 5, 0, kBand);
    b = DragStep(b, g, 4, 5, 0, kBand);
    EXPECT_EQ(b, (TElementBox{110, 40, 50, 30}));
}

TEST(DesignHandles, CornersAndMiddlesTestedFromEightDown) {
    EXPECT_EQ(HandleAt(0, 0, 60, 30), 1);
    EXPECT_EQ(HandleAt(30, 2, 60, 30), 2);
    EXPECT_EQ(HandleAt(58, 1, 60, 30), 3);
    EXPECT_EQ(HandleAt(1, 15, 60, 30), 4);
    EXPECT_EQ(HandleAt(57, 15, 60, 30), 5);
    EXPECT_EQ(HandleAt(2, 28, 60, 30), 6);
    EXPECT_EQ(HandleAt(30, 29, 60, 30), 7);
    EXPECT_EQ(HandleAt(59, 29, 60, 30), 8);
    EXPECT_EQ(HandleAt(20, 20, 60, 30), 0);
    // A tiny element: everything is the bottom-right handle first.
    EXPECT_EQ(HandleAt(2, 2, 6, 6), 8);
}

TEST(DesignAlign, EdgesSnapAndSizesStayAtLeastThree) {
    EXPECT_EQ(AlignToGrid({13, 5, 50, 18}, 8, 8), (TElementBox{16, 8, 48, 16}));
    EXPECT_EQ(AlignToGrid({13, 5, 1, 1}, 8, 8), (TElementBox{16, 8, 3, 3}));
}

TEST(DesignKeyboard, GridStepHundredthAndResize) {
    const TElementBox b{16, 16, 50, 20};
    EXPECT_EQ(KeyboardMove(b, TKeyMove::GridStep, 1, 0, 7.874, 7.874, kBand),
              (TElementBox{23, 16, 50, 20}));
    EXPECT_EQ(KeyboardMove(b, TKeyMove::GridStep, 0, -1, 8, 8, kBand),
              (TElementBox{16, 8, 50, 20}));
    EXPECT_EQ(KeyboardMove(b, TKeyMove::Hundredth, -1, 0, 8, 8, kBand),
              (TElementBox{15, 16, 50, 20}));
    EXPECT_EQ(KeyboardMove(b, TKeyMove::Resize, 1, 0, 8, 8, kBand), (TElementBox{16, 16, 51, 20}));
    EXPECT_EQ(KeyboardMove(b, TKeyMove::Resize, 0, -1, 8, 8, kBand), (TElementBox{16, 16, 50, 19}));
}

TEST(DesignKeyboard, MovesStayInTheBandAndSizesAboveThree) {
    EXPECT_EQ(KeyboardMove({0, 0, 50, 20}, TKeyMove::Hundredth, -1, -1, 8, 8, kBand),
              (TElementBox{0, 0, 50, 20}));
    EXPECT_EQ(KeyboardMove({0, 0, 3, 3}, TKeyMove::Resize, -1, -1, 8, 8, kBand),
              (TElementBox{0, 0, 3, 3}));
    EXPECT_EQ(KeyboardMove({650, 80, 50, 20}, TKeyMove::Resize, 1, 1, 8, 8, kBand),
              (TElementBox{650, 80, 50, 20}));
    const TBandLimits free{700, 100, true};
    EXPECT_EQ(KeyboardMove({0, 0, 50, 20}, TKeyMove::Hundredth, -1, 0, 8, 8, free),
              (TElementBox{-1, 0, 50, 20}));
}

TEST(DesignBands, DisplayOrderWithGroups) {
    EXPECT_EQ(BandDisplayOrder(0), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(BandDisplayOrder(2), (std::vector<int>{0, 1, 5, 7, 2, 8, 6, 3, 4}));
    EXPECT_EQ(BandPixelHeight(43, 1.0), 59);
    EXPECT_EQ(BandPixelHeight(43, 2.0), 102);
}
