// The sweep worker on the simulated bench: the measured response against the low-pass formula,
// the streamed DAC words, the latency cut and the log line, every failure with its message, an
// early stop, and the compute-only run of a raw sweep file opened again.

#include <atomic>
#include <cmath>
#include <complex>
#include <cstdio>
#include <functional>
#include <thread>
#include <string>
#include <vector>

#include "analysis/SweepSignal.h"
#include "platform/DateTime.h"
#include "tests/threads/SweepFixture.h"
#include "threads/DacThread.h"

namespace {

using sim::Bench;
using sim::ModuleKind;

constexpr const char* kErrorCaption = "ОШИБКА!!!";

// The low-pass's gain and phase from its closed form, at the steps of 5 to 80 Hz in 4 steps;
// channel 0 carries the DAC's 2000 mV.
void ExpectLowPassResponse() {
    ASSERT_EQ(SweepResultRows(), 5u);
    ASSERT_EQ(FrequencyResponse.AfcResultChannels, 2);
    const double corner = Bench().Model().LowPassCornerHz;
    ASSERT_EQ(corner, 20);
    const double expectedDb[] = {-0.263, -0.969, -3.010, -6.990, -12.305};
    const double expectedDeg[] = {-14.04, -26.57, -45.00, -63.43, -75.96};
    for (int i = 0; i <= 4; ++i) {
        SCOPED_TRACE(i);
        const double f = 5 * std::pow(2.0, i);
        const std::complex<double> h = 1.0 / std::complex<double>(1, f / corner);
        EXPECT_NEAR(20 * std::log10(std::abs(h)), expectedDb[i], 1e-3);
        EXPECT_NEAR(std::arg(h) * 180 / M_PI, expectedDeg[i], 5e-3);
        EXPECT_NEAR(FrequencyResponse.AfcDbTable[i], expectedDb[i], 0.05);
        EXPECT_NEAR(FrequencyResponse.AfcPhaseTable[i], expectedDeg[i], 0.5);
        EXPECT_NEAR(AnalysisResults.AmpTable[i * 2], 2000, 20);
    }
}

// Every block streamed reached the DAC in time, and after the signal's last word only zeros.
void ExpectSignalThenZeros(size_t blocks, size_t dacBlock, size_t signalWords) {
    const std::vector<uint16_t> words = Bench().DacWords(ModuleKind::Quev, 0);
    ASSERT_EQ(words.size(), blocks * dacBlock);
    EXPECT_NE(words[signalWords / 2], 0);
    for (size_t n = signalWords; n < words.size(); ++n) ASSERT_EQ(words[n], 0) << n;
    EXPECT_EQ(Bench().DacUnderruns(ModuleKind::Quev, 0), 0u);
}

TEST_F(SweepTest, ResponseOfTheLowPassMatchesItsFormulaAtEveryStep) {
    RunSweep(kReferenceSweep);
    ASSERT_EQ(Messages().size(), 0u);
    ExpectLowPassResponse();
    // The whole record, less the latency, and the page back to idle with the report shown.
    EXPECT_EQ(SampleData.FrameCount, 238544);
    EXPECT_EQ(SampleData.SampleCount, 2 * 238544);
    EXPECT_EQ(ThreadControl.AfcRunning, 0);
    EXPECT_FALSE(form->SpeedButtonAFFC->Down());
    EXPECT_TRUE(form->Chart->Enabled());
    EXPECT_EQ(SampleData.DataFileName, kNotSavedName);
    EXPECT_EQ(frontEnd.PreviewedReports(), std::vector<std::string>{"АЧХ"});
    EXPECT_EQ(report->SeriesFFC->Count(), 5);

    // Twelve blocks each way, the signal then zeros, all played in time.
    ExpectSignalThenZeros(12, 40000, 444250);
    EXPECT_EQ(QuevCalls("WriteData"), 12);
    EXPECT_EQ(QuevCalls("ReadData"), 12);
    const QUEV_INPUT_PARS adc = Bench().LastQuevInputPars();
    EXPECT_EQ(adc.ChannelsQuantity, 2);
    EXPECT_EQ(adc.ControlTable[0], 15);
    EXPECT_EQ(adc.ControlTable[1], 14);
    const double dacRate = Bench().LastQuevOutputPars().OutputRate;  // a copy: the record is packed
    EXPECT_EQ(dacRate, 40);
}

TEST_F(SweepTest, HighDacRatesStreamTheSignalThenZerosToTheEndOfTheLastBlock) {
    // Twelve blocks of one second reach past the signal and its 50001 words of silence.
    const struct {
        int adcPosition, dacPosition;
        size_t block, signalWords;
    } cases[] = {{19, 13, 80000, 888500}, {21, 14, 100000, 1110625}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.block);
        FreshModule();
        frontEnd.ClearMessages();
        PageSettings page = kReferenceSweep;
        page.adcPosition = c.adcPosition;
        page.dacPosition = c.dacPosition;
        RunSweep(page);
        ASSERT_EQ(Messages().size(), 0u);
        ExpectLowPassResponse();
        ExpectSignalThenZeros(12, c.block, c.signalWords);
        const double dacRate = Bench().LastQuevOutputPars().OutputRate;  // a copy: the record is packed
        EXPECT_EQ(dacRate, static_cast<double>(c.block) / 1000);
    }
}

