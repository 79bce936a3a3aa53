// The record button on the simulated bench: long recordings from either module (what they read,
// how they set the module up, what they log, how they fail) and the refusals of every start.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <filesystem>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/DateTime.h"
#include "settings/BringUp.h"
#include "sim/BenchControl.h"
#include "state/State.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "ui/MessageFlags.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"

namespace {

using sim::Bench;
using sim::ModuleKind;

constexpr ui::TColor kRed = 255;
constexpr int kRate40 = 13, kRate400 = 33;           // TrackBarQ positions (Quev table)
constexpr int kTime01 = 6, kTime1 = 12, kTime3 = 15, kTime10 = 18;  // TrackBarT positions

class AdcRecord : public ::testing::Test {
protected:
    void SetUp() override {
        Bench().Reset();
        Bench().SetClock(sim::ClockMode::Instant);
        Bench().SetScenario("drive");
        ui::Application.SetFrontEnd(&frontEnd);
        platform::SetNowProvider([] { return platform::EncodeDate(2024, 3, 5) + platform::EncodeTime(14, 7, 9, 0); });
        ResetSharedState();
        form = std::make_unique<TForma>();
        Forma = form.get();
    }
    void TearDown() override {
        StopAndReapAllWorkers();
        ReleaseModulesAtShutdown();
        Forma = nullptr;
        form.reset();
        platform::SetNowProvider({});
        ui::Application.SetFrontEnd(nullptr);
        ResetSharedState();
        Bench().Reset();
        std::filesystem::remove(savedPath);
    }

    void BringUp(bool quev, bool usb3000) {
        Bench().SetPresent(ModuleKind::Quev, quev);
        Bench().SetPresent(ModuleKind::Usb3000, usb3000);
        ConnectQuevModule();
        ConnectUsb3000Module();
        form->Memo->Lines().Clear();
    }
    // The choices of a long recording; the bars' handlers run even where a bar stays put.
    void ChooseLong(int channels, int ratePosition, int timePosition, int range = 0) {
        form->ComboBoxR->Select(1);
        form->ComboBoxK->Select(range);
        form->ComboBoxN->Select(channels - 1);
        form->TrackBarQ->SetPosition(ratePosition);
        form->TrackBarQChange(nullptr);
        form->TrackBarT->SetPosition(timePosition);
        form->TrackBarTChange(nullptr);
    }
    std::vector<std::string> Log() const { return form->Memo->Lines().Strings(); }
    static int Calls(ModuleKind kind, const std::string& operation) {
        int n = 0;
        for (int i = 0; i < Bench().InstanceCount(kind); ++i) {
            for (const auto& call : Bench().CallLog(kind, i)) n += call == operation ? 1 : 0;
        }
        return n;
    }

    // Amplitude (codes) and phase (degrees) of the component at `hz` over whole periods of
    // channel c, frames [0, frames).
    static std::complex<double> Component(int c, int frames, double frameRateHz, double hz) {
        std::complex<double> sum;
        for (int k = 0; k < frames; ++k) {
            const double angle = 2 * std::numbers::pi * hz * k / frameRateHz;
            sum += static_cast<double>(SampleData.SampleBuffer[SampleIndex(k, c)]) * std::polar(1.0, -angle);
        }
        return sum * (2.0 / frames);
    }

