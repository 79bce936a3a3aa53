// The balancing run on the simulated bench's rotor: what it records, how it sets the module up,
// what it reports per revolution, and the correction computed from two runs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <regex>
#include <string>
#include <vector>

#include "tests/window/BenchFormTestSupport.h"

namespace {

using bench_form_test::kNowText;
using sim::Bench;
using sim::ModuleKind;

constexpr double kPi = std::numbers::pi;

// A vibration as the bench's rotor model states it: peak mV and the sine's phase at the mark.
std::complex<double> Vector(double mv, double deg) { return std::polar(mv, deg * kPi / 180); }
double Degrees(std::complex<double> v) {
    const double d = std::arg(v) * 180 / kPi;
    return d < 0 ? d + 360 : d;
}

struct Revolution {
    int from = 0, to = 0;
    double amp1 = 0, faz1 = 0, amp2 = 0, faz2 = 0;
};

class BalanceRun : public bench_form_test::BenchForm {
protected:
    void SetUp() override {
        BenchForm::SetUp();
        Bench().SetScenario("balance");
    }
    void SetRotor(std::complex<double> plane1, std::complex<double> plane2) {
        sim::BenchModel model = Bench().Model();
        model.Rotor.VibrationMv = {std::abs(plane1), std::abs(plane2)};
        model.Rotor.VibrationPhaseDeg = {Degrees(plane1), Degrees(plane2)};
        Bench().SetModel(model);
    }
    std::vector<std::string> Lines() const { return form->MemoB->Lines().Strings(); }
    // The revolution lines after the summary line.
    std::vector<Revolution> Revolutions() const {
        const std::regex line("([0-9]+) - ([0-9]+)   Amp1: (\\S+)   Faz1: (\\S+)   Amp2: (\\S+)   Faz2: (\\S+)");
        const std::vector<std::string> lines = Lines();
        std::vector<Revolution> found;
        for (size_t i = 1; i < lines.size(); ++i) {
            std::smatch m;
            if (!std::regex_match(lines[i], m, line)) {
                ADD_FAILURE() << lines[i];
                continue;
            }
            found.push_back({std::stoi(m[1]), std::stoi(m[2]), std::stod(m[3]), std::stod(m[4]), std::stod(m[5]),
                             std::stod(m[6])});
        }
        return found;
    }
    static void ExpectVibration(double amplitude, double phase, std::complex<double> model, double scale = 1) {
        EXPECT_NEAR(amplitude, std::abs(model) * scale, 0.01 * std::abs(model) * scale);
        EXPECT_NEAR(std::remainder(phase - Degrees(model), 360.0), 0, 1.0);
    }
};

TEST_F(BalanceRun, FiveRevolutionsOfTheRotorAreMeasuredFromItsMarks) {
    const auto plane1 = Vector(600, 75), plane2 = Vector(250, 310);
    SetRotor(plane1, plane2);
    BringUp(true, false);
    SampleData.DataFileName = "live8.asc";
    SampleData.DataGain = 3;
    form->SpeedButtonBRun->Click();
    ASSERT_TRUE(frontEnd.Messages().empty());
    ASSERT_EQ(Lines().size(), 6u);
    EXPECT_EQ(Lines()[0], std::string("LONG,  Сбор данных  ") + kNowText +
                              ",  Q=300кГц,  N=3,  KoefB=0,  NB=2,  RBA=988800,  ND=1977600,  NK=659200");
    const auto revolutions = Revolutions();
    ASSERT_EQ(revolutions.size(), 5u);
    for (int n = 0; n < 5; ++n) {
        SCOPED_TRACE(n);
        // The first mark is 5 ms after the start: frame 500 at 100 kHz per channel.
        EXPECT_EQ(revolutions[n].from, 500 + 100000 * n);
        EXPECT_EQ(revolutions[n].to, 100500 + 100000 * n);
        ExpectVibration(revolutions[n].amp1, revolutions[n].faz1, plane1);
        ExpectVibration(revolutions[n].amp2, revolutions[n].faz2, plane2);
    }
    EXPECT_EQ(ChartState.DataKind, kKindTimeData);
    EXPECT_EQ(SampleData.DataChannels, 3);
    EXPECT_EQ(SampleData.DataRate, 300.0);
    // New data: nobody saved them yet, and they are at the range the run programmed.
    EXPECT_EQ(form->Chart->TitleText(), std::string("Файл :  НЕ СОХРАНЁН !!!     ") + kNowText +
                                            "     Сбор данных :  300 кГц   3 кан. по 659200   усиление 0");
    EXPECT_EQ(AnalysisResults.FourierFirst, 400500) << "the last revolution measured";
    EXPECT_EQ(AnalysisResults.FourierCount, 100000);
    EXPECT_TRUE(AnalysisResults.SinTable.empty() && AnalysisResults.CosTable.empty());
    EXPECT_FALSE(form->SpeedButtonBRun->Down());
    EXPECT_GT(form->Series3->Count(), 0) << "the three channels are drawn";
    const QUEV_INPUT_PARS pars = Bench().LastQuevInputPars();
    EXPECT_EQ(pars.ChannelsQuantity, 3);
    EXPECT_EQ(pars.InputRate, 300);
    EXPECT_EQ(pars.ControlTable[0], 15);
    EXPECT_EQ(pars.ControlTable[1], 14);
    EXPECT_EQ(pars.ControlTable[2], 13);
}

TEST_F(BalanceRun, ChartShowsTheMarksAndVibrationsInMillivoltsWithTheUsb3000UpOrNot) {
    const sim::RotorModel rotor = Bench().Model().Rotor;
    for (const bool usb3000 : {false, true}) {
        SCOPED_TRACE(usb3000 ? "both modules up" : "the Quev module alone");
        BringUp(true, usb3000);
        form->ComboBoxY->SetItemIndex(1);
        form->SpeedButtonBRun->Click();
        ASSERT_TRUE(frontEnd.Messages().empty());
        const double shown[] = {rotor.MarkPeakMv, rotor.VibrationMv[0], rotor.VibrationMv[1]};
        for (int c = 0; c < 3; ++c) {
            const ui::Series& series = *form->Series[c];
            ASSERT_GT(series.Count(), 0);
            const double peak = *std::max_element(series.YValues().begin(), series.YValues().end()) * series.YMultiplier();
            EXPECT_NEAR(peak, shown[c], 0.01 * shown[c]) << "channel " << c;
        }
        ReleaseModulesAtShutdown();
    }
}

TEST_F(BalanceRun, ChosenGainAmplifiesThePlanesAndTheirMillivoltsStayTheRotors) {
    const auto plane1 = Vector(300, 30), plane2 = Vector(200, 200);
    SetRotor(plane1, plane2);
    BringUp(true, false);
    SampleData.DataGain = 3;
    form->ComboBoxY->SetItemIndex(1);
    form->ComboBoxBKoef->Select(2);
    form->SpeedButtonBRun->Click();
    const QUEV_INPUT_PARS pars = Bench().LastQuevInputPars();
    EXPECT_EQ(pars.ControlTable[0], 15) << "the mark stays at the widest range";
    EXPECT_EQ(pars.ControlTable[1], 142);
    EXPECT_EQ(pars.ControlTable[2], 141);
    ASSERT_EQ(Lines().size(), 6u);
    EXPECT_NE(Lines()[0].find(",  KoefB=2,  "), std::string::npos);
    // The planes' codes are at range 2: the data, the title and the chart say so, and the
    // vibration reads in the rotor's own millivolts.
    EXPECT_EQ(SampleData.DataGain, 2);
    EXPECT_NE(form->Chart->TitleText().find("   усиление 2"), std::string::npos) << form->Chart->TitleText();
    const Revolution r = Revolutions().at(0);
    ExpectVibration(r.amp1, r.faz1, plane1);
    ExpectVibration(r.amp2, r.faz2, plane2);
    const ui::Series& shown = *form->Series[1];
    ASSERT_GT(shown.Count(), 0);
    const double peak = *std::max_element(shown.YValues().begin(), shown.YValues().end()) * shown.YMultiplier();
    EXPECT_NEAR(peak, std::abs(plane1), 0.01 * std::abs(plane1));
}

TEST_F(BalanceRun, CorrectionFromTwoRunsRecoversTheChangeOfTheRotorAtEveryGain) {
    for (const int gain : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "gain " << gain);
        const auto before = Vector(800, 30);
        SetRotor(before, Vector(400, 200));
        ReleaseModulesAtShutdown();
        BringUp(true, false);
        form->ComboBoxBKoef->Select(gain);
        form->MemoB->Lines().Clear();
        form->SpeedButtonBRun->Click();
        // The first run's vibration of plane 1 is the reference, typed as the run printed it.
        const std::regex plane1("Amp1: (\\S+)   Faz1: (\\S+)");
        std::smatch m;
        const std::string last = Lines().at(5);
        ASSERT_TRUE(std::regex_search(last, m, plane1));
        form->EditBAmpl->Type(m[1]);
        form->EditBFaza->Type(m[2]);

        // A trial weight changes plane 1 by 300 mV toward 120 degrees.
        const auto change = Vector(300, 120);
        SetRotor(before + change, Vector(400, 200));
        form->SpeedButtonBRun->Click();
        form->MemoB->Lines().Clear();
        form->SpeedButtonBalance->Click();
        const std::vector<std::string> lines = Lines();
        ASSERT_EQ(lines.size(), 6u);
        const std::string number = "(-?[0-9.E-]+)";
        ASSERT_TRUE(std::regex_match(lines[0], m, std::regex("500500 - 600500   Amp1: " + number + "   Faz1: " + number)));
        ExpectVibration(std::stod(m[1]), std::stod(m[2]), before + change);
        ASSERT_TRUE(std::regex_match(lines[2], m, std::regex(" +Уст1: " + number + "   Уст1: " + number)));
        ExpectVibration(std::stod(m[1]), std::stod(m[2]), change);
        ASSERT_TRUE(std::regex_match(lines[4], m, std::regex("Установ. груз, массой : " + number + " в угол: " + number)));
        EXPECT_NEAR(std::stod(m[1]), 800.0 / 300, 0.01 * 800 / 300);
        EXPECT_NEAR(std::stod(m[2]), 30 + 180 - 120, 1.0);
    }
}