TEST_F(SweepTest, ASweepWithinOneBlockStreamsItsOneBlockAndComputesItsResponse) {
    // 100 to 101 Hz in one step, no ramps: the signal and the DAC's FIFO end within block 0.
    const struct {
        int adcPosition, dacPosition;
        size_t block, signalWords;
        int32_t cut;
    } cases[] = {{21, 14, 100000, 3866, 616}, {1, 4, 5024, 193, 1946}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.block);
        FreshModule();
        frontEnd.ClearMessages();
        RunSweep({c.adcPosition, c.dacPosition, "2000", "100", "101", "30", "1", "0", "0"});
        ASSERT_EQ(Messages().size(), 0u);
        EXPECT_EQ(ModuleState.QuevPresent, 1);
        EXPECT_EQ(FrequencyResponse.AfcBlocks, 0);
        // One ADC block; the DAC's second block, of silence, plays the signal out of its FIFO.
        ExpectSignalThenZeros(2, c.block, c.signalWords);
        EXPECT_EQ(QuevCalls("WriteData"), 2);
        for (const char* call : {"ReadData", "STOP_WRITE", "STOP_READ"}) EXPECT_EQ(QuevCalls(call), 1) << call;
        EXPECT_EQ(SampleData.FrameCount, static_cast<int32_t>(c.block / 2) - c.cut);
        EXPECT_EQ(ThreadControl.AfcRunning, 0);
        EXPECT_FALSE(form->SpeedButtonAFFC->Down());
        EXPECT_TRUE(form->Chart->Enabled());
        ASSERT_EQ(SweepResultRows(), 2u);
        EXPECT_NEAR(AnalysisResults.AmpTable[0], 2000, 40) << "channel 0 at 100 Hz";
    }
}

TEST_F(SweepTest, LatencyCutPutsTheSignalAtFrameZeroAndTheLogLineTellsTheGeometry) {
    platform::SetNowProvider([] { return platform::EncodeDate(2024, 3, 5) + platform::EncodeTime(14, 7, 9, 0); });
    RunSweep(kDefaultSweep);
    platform::SetNowProvider(nullptr);
    ASSERT_EQ(Messages().size(), 0u);
    EXPECT_EQ(Log(), std::vector<std::string>{
                         "АЧХ и ФЧХ  05.03.2024 14:07:09, Q=5кГц, N=2, K=0, Qdac=5кГц, U=20мВ, Beg=5Гц, End=80Гц, "
                         "Ofull=4октав, Omin=30окт/мин, Kol=4шт, TU=2с, TD=1с, TF=11.10625с, ND1=10000, ND2=10500, "
                         "ND3=50500, ND4=50531, ND5=55531, NK=28198, RBA=5024, RBD=5024, ND=56396, Вырезать "
                         "1946шт на канал"});
    // After the cut, frame k of channel 0 is what the DAC played at k / 2500 s: word 2k, or the
    // word before it where the frame falls on the change (1.25 mV per ADC code at range 0). Up to
    // the end of the sweep's end half period: the simulated module stops its output with words
    // of the fall still in its FIFO.
    const std::vector<uint16_t> words = Bench().DacWords(ModuleKind::Quev, 0);
    const auto millivolts = [&words](size_t n) {
        const int code = words[n] & 0x800 ? static_cast<int>(words[n] & 0xFFF) - 4096 : words[n] & 0xFFF;
        return code / 0.4096;
    };
    int compared = 0;
    int matched = 0;
    for (size_t k = 1; 2 * k < 50531; k += 37, ++compared) {
        const double recorded = SampleData.SampleBuffer[k * 2] * 1.25;
        matched += std::abs(recorded - millivolts(2 * k)) <= 1.25 || std::abs(recorded - millivolts(2 * k - 1)) <= 1.25;
    }
    EXPECT_EQ(matched, compared);
    EXPECT_EQ(ChartState.YMultiplier, 1.25);
    EXPECT_DOUBLE_EQ(ChartState.XMultiplier, 2 / 5.0 / 1000);
}