    // The bench's three-phase currents on channels 0 to 2: 1500 mV at 50 Hz, phases 120 degrees
    // apart, and each channel repeating itself after one mains period.
    static void ExpectDriveCurrents(double frameRateHz, double mvPerCode) {
        const int period = static_cast<int>(frameRateHz / 50);
        const int frames = 5 * period;
        ASSERT_GE(ValidFrames(), frames);
        std::complex<double> phases[3];
        for (int c = 0; c < 3; ++c) {
            phases[c] = Component(c, frames, frameRateHz, 50);
            EXPECT_NEAR(std::abs(phases[c]) * mvPerCode, 1500, 3) << "channel " << c;
            int worst = 0;
            for (int k = 0; k + period < ValidFrames(); ++k) {
                worst = std::max(worst, std::abs(SampleData.SampleBuffer[SampleIndex(k + period, c)] -
                                                 SampleData.SampleBuffer[SampleIndex(k, c)]));
            }
            EXPECT_LE(worst, 1) << "channel " << c << " repeats after 20 ms";
        }
        for (int c = 1; c < 3; ++c) {
            const double lag = std::remainder(std::arg(phases[c - 1] / phases[c]) * 180 / std::numbers::pi, 360.0);
            EXPECT_NEAR(lag, 120, 0.5) << "phase " << c << " lags the one before";
        }
    }

    void SaveAndReopen() {
        SampleDataGroup recorded = SampleData;
        recorded.SampleBuffer.resize(static_cast<size_t>(recorded.FrameCount) * recorded.DataChannels);
        frontEnd.QueueSave(savedPath, 1);
        form->SpeedButtonSave->Click();
        SampleData = SampleDataGroup{};
        frontEnd.QueueOpen(savedPath, 1);
        form->SpeedButtonOpen->Click();
        EXPECT_TRUE(frontEnd.Messages().empty());
        EXPECT_EQ(ChartState.DataKind, kKindTimeData);
        EXPECT_EQ(SampleData.DataChannels, recorded.DataChannels);
        EXPECT_EQ(SampleData.DataRate, recorded.DataRate);
        EXPECT_EQ(SampleData.DataGain, recorded.DataGain);
        EXPECT_EQ(SampleData.FrameCount, recorded.FrameCount);
        EXPECT_EQ(platform::DateTimeToStr(SampleData.DataTime), platform::DateTimeToStr(recorded.DataTime));
        SampleData.SampleBuffer.resize(recorded.SampleBuffer.size());
        EXPECT_TRUE(SampleData.SampleBuffer == recorded.SampleBuffer);
    }

