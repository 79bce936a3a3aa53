#include <stdexcept>
#include <vector>

#include "ScriptedFixture.h"

namespace {

class ChartTest : public ScriptedFormTest {
protected:
    void SetUp() override {
        ScriptedFormTest::SetUp();
        chart = form.Add<ui::Chart>("Chart", 0, 0, 640, 480);
        for (int i = 0; i < 2; ++i) chart->AddSeries();
    }

    ui::Chart* chart = nullptr;
};

TEST_F(ChartTest, ZoomAndScrollEventsSeeTheBottomAxisAlreadyUpdated) {
    std::vector<double> seen;
    chart->OnZoom = [&](ui::Control*) {
        seen.push_back(chart->BottomAxis().CurrentMinimum());
        seen.push_back(chart->BottomAxis().CurrentMaximum());
    };
    chart->OnScroll = chart->OnZoom;
    chart->ZoomTo(10, 110, -5, 5);
    chart->Scroll(20, 120, -5, 5);
    EXPECT_EQ(seen, (std::vector<double>{10, 110, 20, 120}));
    EXPECT_TRUE(chart->BottomAxis().Zoomed());
}

TEST_F(ChartTest, UndoZoomRaisesItsEventEvenWhenNotZoomed) {
    int undos = 0;
    chart->OnUndoZoom = [&](ui::Control*) { ++undos; };
    chart->UndoZoom();
    EXPECT_EQ(undos, 1);
    chart->ZoomTo(1, 2, 3, 4);
    chart->UndoZoom();
    EXPECT_EQ(undos, 2);
    EXPECT_FALSE(chart->BottomAxis().Zoomed());
}

TEST_F(ChartTest, CurrentLimitsFollowZoomThenFixedThenDataExtentTimesMultiplier) {
    ui::Series& s = chart->SeriesAt(0);
    s.AddXY(0, -100);
    s.AddXY(1000, 300);
    s.SetXMultiplier(0.5);
    s.SetYMultiplier(2.0);
    chart->SeriesAt(1).AddXY(5000, 1e6);
    chart->SeriesAt(1).SetActive(false);  // inactive series do not stretch the axes

    EXPECT_DOUBLE_EQ(chart->BottomAxis().CurrentMaximum(), 500);
    EXPECT_DOUBLE_EQ(chart->LeftAxis().CurrentMinimum(), -200);

    auto& left = chart->LeftAxis();
    left.SetAutomatic(false);
    left.SetMinimum(50);  // above the old maximum: taken as set
    left.SetMaximum(60);
    EXPECT_DOUBLE_EQ(left.CurrentMinimum(), 50);
    EXPECT_DOUBLE_EQ(left.CurrentMaximum(), 60);

    chart->ZoomTo(100, 10, 0, 1);  // a reversed rectangle still gives an ordered range
    EXPECT_DOUBLE_EQ(chart->BottomAxis().CurrentMinimum(), 10);
    EXPECT_DOUBLE_EQ(chart->BottomAxis().CurrentMaximum(), 100);
}

TEST_F(ChartTest, DisabledChartIgnoresOperatorZoomButNotUndoRequests) {
    int events = 0;
    chart->OnZoom = [&](ui::Control*) { ++events; };
    chart->OnUndoZoom = [&](ui::Control*) { ++events; };
    chart->SetEnabled(false);
    chart->ZoomTo(0, 1, 0, 1);
    EXPECT_EQ(events, 0);
    EXPECT_FALSE(chart->BottomAxis().Zoomed());
    chart->UndoZoom();
    EXPECT_EQ(events, 1);
}

TEST_F(ChartTest, RefillInsideUpdateNotifiesOnce) {
    int dataNotices = 0;
    chart->Subscribe([&](ui::Control&, ui::Property what) {
        if (what == ui::Property::SeriesData) ++dataNotices;
    });
    chart->BeginUpdate();
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        chart->SeriesAt(i).Clear();
        for (int k = 0; k < 1000; ++k) chart->SeriesAt(i).AddXY(k, k);
    }
    chart->EndUpdate();
    EXPECT_EQ(dataNotices, 1);
    EXPECT_EQ(chart->SeriesAt(1).Count(), 1000);
    EXPECT_EQ(chart->SeriesAt(1).YValues()[999], 999);
    EXPECT_THROW(chart->SeriesAt(2), std::out_of_range);
}

} // namespace