TEST_F(SweepTest, DrawnBlocksShowMillivoltsAtEveryRange) {
    // The multiplier the first block is drawn with, while the sweep runs.
    std::vector<double> drawn;
    form->Chart->Subscribe([this, &drawn](ui::Control&, ui::Property what) {
        if (what == ui::Property::SeriesData && ThreadControl.AfcRunning && form->Series[0]->Count() > 0) {
            drawn.push_back(form->Series[0]->YMultiplier());
        }
    });
    const double expected[] = {1.25, 0.3125, 0.078125, 0.01953125};
    for (int code = 0; code < 4; ++code) {
        SCOPED_TRACE(code);
        FreshModule();
        drawn.clear();
        SetPage(kDefaultSweep);
        form->ComboBoxAFFC_K->SetItemIndex(code);
        Press();
        ASSERT_EQ(Messages().size(), 0u);
        EXPECT_EQ(Bench().LastQuevInputPars().ControlTable[0], 15 | code << 6);
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn.front(), expected[code]);
        EXPECT_EQ(form->Series[1]->YMultiplier(), expected[code]);
    }
}

TEST_F(SweepTest, StopAfterTheFirstBlockKeepsTwoBlocksLessTheCut) {
    // The first block drawn: the operator presses stop while it is on the chart.
    form->Chart->Subscribe([this](ui::Control&, ui::Property what) {
        if (what == ui::Property::SeriesData && ThreadControl.AfcRunning && form->Series[0]->Count() > 0) {
            form->SpeedButtonAFFC->Click();
        }
    });
    RunSweep(kDefaultSweep);
    EXPECT_EQ(Messages().size(), 0u);
    EXPECT_EQ(BlockRing.BlockCount, 2);
    EXPECT_EQ(SampleData.FrameCount, 5024 - 1946);
    EXPECT_EQ(QuevCalls("ReadData"), 3) << "the third, queued behind the block in flight, is cut off";
    EXPECT_FALSE(form->SpeedButtonAFFC->Down());
    // Windows of the later steps lie past the short record: they read as silence.
    ASSERT_EQ(SweepResultRows(), 5u);
    EXPECT_EQ(AnalysisResults.AmpTable[4 * 2], 0);
    EXPECT_EQ(FrequencyResponse.AfcDbTable[4], -100);
}

struct Failure {
    const char* name;
    std::function<void()> arrange;  // the bench's part
    const char* text;
    int flags;
    bool runningAfter;  // the flag a failure leaves for the operator's next press
};