    ui::ScriptedFrontEnd frontEnd;
    std::unique_ptr<TForma> form;
    std::string savedPath = (std::filesystem::temp_directory_path() /
                             ("adc_record_" + std::to_string(::getpid()) + ".asc")).string();
};

TEST_F(AdcRecord, QuevLongRecordingReadsTheBenchCurrentsAndSavesThem) {
    BringUp(true, false);
    ChooseLong(4, kRate40, kTime01);
    form->SpeedButtonRecord->Click();
    ASSERT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(Log(), std::vector<std::string>{"LONG,  Сбор данных  05.03.2024 14:07:09,  Q=40кГц,  N=4,  K=0,  NB=1,  "
                                              "RBA=4032,  ND=4032,  NK=1008"});
    EXPECT_FALSE(form->SpeedButtonRecord->Down());
    EXPECT_EQ(form->Series1->Count(), 1008) << "drawn";
    ExpectDriveCurrents(10000, 1.25);
    SaveAndReopen();
}

TEST_F(AdcRecord, Usb3000LongRecordingRunsAtItsFullRateAndDropsThePartialFrame) {
    BringUp(false, true);
    ChooseLong(3, kRate40, kTime01);
    form->SpeedButtonRecord->Click();
    ASSERT_TRUE(frontEnd.Messages().empty());
    // 300032 samples are 100010 frames of three channels and two samples over.
    EXPECT_EQ(Log(), std::vector<std::string>{"LONG,  Сбор данных  05.03.2024 14:07:09,  Q=3000кГц,  N=3,  K=0,  "
                                              "NB=1,  RBA=300032,  ND=300032,  NK=100010"});
    EXPECT_EQ(ValidFrames(), 100010);
    ExpectDriveCurrents(1e6, 0.625);
    SaveAndReopen();
}

TEST_F(AdcRecord, LongRecordingProgramsTheQuevModuleForItsWiring) {
    BringUp(true, false);
    ChooseLong(4, kRate400, kTime1, 2);
    form->SpeedButtonRecord->Click();
    ASSERT_TRUE(frontEnd.Messages().empty());
    const QUEV_INPUT_PARS quev = Bench().LastQuevInputPars();
    EXPECT_EQ(int{quev.CorrectionEnabled}, 1);
    EXPECT_EQ(int{quev.ChannelsQuantity}, 4);
    EXPECT_EQ(double{quev.InputRate}, 400);
    EXPECT_EQ(double{quev.InterKadrDelay}, 0.0025);
    const uint16_t quevTable[] = {143, 142, 141, 140};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(int{quev.ControlTable[i]}, quevTable[i]);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(int{quev.AdcCalibration[i]}, int{ModuleState.QuevFlash.AdcCalibration[i]});
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_NE(Log()[0].find("Q=400кГц,  N=4,  K=2,  NB=1,  RBA=400032,  ND=400032,  NK=100008"), std::string::npos);
}

TEST_F(AdcRecord, BothModulesUpALongRecordingRunsTheUsb3000AloneInItsOwnTime) {
    BringUp(true, true);
    // With the USB3000 up the rate bar follows its table, where 400 kHz is position 26.
    ChooseLong(4, 26, kTime10, 2);
    const double startSeconds = Bench().Clock().NowSeconds();
    form->SpeedButtonRecord->Click();
    const double recordSeconds = Bench().Clock().NowSeconds() - startSeconds;
    ASSERT_TRUE(frontEnd.Messages().empty());
    // One pass of 30,007,808 samples at 3 MHz: the Quev module is never asked.
    EXPECT_GT(recordSeconds, 10.0);
    EXPECT_LT(recordSeconds, 10.1);
    for (const char* operation : {"SET_INPUT_PARS", "START_READ", "ReadData"}) {
        EXPECT_EQ(Calls(ModuleKind::Quev, operation), 0) << operation;
        EXPECT_EQ(Calls(ModuleKind::Usb3000, operation), std::string(operation) == "ReadData" ? 29 : 1) << operation;
    }
    EXPECT_EQ(ModuleState.QuevPresent, 1);
    EXPECT_EQ(ModuleState.Usb3000Present, 1);

    const RTUSB3000::INPUT_PARS usb = Bench().LastUsb3000InputPars();
    EXPECT_EQ(int32_t{usb.CorrectionEnabled}, -1);
    EXPECT_EQ(double{usb.InputRate}, 3000);
    EXPECT_EQ(double{usb.InterKadrDelay}, 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(int{usb.ControlTable[i]}, i);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(double{usb.AdcOffsetCoef[i]}, double{ModuleState.Usb3000Flash.AdcOffsetCoef[i]});
        EXPECT_EQ(double{usb.AdcScaleCoef[i]}, double{ModuleState.Usb3000Flash.AdcScaleCoef[i]});
    }
    EXPECT_EQ(Log(), std::vector<std::string>{"LONG,  Сбор данных  05.03.2024 14:07:09,  Q=3000кГц,  N=4,  K=2,  "
                                              "NB=29,  RBA=1034752,  ND=30007808,  NK=7501952"});
    ExpectDriveCurrents(750000, 0.625);
}

struct Failure {
    const char* name;
    ModuleKind failing;
    const char* operation;  // "" for a block that never completes
    int stallAfter;
    const char* text;
    int flags;
};

const Failure kFailures[] = {
    {"Quev parameters", ModuleKind::Quev, "SET_INPUT_PARS", 0, "Не могу передать параметры АЦП!", ui::MB_ICONINFORMATION},
    {"Quev start", ModuleKind::Quev, "START_READ", 0, "Не могу запустить АЦП!", 0},
    {"Quev second block", ModuleKind::Quev, "", 1, "Ошибка ввода данных с АЦП!", 0},
    {"Quev stop", ModuleKind::Quev, "STOP_READ", 0, "Не могу остановить АЦП!", 0},
    {"USB3000 parameters", ModuleKind::Usb3000, "SET_INPUT_PARS", 0, "Не могу передать параметры АЦП!",
     ui::MB_ICONINFORMATION},
    {"USB3000 start", ModuleKind::Usb3000, "START_READ", 0, "Не могу запустить АЦП!", 0},
    {"USB3000 first block", ModuleKind::Usb3000, "", 0, "Ошибка ввода данных с АЦП!", 0},
    {"USB3000 stop", ModuleKind::Usb3000, "STOP_READ", 0, "Не могу остановить USB3000 АЦП!", 0},
};

TEST_F(AdcRecord, AFailedStepReleasesTheModuleAndEndsTheRecordingUnlogged) {
    for (const Failure& f : kFailures) {
        SCOPED_TRACE(f.name);
        Bench().Reset();
        Bench().SetClock(sim::ClockMode::Instant);
        Bench().SetScenario("ramp");
        ResetSharedState();
        frontEnd.ClearMessages();
        form->SpeedButtonRecord->SetDown(false);
        const bool quevFailed = f.failing == ModuleKind::Quev;
        // The Quev module records only when it is up alone; beside it, the USB3000 alone records.
        BringUp(true, !quevFailed);
        // 1200 thousand samples: two Quev blocks.
        ChooseLong(2, kRate400, kTime3);
        if (*f.operation != '\0') {
            Bench().FailOnCall(f.failing, f.operation, 1);
        } else {
            Bench().StallAfter(f.failing, sim::Direction::Read, f.stallAfter);
        }
        form->SpeedButtonRecord->Click();

        const auto messages = frontEnd.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Text, f.text);
        EXPECT_EQ(messages[0].Caption, "ОШИБКА!!!");
        EXPECT_EQ(messages[0].Flags, f.flags);
        EXPECT_EQ(ModuleState.QuevPresent, quevFailed ? 0 : 1);
        EXPECT_EQ(ModuleState.Usb3000Present, 0);
        EXPECT_EQ(form->ShapeADC->Color(), kRed);
        EXPECT_EQ(TransferState.AdcEvent, nullptr);
        EXPECT_TRUE(Log().empty());
        EXPECT_TRUE(form->SpeedButtonRecord->Down()) << "left as the click put it";
        EXPECT_EQ(ChartState.DataKind, kKindTimeData);
        EXPECT_EQ(SampleData.DataFileName, kNotSavedName);
        if (!quevFailed) {
            EXPECT_EQ(Calls(ModuleKind::Quev, "SET_INPUT_PARS"), 0) << "no Quev pass";
        }
        EXPECT_EQ(Bench().CallsAfterRelease(), 0);
        ReleaseModulesAtShutdown();
    }
}

