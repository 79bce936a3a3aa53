// The sweep views of TrackBarAFFCshow.

#include "tests/window/OpenSaveTestSupport.h"

namespace {

using SweepViewTest = OpenSaveTest;

TEST_F(SweepViewTest, EachPositionShowsItsViewWhenResultsAndRawDataExist) {
    SetRecord(kKindSweepData, 2, 5, 0, {1, 2, 3, 4});
    FrequencyResponse.AfcSteps = 1;
    const struct {
        int position;
        uint8_t kind;
        const char* caption;
        const char* hint;
    } views[] = {{5, kKindSweepPhases, "ФАЗ", "ФАЗЫ"},
                 {4, kKindSweepAmplitudes, "АМП", "АМПЛИТУДЫ"},
                 {3, kKindSweepPhase, "ФЧХ", "ФАЗО-ЧАСТОТНУЮ ХАРАКТЕРИСТИКУ"},
                 {2, kKindSweepGain, "АЧХ", "АМПЛИТУДО-ЧАСТОТНУЮ ХАРАКТЕРИСТИКУ"},
                 {1, kKindSweepData, "ДАН", "СОБРАННЫЕ ДАННЫЕ"}};
    for (const auto& view : views) {
        SCOPED_TRACE(view.position);
        ForgetRedraw();
        form->TrackBarAFFCshow->MoveTo(view.position);
        EXPECT_EQ(ChartState.DataKind, view.kind);
        EXPECT_EQ(form->LabelAFFCshow->Caption(), view.caption);
        EXPECT_EQ(form->LabelAFFCshow->Hint(), view.hint);
        EXPECT_TRUE(Redrawn());
    }
}

TEST_F(SweepViewTest, BarSpringsBackToAViewThatHasData) {
    // Results read from a file have no raw data: view 1 gives way to the gain.
    SetRecord(kKindSweepPhase, 2, 5, 0, {});
    FrequencyResponse.AfcSteps = 1;
    form->TrackBarAFFCshow->MoveTo(3);
    form->TrackBarAFFCshow->MoveTo(1);
    EXPECT_EQ(form->TrackBarAFFCshow->Position(), 2);
    EXPECT_EQ(ChartState.DataKind, kKindSweepGain);

    // Without results nothing but view 1 exists, and nothing is redrawn.
    FrequencyResponse.AfcSteps = 0;
    ForgetRedraw();
    form->TrackBarAFFCshow->MoveTo(4);
    EXPECT_EQ(form->TrackBarAFFCshow->Position(), 1);
    EXPECT_EQ(ChartState.DataKind, kKindSweepGain);
    EXPECT_FALSE(Redrawn());
}

} // namespace