TEST_F(SweepTest, EveryFailureShowsItsBoxEndsTheWorkerAndReleasesTheModule) {
    const auto fail = [](const char* op) { return [op] { Bench().FailOnCall(ModuleKind::Quev, op, 1); }; };
    const auto stall = [](sim::Direction d, int blocks) {
        return [d, blocks] { Bench().StallAfter(ModuleKind::Quev, d, blocks); };
    };
    const auto write = sim::Direction::Write;
    const auto read = sim::Direction::Read;
    const Failure cases[] = {
        {"input parameters", fail("SET_INPUT_PARS"), "Не могу передать параметры АЦП!", 0x40, true},
        {"output parameters", fail("SET_OUTPUT_PARS"), "Не могу передать параметры ЦАП!", 0x40, true},
        {"DAC start", fail("START_WRITE"), "Не могу запустить ЦАП!", 0, true},
        {"ADC start", fail("START_READ"), "Не могу запустить АЦП!", 0, true},
        {"DAC stalls in a pass", stall(write, 0), "Ошибка вывода данных с ЦАП!", 0, true},
        {"ADC stalls in a pass", stall(read, 0), "Ошибка ввода данных с АЦП!", 0, true},
        {"DAC stalls at the stop", stall(write, 1), "Ошибка вывода данных с ЦАП!", 0, false},
        {"ADC stalls at the stop", stall(read, 1), "Ошибка ввода данных с АЦП!", 0, false},
        {"DAC stop", fail("STOP_WRITE"), "Не могу остановить ЦАП!", 0, false},
        {"ADC stop", fail("STOP_READ"), "Не могу остановить АЦП!", 0, false},
    };
    for (const Failure& c : cases) {
        SCOPED_TRACE(c.name);
        ThreadControl.AfcRunning = 0;
        form->SpeedButtonAFFC->SetDown(false);
        FreshModule();
        frontEnd.ClearMessages();
        SampleData.FrameCount = 77;
        SetPage(kShortSweep);
        c.arrange();

        Press();
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].Text, c.text);
        EXPECT_EQ(Messages()[0].Caption, kErrorCaption);
        EXPECT_EQ(Messages()[0].Flags, c.flags);
        EXPECT_EQ(ModuleState.QuevPresent, 0);
        EXPECT_EQ(ThreadControl.AfcRunning, c.runningAfter ? 1 : 0);
        EXPECT_TRUE(form->SpeedButtonAFFC->Down()) << "stays down until the next press";
        EXPECT_FALSE(form->Chart->Enabled());
        EXPECT_EQ(TransferState.AdcEvent, nullptr);
        EXPECT_EQ(TransferState.DacEvent, nullptr);
        EXPECT_TRUE(Log().empty());
        EXPECT_EQ(SampleData.FrameCount, 77);
        EXPECT_EQ(Bench().CallsAfterRelease(), 0);

        // The next press clears a flag left set; the one after starts afresh.
        if (c.runningAfter) {
            form->SpeedButtonAFFC->Click();
            EXPECT_EQ(ThreadControl.AfcRunning, 0);
            EXPECT_FALSE(form->SpeedButtonAFFC->Down());
            EXPECT_TRUE(form->Chart->Enabled());
        }
    }
}

TEST_F(SweepTest, UnsetRatesAreRefusedBeforeTheModuleIsTouched) {
    // No settings file: the rates were never chosen.
    form->EditAFFCkol->Type("4");
    Press();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text, "Измените частоты АЦП и ЦАП !");
    EXPECT_EQ(QuevCalls("SET_INPUT_PARS"), 0);
    EXPECT_EQ(ModuleState.QuevPresent, 1);
}

