// The response of a recorded sweep behind the processing page's hidden "АЧХ" button.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "tests/window/FuriePageTestSupport.h"

namespace {

constexpr double kNotedStart = 11.5932986478377;  // 12 Hz peaks in seconds 0 to 2, referred back

// Codes of `amplitude` (per channel) at `framesPerSecond` whose phase at second t is `phase(t)`.
std::function<int16_t(int64_t, int)> Tone(std::vector<double> amplitude, double framesPerSecond,
                                          std::function<double(double)> phase) {
    return [=](int64_t k, int c) {
        return static_cast<int16_t>(std::lround(amplitude[c] * std::sin(phase(k / framesPerSecond))));
    };
}

// An exponential sweep from `start` Hz rising one octave every 30 s.
std::function<double(double)> Sweep(double start) {
    return [start](double t) {
        return 2 * std::numbers::pi * start * 30 / std::numbers::ln2 * (std::pow(2.0, t / 30) - 1);
    };
}

std::function<double(double)> Steady(double frequency) {
    return [frequency](double t) { return 2 * std::numbers::pi * frequency * t; };
}

class SweepResponse : public furie_page_test::FuriePageForm {
protected:
    // `seconds` of `channels` channels at 1024 frames per second (or `rate` kHz over all of them).
    void Record(int channels, double seconds, const std::function<int16_t(int64_t, int)>& code, double rate = 0) {
        SampleData.DataRate = rate > 0 ? rate : 1.024 * channels;
        const double framesPerSecond = 1000 * SampleData.DataRate / channels;
        LoadRecord(channels, static_cast<int32_t>(seconds * framesPerSecond), code);
    }
    void Press() {
        form->Memo->Lines().Clear();
        form->SpeedButtonAFC->PerformClick();
    }
};

TEST_F(SweepResponse, SweepFromTheNotedStartGivesItsStartAndAmplitudesEveryTenthOfASecond) {
    Record(2, 3, Tone({1000, 500}, 1024, Sweep(kNotedStart)));
    form->ComboBoxX->SetItemIndex(2);
    Press();
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"Power = 10     Num = 512     Interval = 1",
                                                    "Qbeg=11.5932986478377Гц"}));
    EXPECT_EQ(ChartState.DataKind, kKindSpectrum);
    EXPECT_EQ(form->ComboBoxX->Items()[1], "Гц");
    EXPECT_EQ(form->ComboBoxX->ItemIndex(), 1);
    EXPECT_EQ(form->Chart->TitleText(), "Амплитудо-частотная характеристика");
    EXPECT_EQ(AnalysisResults.FourierCount, 1024);

    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE(c);
        const auto points = Points(c + 1);
        ASSERT_EQ(points.size(), 11u);  // steps 10 to 20
        const double amplitude = c == 0 ? 1000 : 500;
        for (size_t i = 0; i < points.size(); ++i) {
            EXPECT_NEAR(points[i].first, kNotedStart * std::pow(2.0, (10.0 + i) / 300), 1e-9);
            EXPECT_NEAR(points[i].second, amplitude, amplitude * 0.01);
            EXPECT_EQ(AnalysisResults.AmpTable[TableIndex(10 + i, c)], points[i].second);
        }
        EXPECT_EQ(SeriesNo(c + 1).XMultiplier(), 1) << "frequencies shown in hertz";
    }
}

TEST_F(SweepResponse, StepsAndTheStartComeOnlyFromWhatTheRecordHolds) {
    struct Case {
        const char* what;
        int channels;
        double seconds;
        double rate;  // kHz over all channels; 0 for 1024 frames per second
        double tone;  // Hz, steady
        bool start;   // a Qbeg line
        size_t points;
        double claimed = 0;  // seconds SampleCount claims, when more than the buffer holds
    };
    const Case cases[] = {
        {"three seconds of 12 Hz", 2, 3, 0, 12, true, 11},
        {"exactly two seconds: one step", 2, 2, 0, 12, true, 1},
        {"shorter than two seconds: no step", 2, 1.5, 0, 12, true, 0},
        {"a peak outside the sweep's octaves", 2, 3, 0, 20, false, 0},
        {"one channel: no channel 1 to find the start in", 1, 3, 0, 12, false, 0},
        // 1000 frames a second against 1024-frame seconds: the last second runs past the data.
        {"frames per second no power of two", 2, 10, 2.0, 12, true, 81},
        // Seconds from 3 on and steps from 30 on lie past the frames held.
        {"a sample count beyond the buffer", 2, 3, 0, 12, true, 20, 6},
        {"no data", 2, 0, 0, 12, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Record(c.channels, c.seconds, Tone({1000, 1000}, c.rate > 0 ? 1000 : 1024, Steady(c.tone)), c.rate);
        SampleData.SampleCount = static_cast<int32_t>(std::max(c.seconds, c.claimed) * SampleData.DataRate * 1000);
        Press();
        const auto lines = LogLines();
        ASSERT_FALSE(lines.empty());
        EXPECT_TRUE(lines[0].starts_with("Power = 10     Num = 512     Interval = "));
        EXPECT_EQ(lines.size(), c.start ? 2u : 1u);
        EXPECT_EQ(Points(1).size(), c.points);
        for (const auto& [frequency, amplitude] : Points(c.channels)) {
            EXPECT_TRUE(std::isfinite(frequency) && amplitude > 0 && amplitude < 1100);
        }
    }
    EXPECT_EQ(LogLines()[0], "Power = 10     Num = 512     Interval = 1");
}

}  // namespace