TEST_F(AdcRecord, StartsWithoutAModuleDoNothingAndWithoutAChoiceSayWhatIsMissing) {
    enum class Choices { None, Made, NoMemory, SpectrumEmpty };
    struct Refusal {
        const char* name;
        bool modules;
        Choices choices;
        bool longMode;
        bool buttonDownAfter;  // the click's own toggle stays only when no module is up
        const char* missing;   // the box's text, or none
    };
    const Refusal refusals[] = {
        {"no module, long", false, Choices::Made, true, true, nullptr},
        {"no module, real", false, Choices::Made, false, true, nullptr},
        {"no choices, long", true, Choices::None, true, false, "Не задан параметр «Диапазон» !"},
        {"no choices, real", true, Choices::None, false, false, "Не задан параметр «Диапазон» !"},
        {"no memory, real", true, Choices::NoMemory, false, false, "Не задан параметр «Память» !"},
        {"no transform size, real", true, Choices::Made, false, false, "Не задан параметр «Бит» !"},
        {"transform size but no spectrum range, real", true, Choices::SpectrumEmpty, false, false,
         "Не задан параметр «БПФ по оси X, с» !"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        Bench().Reset();
        Bench().SetClock(sim::ClockMode::Instant);
        ResetSharedState();
        frontEnd.ClearMessages();
        form = std::make_unique<TForma>();
        Forma = form.get();
        BringUp(r.modules, r.modules);
        if (r.choices != Choices::None) ChooseLong(1, 1, kTime01);
        if (r.choices == Choices::SpectrumEmpty) {
            // As on a first start: the edits of the spectrum's range hold nothing.
            form->ComboBoxFFTBit->Select(0);
            form->EditFFT_XB->SetText("");
            form->EditFFT_XE->SetText("");
        }
        form->ComboBoxR->Select(r.longMode ? 1 : 0);
        if (r.choices != Choices::None && r.choices != Choices::NoMemory) form->ComboBoxM->Select(0);
        const std::string title = form->Chart->TitleText();
        form->SpeedButtonRecord->Click();
        EXPECT_EQ(form->SpeedButtonRecord->Down(), r.buttonDownAfter);
        EXPECT_EQ(ChartState.DataKind, kKindEmpty);
        EXPECT_EQ(ThreadControl.AcqIdle, 1);
        EXPECT_EQ(ThreadControl.AcqRunning, 0);
        EXPECT_EQ(ThreadControl.AdcWorker, nullptr);
        EXPECT_TRUE(form->Chart->Enabled());
        EXPECT_EQ(form->Chart->TitleText(), title);
        EXPECT_EQ(Calls(ModuleKind::Quev, "START_READ") + Calls(ModuleKind::Usb3000, "START_READ"), 0);
        const auto messages = frontEnd.Messages();
        if (r.missing == nullptr) {
            EXPECT_TRUE(messages.empty());
        } else {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].Text, r.missing);
            EXPECT_EQ(messages[0].Caption, "ОШИБКА!!!");
            EXPECT_EQ(messages[0].Flags, ui::MB_ICONINFORMATION);
        }
        ReleaseModulesAtShutdown();
    }
}