TEST_F(SweepTest, SweepsThatCannotRunAreRefusedAtThePressAndLeaveTheRecordingAndThePageAsTheyWere) {
    const std::string steps = "Поле «Кол-во» принимает целое число от 1 до 65536 !";
    const std::string begin = "Поле «Начало» принимает число больше 0, Гц !";
    const std::string end = "Поле «Конец» принимает число больше начальной частоты, Гц !";
    PageSettings mismatched = kShortSweep;  // ADC 5 kHz, DAC 1 kHz
    mismatched.dacPosition = 1;
    // 200 and 100 kHz, 8 octaves per minute: 6800000 samples.
    const PageSettings tooLong{26, 14, "20", "5", "80", "8", "4", "2", "1"};
    const struct {
        const PageSettings& page;
        ui::Edit* AffcPage::*edit;  // typed over the page, when not null
        const char* text;
        std::string refusal;
    } cases[] = {
        {kShortSweep, &AffcPage::EditAFFCkol, "", steps},  // a first start without config.cfg
        {kShortSweep, &AffcPage::EditAFFCkol, "1,5", steps},
        {kShortSweep, &AffcPage::EditAFFCkol, "0", steps},
        {kShortSweep, &AffcPage::EditAFFCkol, "65537", steps},
        {kShortSweep, &AffcPage::EditAFFCkol, "100000", steps},
        {kShortSweep, &AffcPage::EditAFFCbeg, "0", begin},
        {kShortSweep, &AffcPage::EditAFFCbeg, "-5", begin},
        {kShortSweep, &AffcPage::EditAFFCbeg, "пять", begin},
        {kShortSweep, &AffcPage::EditAFFCend, "4", end},
        {kShortSweep, &AffcPage::EditAFFCend, "5", end},
        {kShortSweep, &AffcPage::EditAFFCamp, "", "Поле «Напряж.» принимает число, мВ !"},
        {kShortSweep, &AffcPage::EditAFFCoct, "0", "Поле «Окт/мин» принимает число больше 0 !"},
        {kShortSweep, &AffcPage::EditAFFC_TU, "-1", "Поле «Выход» принимает число не меньше 0, с !"},
        {kShortSweep, &AffcPage::EditAFFC_TD, "1e999", "Поле «Сход» принимает число не меньше 0, с !"},
        {mismatched, nullptr, "", "Измените частоты АЦП и ЦАП !"},
        {tooLong, nullptr, "", "Уменьшите частоты АЦП и ЦАП !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.refusal << " '" << c.text << "'");
        frontEnd.ClearMessages();
        SetPage(c.page);
        if (c.edit != nullptr) (form.get()->*c.edit)->Type(c.text);
        // A Long recording of 8 channels at 80 kHz, range 1, on the chart.
        SampleData.DataRate = 80;
        SampleData.DataChannels = 8;
        SampleData.DataGain = 1;
        SampleData.SampleBuffer.assign(18432, 3);
        SampleData.SampleCount = 18432;
        SampleData.FrameCount = 2304;
        ChartState.XMultiplier = 0.0001;
        ChartState.YMultiplier = 0.3125;
        form->Series[7]->Clear();
        form->Series[7]->AddXY(1, 3);
        form->Chart->SetTitleText("Осциллограмма");
        ChartState.DataKind = kKindEmpty;
        FrequencyResponse.AfcSteps = 7;
        callMark = Bench().CallLog(ModuleKind::Quev, 0).size();

        form->SpeedButtonAFFC->Click();
        ReapWorker(ThreadControl.DacWorker);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].Text, c.refusal);
        EXPECT_EQ(Messages()[0].Caption, kErrorCaption);
        EXPECT_EQ(Messages()[0].Flags, ui::MB_ICONINFORMATION);
        EXPECT_EQ(ThreadControl.AfcRunning, 0);
        EXPECT_EQ(ThreadControl.AfcSetup, 0);
        EXPECT_FALSE(form->SpeedButtonAFFC->Down());
        EXPECT_TRUE(form->Chart->Enabled());
        EXPECT_EQ(form->Chart->TitleText(), "Осциллограмма");
        EXPECT_EQ(ChartState.DataKind, kKindEmpty);
        EXPECT_EQ(FrequencyResponse.AfcSteps, 7);
        EXPECT_EQ(SampleData.DataRate, 80);
        EXPECT_EQ(SampleData.DataChannels, 8);
        EXPECT_EQ(SampleData.DataGain, 1);
        EXPECT_EQ(SampleData.SampleBuffer, std::vector<int16_t>(18432, 3));
        EXPECT_EQ(SampleData.SampleCount, 18432);
        EXPECT_EQ(SampleData.FrameCount, 2304);
        EXPECT_EQ(ChartState.XMultiplier, 0.0001);
        EXPECT_EQ(ChartState.YMultiplier, 0.3125);
        EXPECT_EQ(form->Series[7]->Count(), 1);
        EXPECT_EQ(Bench().CallLog(ModuleKind::Quev, 0).size(), callMark) << "the module untouched";
        EXPECT_EQ(ModuleState.QuevPresent, 1);
    }

    // Decimals typed with a comma are numbers like those with a point.
    frontEnd.ClearMessages();
    SetPage(kShortSweep);
    form->EditAFFCbeg->Type("5,5");
    form->EditAFFC_TU->Type("0,25");
    Press();
    EXPECT_EQ(Messages().size(), 0u);
    EXPECT_EQ(FrequencyResponse.AfcFreqBegin, 5.5);
    EXPECT_EQ(FrequencyResponse.AfcRiseTime, 0.25);
    EXPECT_EQ(QuevCalls("START_WRITE"), 1);
    EXPECT_FALSE(form->SpeedButtonAFFC->Down());
}

