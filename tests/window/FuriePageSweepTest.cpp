// The response of a recorded sweep behind the processing page's hidden "АЧХ" button.

#include <algorithm>
#include <cmath>
#include <complex>
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

TEST_F(SweepResponse, SweepFromTheNotedStartGivesItsStartAndTheLowPassCurveEveryTenthOfASecond) {
    // Channel 0 the sweep, channel 1 the sweep through a 20 Hz first-order low-pass; the record's
    // own frames per second time the steps whether or not they are a power of two.
    const struct {
        double framesPerSecond;
        const char* sizing;
    } cases[] = {
        {1024, "Power = 10     Num = 512     Interval = 1"},
        {8000, "Power = 13     Num = 4096     Interval = 0.9765625"},
    };
    const auto lowPass = [](double frequency) { return 1.0 / std::complex<double>(1, frequency / 20); };
    const auto sweep = Sweep(kNotedStart);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.framesPerSecond);
        const double fps = c.framesPerSecond;
        Record(2, 3.5, [&](int64_t k, int channel) {
            const double t = k / fps;
            const std::complex<double> h = channel == 0 ? 1.0 : lowPass(kNotedStart * std::pow(2.0, t / 30));
            return static_cast<int16_t>(std::lround(1000 * std::abs(h) * std::sin(sweep(t) + std::arg(h))));
        }, 2 * fps / 1000);
        form->ComboBoxX->SetItemIndex(2);
        Press();
        EXPECT_EQ(LogLines(), (std::vector<std::string>{c.sizing, "Qbeg=11.5932986478377Гц"}));
        EXPECT_EQ(ChartState.DataKind, kKindSpectrum);
        EXPECT_EQ(form->ComboBoxX->Items()[1], "Гц");
        EXPECT_EQ(form->ComboBoxX->ItemIndex(), 1);
        EXPECT_EQ(form->Chart->TitleText(), "Амплитудо-частотная характеристика");

        const auto input = Points(1);
        const auto output = Points(2);
        ASSERT_EQ(input.size(), 16u);  // steps 10 to 25
        ASSERT_EQ(output.size(), input.size());
        for (size_t i = 0; i < input.size(); ++i) {
            SCOPED_TRACE(i);
            const double frequency = kNotedStart * std::pow(2.0, (10.0 + i) / 300);
            EXPECT_NEAR(input[i].first, frequency, 1e-9);
            EXPECT_EQ(output[i].first, input[i].first);
            EXPECT_NEAR(input[i].second, 1000, 10);
            const double gain = std::abs(lowPass(frequency));
            EXPECT_NEAR(output[i].second / input[i].second, gain, 0.01 * gain);
            EXPECT_EQ(AnalysisResults.AmpTable[TableIndex(10 + i, 0)], input[i].second);
            EXPECT_EQ(AnalysisResults.AmpTable[TableIndex(10 + i, 1)], output[i].second);
        }
        for (int number : {1, 2}) EXPECT_EQ(SeriesNo(number).XMultiplier(), 1) << "frequencies shown in hertz";
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
        // 1000 frames a second: the last second's interpolation would reach the frame after the data.
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