TEST_F(AdcRecord, RealModeButtonStartsStopsAndOnlyPopsUpWhileTheWorkerFinishes) {
    BringUp(true, false);
    form->ComboBoxK->Select(0);
    form->ComboBoxN->Select(0);
    form->ComboBoxM->Select(0);
    // Choosing "Real" brings the bars back to 5 kHz and 1 s, running their handlers.
    form->TrackBarQ->MoveTo(2);
    form->TrackBarT->MoveTo(11);
    form->ComboBoxR->Select(0);
    form->ComboBoxFFTBit->Select(0);
    form->EditFFT_XB->Type("0");
    form->EditFFT_XE->Type("2,5e3");  // typed with a decimal comma

    form->SpeedButtonRecord->Click();
    EXPECT_TRUE(form->SpeedButtonRecord->Down());
    EXPECT_EQ(ChartState.DataKind, kKindTimeData);
    EXPECT_EQ(ThreadControl.AcqRunning, 1);
    EXPECT_EQ(ThreadControl.AcqParamsChanged, 1);
    EXPECT_EQ(ThreadControl.AcqIdle, 0);
    EXPECT_FALSE(form->Chart->Enabled());
    EXPECT_NE(ThreadControl.AdcWorker, nullptr);

    AnalysisResults.WorkRe.assign(8, 1.0);
    AnalysisResults.WorkIm.assign(8, 1.0);
    form->SpeedButtonRecord->Click();
    EXPECT_EQ(ThreadControl.AcqRunning, 0);
    EXPECT_FALSE(form->SpeedButtonRecord->Down());
    EXPECT_TRUE(form->Chart->Enabled());
    EXPECT_TRUE(AnalysisResults.WorkRe.empty());
    EXPECT_TRUE(AnalysisResults.WorkIm.empty());

    // The worker has not finished yet (it sets the idle flag last): a click only pops up.
    ThreadControl.AcqIdle = 0;
    form->SpeedButtonRecord->Click();
    EXPECT_FALSE(form->SpeedButtonRecord->Down());
    EXPECT_EQ(ThreadControl.AcqRunning, 0);
}

}  // namespace
