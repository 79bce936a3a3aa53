// Time-domain drawing through the chart's zoom, scroll and undo-zoom events, as the operator
// drives them.

#include <cmath>
#include <limits>

#include "tests/window/RedrawTestForm.h"
#include "window/Redraw.h"

namespace {

using redraw_test::Point;
using redraw_test::RedrawForm;

class AxisDrawing : public RedrawForm {
protected:
    void ShowRecord(int channels, std::int32_t frames, std::uint8_t kind = kKindTimeData) {
        LoadRecord(channels, frames, Ramp);
        ChartState.DataKind = kind;
        ChartState.XMultiplier = 1.0;
        form->Chart->UndoZoom();
    }
    // Channel c of frame k carries k + c, so extremes of a bucket are its end frames.
    static std::int16_t Ramp(std::int64_t k, int c) { return static_cast<std::int16_t>(k + c); }
};

TEST_F(AxisDrawing, ShortRecordIsDrawnPointByPointOnEveryChannel) {
    ShowRecord(2, 2399);
    ASSERT_EQ(SeriesNo(1).Count(), 2399);
    ASSERT_EQ(SeriesNo(2).Count(), 2399);
    EXPECT_EQ(Points(1)[2398], Point(2398, 2398));
    EXPECT_EQ(Points(2)[10], Point(10, 11));
    EXPECT_EQ(SeriesNo(3).Count(), 0);
}

TEST_F(AxisDrawing, LongRecordIsDrawnAsMinMaxPairsOfEveryBucket) {
    ShowRecord(1, 2400);
    const auto points = Points(1);
    ASSERT_EQ(points.size(), 2402u);
    EXPECT_EQ(points[0], Point(0, 0));
    EXPECT_EQ(points[1], Point(0, 0)); // a one-frame bucket gives two equal points
    EXPECT_EQ(points[2], Point(2, 1));
    EXPECT_EQ(points[3], Point(2, 2));
    EXPECT_EQ(points[2400], Point(2399, 2399));
    EXPECT_EQ(points[2401], Point(2399, 2399));

    ShowRecord(1, 3000);
    const auto wider = Points(1);
    ASSERT_EQ(wider.size(), 2402u);
    EXPECT_EQ(wider[4], Point(5, 3));
    EXPECT_EQ(wider[5], Point(5, 5));
    EXPECT_EQ(wider[2401], Point(2999, 2999));
}

TEST_F(AxisDrawing, ZoomDrawsTheVisibleFramesFromAxisMinimumToOnePastAxisMaximum) {
    ShowRecord(1, 5000);
    form->Chart->ZoomTo(1000.7, 1099.2, -10, 10);
    const auto points = Points(1);
    ASSERT_EQ(points.size(), 101u);
    EXPECT_EQ(points.front(), Point(1000, 1000));
    EXPECT_EQ(points.back(), Point(1100, 1100));

    // The axis shows seconds: frame indices come back through the X multiplier.
    ChartState.XMultiplier = 0.001;
    form->Chart->Scroll(2.0, 2.05, -10, 10);
    EXPECT_EQ(Points(1).front().first, 2000);
    EXPECT_EQ(Points(1).back().first, 2051);
}

TEST_F(AxisDrawing, ZoomBeyondBothEndsIsClampedToTheRecord) {
    ShowRecord(1, 5000);
    form->Chart->ZoomTo(-50.5, 99999, -10, 10);
    const auto points = Points(1);
    ASSERT_EQ(points.size(), 2402u);
    EXPECT_EQ(points.front(), Point(0, 0));
    EXPECT_EQ(points.back(), Point(4999, 4999));

    form->Chart->ZoomTo(7000, 8000, -10, 10); // wholly past the end: the last frame
    ASSERT_EQ(SeriesNo(1).Count(), 1);
    EXPECT_EQ(Points(1)[0], Point(4999, 4999));

    form->Chart->ZoomTo(1e300, 1e301, -10, 10); // no truncation of an out-of-range value
    EXPECT_EQ(Points(1)[0], Point(4999, 4999));
}

TEST_F(AxisDrawing, ZoomWithoutUsableMultiplierDrawsTheWholeRecord) {
    ShowRecord(1, 3000);
    ChartState.XMultiplier = 0;
    form->Chart->ZoomTo(10, 20, -10, 10);
    ASSERT_EQ(SeriesNo(1).Count(), 2402);
    EXPECT_EQ(Points(1).back().first, 2999);

    ChartState.XMultiplier = std::numeric_limits<double>::denorm_min();
    form->Chart->ZoomTo(10, 20, -10, 10);
    EXPECT_EQ(SeriesNo(1).Count(), 2402);
}

TEST_F(AxisDrawing, FrameCountBeyondTheBufferDrawsOnlyHeldFrames) {
    ShowRecord(2, 3000);
    SampleData.FrameCount = 100000; // stale count left by an earlier record
    form->Chart->UndoZoom();
    ASSERT_EQ(SeriesNo(2).Count(), 2402);
    EXPECT_EQ(Points(2).back(), Point(2999, 3000));

    SampleData.SampleBuffer.resize(2 * 50);
    form->Chart->ZoomTo(0, 10000, -10, 10);
    EXPECT_EQ(SeriesNo(1).Count(), 50);

    SampleData.FrameCount = 0;
    form->Chart->ZoomTo(0, 50, -10, 10);
    EXPECT_EQ(SeriesNo(1).Count(), 0);
}

TEST_F(AxisDrawing, CurrentsAndVoltagesDrawTheirChannelTriplesOnTheFirstThreeSeries) {
    LoadRecord(8, 3000, Tagged);
    ChartState.DataKind = kKindCurrents;
    form->Chart->UndoZoom();
    for (int s = 1; s <= 3; ++s) EXPECT_EQ(Points(s)[0].second, 100 * (s - 1));
    for (int s = 4; s <= 16; ++s) EXPECT_EQ(SeriesNo(s).Count(), 0);

    ChartState.DataKind = kKindVoltages;
    form->Chart->UndoZoom();
    for (int s = 1; s <= 3; ++s) EXPECT_EQ(Points(s)[0].second, 100 * (s + 2));
    EXPECT_EQ(SeriesNo(4).Count(), 0);
}

TEST_F(AxisDrawing, VoltagesOfARecordWithFewerChannelsDrawOnlyWhatExists) {
    for (int frames : {100, 3000}) {
        SCOPED_TRACE(frames);
        LoadRecord(4, frames, Tagged);
        ChartState.DataKind = kKindVoltages;
        form->Chart->UndoZoom();
        EXPECT_EQ(Points(1)[0].second, 300);
        EXPECT_EQ(SeriesNo(2).Count(), 0);
        EXPECT_EQ(SeriesNo(3).Count(), 0);

        LoadRecord(2, frames, Tagged);
        form->Chart->UndoZoom();
        EXPECT_EQ(SeriesNo(1).Count(), 0);
        ChartState.DataKind = kKindCurrents;
        form->Chart->UndoZoom();
        EXPECT_GT(SeriesNo(2).Count(), 0);
        EXPECT_EQ(SeriesNo(3).Count(), 0);
    }
}

TEST_F(AxisDrawing, NonTimeModesKeepTheirPointsOnZoomAndUndoZoom) {
    LoadRecord(1, 3000, Tagged);
    ChartState.DataKind = kKindHarmonics;
    SeriesNo(1).AddXY(1, 2);
    form->Chart->ZoomTo(0, 10, 0, 10);
    form->Chart->UndoZoom();
    ASSERT_EQ(Points(1), std::vector<Point>{Point(1, 2)});
}

} // namespace
