// The power page: the computation on records of known levels, the channel-count gating of the
// views, the checks that refuse a record, and the choices and views that do not recompute.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/window/RedrawTestForm.h"
#include "state/State.h"

namespace {

// Currents A, B, C, voltages, speed pulses, torque.
constexpr int16_t kLevels[] = {100, 200, 300, 10, 20, 40, 0, 800};

class PowerPage : public redraw_test::RedrawForm {
protected:
    static void LoadLevels(int channels, double rateKHz, int frames) {
        LoadRecord(channels, frames, [](int64_t, int c) { return kLevels[c]; });
        SampleData.DataRate = rateKHz;
    }
    void Press() {
        frontEnd.ClearMessages();
        form->SpeedButtonPower->Click();
    }
};

TEST_F(PowerPage, ConstantLevelsGiveTheWiringsPowersScaledByTheRange) {
    struct Case {
        bool line;
        int gain;
        double expected[4];
    };
    const Case cases[] = {
        {false, 0, {2.34375, 9.375, 28.125, 13.28125}},
        {true, 0, {0, -7.8125, 15.625, 7.8125 / 3}},
        {false, 1, {0.146484375, 0.5859375, 1.7578125, 0.830078125}},  // mV per code squared
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line ? "line" : "phase") + ", range " + std::to_string(c.gain));
        LoadLevels(6, 60, 1200);
        SampleData.DataGain = static_cast<uint8_t>(c.gain);
        SampleData.DataMvPerCode = QuevMvPerCode(c.gain);
        (c.line ? form->RadioButtonUlin : form->RadioButtonUfaz)->Click();
        Press();
        EXPECT_TRUE(frontEnd.Messages().empty());
        EXPECT_EQ(AnalysisResults.FourierFirst * 1000 + AnalysisResults.FourierCount, 800200);
        EXPECT_DOUBLE_EQ(AnalysisResults.AmpTable[3], 10 * 1.25 / (c.gain ? 4 : 1)) << "mean of Ua";
        EXPECT_EQ(PowerAnalysis.PowerWindow, 400);
        ASSERT_EQ(PowerAnalysis.PowerSeries.size(), 4u);
        for (int s = 0; s < 4; ++s)
            EXPECT_EQ(PowerAnalysis.PowerSeries[s], std::vector<double>(3, c.expected[s])) << "series " << s;
        EXPECT_EQ(ChartState.DataKind, kKindPower);
        EXPECT_EQ(Points(1).size(), 3u) << "the power view is shown";
        EXPECT_TRUE(form->SpeedButtonVisPact->Down() && !form->SpeedButtonVisDan->Down());
    }
}

TEST_F(PowerPage, SpeedAndTorqueViewsOpenOnlyWithTheirChannels) {
    EXPECT_TRUE(form->SpeedButtonVisDan->Down());
    for (int channels : {6, 7, 8}) {
        SCOPED_TRACE(channels);
        form = std::make_unique<TForma>();
        Forma = form.get();
        LoadLevels(channels, 10 * channels, 1200);
        Press();
        EXPECT_TRUE(form->SpeedButtonVisPact->Enabled() && form->SpeedButtonVisPosl->Enabled());
        EXPECT_EQ(form->SpeedButtonVisSpeed->Enabled(), channels >= 7);
        EXPECT_EQ(form->SpeedButtonVisMoment->Enabled(), channels >= 8);
        EXPECT_FALSE(form->SpeedButtonVisUfaz->Enabled());
        // Results a record cannot give are intervals of zero, not an earlier record's.
        EXPECT_EQ(PowerAnalysis.SpeedSeries, std::vector<double>(3, 0.0));
        EXPECT_EQ(PowerAnalysis.TorqueSeries, std::vector<double>(3, channels == 8 ? 5.0 : 0.0));
    }
}

