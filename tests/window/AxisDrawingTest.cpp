// Time-domain drawing through the chart's zoom, scroll and undo-zoom events, as the operator
// drives them.

#include <limits>

#include "tests/window/RedrawTestForm.h"

namespace {

using redraw_test::Point;

class AxisDrawing : public redraw_test::RedrawForm {
protected:
    void ShowRecord(int channels, std::int32_t frames) {
        LoadRecord(channels, frames, Ramp);
        ChartState.DataKind = kKindTimeData;
        ChartState.XMultiplier = 1.0;
        form->Chart->UndoZoom();
    }
    // Channel c of frame k carries k + c, so the extremes of a bucket are its end frames.
    static std::int16_t Ramp(std::int64_t k, int c) { return static_cast<std::int16_t>(k + c); }
    void Zoom(double minimum, double maximum) { form->Chart->ZoomTo(minimum, maximum, -10, 10); }
};

TEST_F(AxisDrawing, ShortRecordIsDrawnPointByPointAndALongOneAsMinMaxPairs) {
    ShowRecord(2, 2399);
    ASSERT_EQ(SeriesNo(2).Count(), 2399);
    EXPECT_EQ(Points(1)[2398], Point(2398, 2398));
    EXPECT_EQ(Points(2)[10], Point(10, 11));
    EXPECT_EQ(SeriesNo(3).Count(), 0);

    ShowRecord(1, 3000);
    const auto points = Points(1);
    ASSERT_EQ(points.size(), 2402u);
    EXPECT_EQ(points[0], Point(0, 0)); // a one-frame bucket gives two equal points
    EXPECT_EQ(points[1], Point(0, 0));
    EXPECT_EQ(points[4], Point(5, 3)); // frames 3 to 5: minimum, then maximum
    EXPECT_EQ(points[5], Point(5, 5));
    EXPECT_EQ(points[2401], Point(2999, 2999));
}

TEST_F(AxisDrawing, ZoomDrawsTheVisibleFramesFromAxisMinimumToOnePastAxisMaximum) {
    ShowRecord(1, 5000);
    Zoom(1000.7, 1099.2);
    ASSERT_EQ(SeriesNo(1).Count(), 101);
    EXPECT_EQ(Points(1).front(), Point(1000, 1000));
    EXPECT_EQ(Points(1).back(), Point(1100, 1100));

    // The axis shows seconds: frame indices come back through the X multiplier.
    ChartState.XMultiplier = 0.001;
    form->Chart->Scroll(2.0, 2.05, -10, 10);
    EXPECT_EQ(Points(1).front().first, 2000);
    EXPECT_EQ(Points(1).back().first, 2051);
}

TEST_F(AxisDrawing, ZoomBeyondTheRecordOrWithoutUsableMultiplierStaysInsideIt) {
    ShowRecord(1, 5000);
    Zoom(-50.5, 99999);
    ASSERT_EQ(SeriesNo(1).Count(), 2402);
    EXPECT_EQ(Points(1).front(), Point(0, 0));
    EXPECT_EQ(Points(1).back(), Point(4999, 4999));

    for (double past : {7000.0, 1e300}) { // wholly past the end: the last frame only
        Zoom(past, past * 10);
        EXPECT_EQ(Points(1), std::vector<Point>{Point(4999, 4999)}) << past;
    }
    // No multiplier yet: the axis says nothing about frames, so the whole record is drawn.
    for (double multiplier : {0.0, std::numeric_limits<double>::denorm_min()}) {
        ChartState.XMultiplier = multiplier;
        Zoom(10, 20);
        EXPECT_EQ(SeriesNo(1).Count(), 2402) << multiplier;
        EXPECT_EQ(Points(1).back().first, 4999) << multiplier;
    }
}

TEST_F(AxisDrawing, CountsBeyondWhatTheBufferHoldsDrawOnlyHeldFrames) {
    ShowRecord(2, 3000);
    SampleData.FrameCount = 100000; // stale count left by an earlier record
    form->Chart->UndoZoom();
    EXPECT_EQ(Points(2).back(), Point(2999, 3000));

    SampleData.SampleBuffer.resize(2 * 50);
    Zoom(0, 10000);
    EXPECT_EQ(SeriesNo(1).Count(), 50);

    SampleData.FrameCount = 0;
    Zoom(0, 50);
    EXPECT_EQ(SeriesNo(1).Count(), 0);

    LoadRecord(17, 2400, Tagged); // more channels than the station records
    form->Chart->UndoZoom();
    EXPECT_EQ(SeriesNo(1).Count(), 0);
}

TEST_F(AxisDrawing, CurrentsAndVoltagesDrawTheChannelTriplesTheRecordHas) {
    struct Case {
        std::uint8_t kind;
        int channels, frames, drawn; // series drawn, from Series1 on
    };
    const Case cases[] = {{kKindCurrents, 8, 3000, 3}, {kKindVoltages, 8, 100, 3},
                          {kKindVoltages, 4, 100, 1},  {kKindVoltages, 4, 3000, 1},
                          {kKindVoltages, 2, 100, 0},  {kKindCurrents, 2, 3000, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.kind) << ": " << c.channels << " x " << c.frames);
        LoadRecord(c.channels, c.frames, Tagged);
        ChartState.DataKind = c.kind;
        form->Chart->UndoZoom();
        const int firstChannel = c.kind == kKindCurrents ? 0 : 3;
        for (int s = 1; s <= 4; ++s) {
            ASSERT_EQ(SeriesNo(s).Count() > 0, s <= c.drawn) << s;
            if (s <= c.drawn) {
                EXPECT_EQ(Points(s)[0].second, 100 * (firstChannel + s - 1)) << s;
            }
        }
    }
}

TEST_F(AxisDrawing, OtherModesKeepTheirPointsOnZoomAndUndoZoom) {
    LoadRecord(1, 3000, Tagged);
    ChartState.DataKind = kKindHarmonics;
    SeriesNo(1).AddXY(1, 2);
    Zoom(0, 10);
    form->Chart->UndoZoom();
    EXPECT_EQ(Points(1), std::vector<Point>{Point(1, 2)});
}

} // namespace