TEST_F(SweepTest, RawSweepSavedAndOpenedAgainGivesTheSameResponseWithoutAReport) {
    RunSweep(kShortSweep);
    ASSERT_EQ(SweepResultRows(), 2u);
    const auto amplitudes = AnalysisResults.AmpTable;
    const auto phases = AnalysisResults.PhaseTable;
    const auto gains = FrequencyResponse.AfcDbTable;
    const auto differences = FrequencyResponse.AfcPhaseTable;
    const std::string path = ::testing::TempDir() + "sweep-raw.asc";
    frontEnd.QueueSave(path, 1);
    form->SpeedButtonSave->Click();

    AnalysisResults.AmpTable.clear();
    FrequencyResponse.AfcDbTable.clear();
    FrequencyResponse.AfcResultRows = 0;
    form->TrackBarAFFCshow->SetPosition(3);
    frontEnd.QueueOpen(path, 1);
    form->SpeedButtonOpen->Click();
    EXPECT_EQ(ThreadControl.AfcFromFile, 1) << "computed once the open handler is done";
    ReapWorker(ThreadControl.DacWorker);
    EXPECT_EQ(ThreadControl.AfcFromFile, 0);
    EXPECT_EQ(AnalysisResults.AmpTable, amplitudes);
    EXPECT_EQ(AnalysisResults.PhaseTable, phases);
    EXPECT_EQ(FrequencyResponse.AfcDbTable, gains);
    EXPECT_EQ(FrequencyResponse.AfcPhaseTable, differences);
    EXPECT_EQ(SampleData.DataFileName, kNotSavedName);
    EXPECT_EQ(form->TrackBarAFFCshow->Position(), 1);
    EXPECT_EQ(ChartState.DataKind, kKindSweepData);
    EXPECT_EQ(frontEnd.PreviewedReports().size(), 1u) << "only the sweep's own report";
    std::remove(path.c_str());
}

// A worker that stays alive until told to end.
class HeldWorker : public ui::Thread {
public:
    std::atomic<bool> release{false};

protected:
    void Execute() override {
        while (!release) std::this_thread::yield();
    }
};

TEST_F(SweepTest, NothingStartsAndNoViewRedrawsWhileAnotherWorkerIsAlive) {
    SetPage(kShortSweep);
    FrequencyResponse.AfcSteps = 1;
    form->TrackBarAFFCshow->MoveTo(3);
    ASSERT_EQ(form->LabelAFFCshow->Caption(), "ФЧХ");
    HeldWorker other;
    other.Start();
    form->SpeedButtonAFFC->Click();
    EXPECT_EQ(ThreadControl.DacWorker, nullptr);
    EXPECT_EQ(ThreadControl.AfcRunning, 0);
    EXPECT_FALSE(form->SpeedButtonAFFC->Down());
    form->SpeedButtonAFFCshow->Click();
    EXPECT_EQ(ThreadControl.DacWorker, nullptr);
    EXPECT_EQ(ThreadControl.AfcReport, 0);
    const uint8_t kind = ChartState.DataKind;
    form->TrackBarAFFCshow->MoveTo(5);
    EXPECT_EQ(ChartState.DataKind, kind);
    EXPECT_EQ(form->TrackBarAFFCshow->Position(), 3) << "the bar shows the view still on the chart";
    EXPECT_EQ(form->LabelAFFCshow->Caption(), "ФЧХ");
    other.release = true;
    other.WaitFor();

    // The report-only run once the other worker has gone: it previews the results in memory.
    form->SpeedButtonAFFCshow->Click();
    ReapWorker(ThreadControl.DacWorker);
    EXPECT_EQ(ThreadControl.AfcReport, 0);
    EXPECT_EQ(frontEnd.PreviewedReports(), std::vector<std::string>{"АЧХ"});
}

} // namespace