TEST_F(BalanceRun, RunEndsItsLinesWhereTheDataEnd) {
    // No marks on channel 0: the recording is logged and shown, nothing is measured.
    Bench().SetScenario("response");
    BringUp(true, false);
    form->SpeedButtonBRun->Click();
    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(Lines().size(), 1u);
    EXPECT_FALSE(form->SpeedButtonBRun->Down());
    EXPECT_EQ(ChartState.DataKind, kKindTimeData);
}

TEST_F(BalanceRun, RunNeedsTheQuevModuleAndStopsAtAFailedBlock) {
    BringUp(false, true);
    form->SpeedButtonBRun->Click();
    EXPECT_TRUE(form->SpeedButtonBRun->Down()) << "only the click's own toggle";
    EXPECT_EQ(ChartState.DataKind, kKindEmpty);
    EXPECT_EQ(Calls(ModuleKind::Usb3000, "START_READ"), 0);

    form->SpeedButtonBRun->SetDown(false);
    ReleaseModulesAtShutdown();
    BringUp(true, false);
    Bench().StallAfter(ModuleKind::Quev, sim::Direction::Read, 1);
    form->SpeedButtonBRun->Click();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Ошибка ввода данных с АЦП!"});
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(form->SpeedButtonBRun->Down());
    EXPECT_EQ(ModuleState.QuevPresent, 0);
    EXPECT_EQ(Bench().CallsAfterRelease(), 0);
}

}  // namespace