TEST_F(PowerPage, RefusedRecordsChangeNothing) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::string message;
        bool fromPage = true;  // else the default handler's conversion error
    };
    const auto hz = [this](const char* text) { return [this, text] { form->EditHz->Type(text); }; };
    const std::string period = "Период сети должен быть от 1 до 40001 данных !";
    const Case cases[] = {
        {"no data", [] { SampleData.FrameCount = 0; }, "Нет открытых данных !"},
        {"five channels", [] { LoadLevels(5, 50, 1200); }, "Число каналов меньше 6 !"},
        {"no mains frequency", hz("0"), "Частота сети должна быть больше 0 !"},
        {"negative mains frequency", hz("-50"), "Частота сети должна быть больше 0 !"},
        {"period below a frame", hz("20001"), period},
        {"period beyond the table", [&] { LoadLevels(6, 60.003, 90000), hz("0.25")(); }, period},
        {"shorter than two periods", [] { LoadLevels(6, 60, 399); }, "Данных меньше двух периодов сети !"},
        {"interval of half a frame", [this] { LoadLevels(6, 1.2, 1200), form->TrackBarRound->MoveTo(1); },
         "Интервал усреднения меньше одного данного !"},
        {"coefficient not a number", [this] { form->EditKM->Type("5;5"); },
         "'5;5' is not a valid floating point value", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadLevels(6, 60, 1200);
        form->EditHz->Type("50");
        form->TrackBarRound->MoveTo(5);
        form->EditKM->Type("5");
        ChartState.DataKind = kKindTimeData;
        AnalysisResults.FourierCount = 4;
        PowerAnalysis.PowerSeries = {{1.0}};
        PowerAnalysis.TorqueCoef = 7;
        PowerAnalysis.PowerWindow = 9;
        c.arrange();
        Press();
        const auto messages = frontEnd.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Text, c.message);
        EXPECT_EQ(messages[0].Caption == "ОШИБКА!!!" && messages[0].Flags == 0, c.fromPage);
        EXPECT_EQ(ChartState.DataKind, kKindTimeData);
        EXPECT_EQ(AnalysisResults.FourierCount, 4);
        EXPECT_EQ(PowerAnalysis.PowerSeries, (std::vector<std::vector<double>>{{1.0}}));
        EXPECT_EQ(PowerAnalysis.TorqueCoef * 10 + PowerAnalysis.PowerWindow, 79);
        EXPECT_FALSE(form->SpeedButtonVisPact->Enabled() || form->SpeedButtonVisPosl->Enabled());
    }
}

TEST_F(PowerPage, WindowsAtTheLimitsAreTaken) {
    // A mains period of 40001 frames fills the sequence table.
    LoadLevels(6, 60.0015, 80002);
    form->EditHz->Type("0,25");  // as the operator types a decimal
    Press();
    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(AnalysisResults.FourierCount, 40001);
    EXPECT_EQ(AnalysisResults.FourierFirst, 0);
    // 2.5 frames of averaging round to 2, the even neighbour.
    LoadLevels(6, 6, 1200);
    form->EditHz->Type("5");
    form->TrackBarRound->MoveTo(1);
    Press();
    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(PowerAnalysis.PowerWindow, 2);
    EXPECT_EQ(PowerAnalysis.PowerSeries[0].size(), 600u);
}

TEST_F(PowerPage, ChoicesAndViewsDoNotRecompute) {
    LoadLevels(6, 60, 1200);
    Press();
    const auto phasePowers = PowerAnalysis.PowerSeries;
    form->RadioButtonUlin->Click();
    form->RadioButtonUlin->PerformClick();  // green already: nothing more
    EXPECT_EQ(form->RadioButtonUlin->Font().Color, 0x8000u);
    EXPECT_EQ(form->RadioButtonUfaz->Font().Color, 255u);
    EXPECT_EQ(PowerAnalysis.PowerSeries, phasePowers);

    const char* captions[] = {" 6 ШИМ ", "12 ШИМ ", "24 ШИМ ", " 1/50 c", " 1/25 c", " 1/10 c", "  1/5 c", "    1 c"};
    for (int position = 1; position <= 8; ++position) {
        form->TrackBarRound->MoveTo(position);
        EXPECT_EQ(form->LabelRound->Caption(), captions[position - 1]);
    }
    EXPECT_EQ(PowerAnalysis.PowerWindow, 400);

    // A longer record opened later: the power view shows only the intervals computed.
    LoadLevels(6, 60, 4000);
    const std::pair<ui::SpeedButton*, uint8_t> views[] = {
        {form->SpeedButtonVisI, kKindCurrents},    {form->SpeedButtonVisU, kKindVoltages},
        {form->SpeedButtonVisPosl, kKindSequence}, {form->SpeedButtonVisDan, kKindTimeData},
        {form->SpeedButtonVisPact, kKindPower},
    };
    for (const auto& [button, kind] : views) {
        button->Click();
        EXPECT_EQ(ChartState.DataKind, kind) << button->Caption();
        EXPECT_TRUE(button->Down());
    }
    EXPECT_EQ(Points(1).size(), 3u);
    form->SpeedButtonVisUfaz->Click();  // disabled
    EXPECT_EQ(ChartState.DataKind, kKindPower);
    form->SpeedButtonVisUfaz->PerformClick();
    EXPECT_EQ(ChartState.DataKind, kKindPhaseVoltages);
}

}  // namespace
