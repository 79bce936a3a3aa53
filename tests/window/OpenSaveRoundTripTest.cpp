// Every kind of data saved, opened again and saved once more: the second file must equal the
// first byte for byte, and both the save and the open say in the log what the file holds.

#include <cmath>
#include <string>
#include <vector>

#include "tests/window/OpenSaveTestSupport.h"
#include "threads/WorkerSlot.h"

namespace {

const std::vector<int16_t> kFrames{1, -1, 256, -32768, 7, 8};  // 2 channels, 3 frames

void Tables(int rows) {
    const size_t n = static_cast<size_t>(rows) * SampleData.DataChannels;
    AnalysisResults.AmpTable.resize(n);
    AnalysisResults.PhaseTable.resize(n);
    for (size_t i = 0; i < n; ++i) {
        AnalysisResults.AmpTable[i] = 100.0 + 12.5 * static_cast<double>(i);
        AnalysisResults.PhaseTable[i] = 10.0 * static_cast<double>(i);
    }
}

void SweepSettings() {
    auto& r = FrequencyResponse;
    r.AfcDacRate = 10, r.AfcAmplitude = 20, r.AfcFreqBegin = 5, r.AfcFreqEnd = 80;
    r.AfcOctavesPerMin = 30, r.AfcSteps = 2, r.AfcRiseTime = 2, r.AfcFallTime = 1;
}

struct RoundTrip {
    const char* name;
    int entry;
    void (*fill)();
    uint8_t reopenedKind;
    std::string logPart;  // of the save, and of the open when it writes a line
    bool openLogged;
    ui::TabSheet* TForma::*page;  // nullptr: the page stays
    bool phasesInRadians = false;  // what the phase table is taken to hold once reopened
};

const RoundTrip kRoundTrips[] = {
    {"acquisition", kAsc, [] { SetRecord(kKindTimeData, 2, 400, 1, kFrames); }, kKindTimeData,
     "     Сбор данных :  400 кГц   2 кан. по 3   усиление 1", true, nullptr},
    {"raw sweep", kAsc,
     [] {
         SetRecord(kKindSweepData, 2, 12.5, 0, kFrames);
         SweepSettings();
     },
     kKindSweepData, "     Данные для АЧХ и ФЧХ :  12.5 кГц   2 кан. по 3   усиление 0", true, nullptr},
    {"binary", kDat,
     [] {
         SetRecord(kKindTimeData, 2, 400, 3, kFrames);
         // Bare samples take the window's shape when they are read.
         AcquisitionSettings.AdcRate = 400;
         AcquisitionSettings.AdcChannels = 2;
         Forma->ComboBoxK->SetItemIndex(3);
     },
     kKindTimeData, "     Сбор данных :  400 кГц   2 кан. по 3   усиление 3", true, nullptr},
    {"response", kAf,
     [] {
         SetRecord(kKindSweepAmplitudes, 2, 5, 0, {});
         SweepSettings();
         Tables(3);
     },
     kKindSweepGain, "     АЧХ, ФЧХ, Амплитуды, Фазы :  с 5 Гц  по  80 Гц ,   2 шт.", true, &TForma::TabSheetAFFC},
    {"harmonics", kAf,
     [] {
         SetRecord(kKindHarmonicsLog, 2, 5, 3, {});
         AnalysisResults.FourierFirst = 10, AnalysisResults.FourierCount = 4, AnalysisResults.AnalysisInterval = 0.5;
         Tables(3);
         // What the writer writes for values that are no numbers reads back.
         AnalysisResults.PhaseTable[1] = std::nan("");
         AnalysisResults.AmpTable[2] = -INFINITY;
     },
     kKindHarmonics, "     Амплитуды, Фазы :  с 10  в кол-ве 4 шт.  инт. 0.5", true, &TForma::TabSheetFurie},
    {"harmonics of the Fourier series", kAf,
     [] {
         SetRecord(kKindHarmonics, 2, 5, 0, {});
         AnalysisResults.FourierFirst = 0, AnalysisResults.FourierCount = 4, AnalysisResults.AnalysisInterval = 1;
         Tables(3);
         for (size_t i = 0; i < 6; ++i) AnalysisResults.PhaseTable[i] = 1.25 * static_cast<double>(i);
     },
     kKindHarmonics, "     Амплитуды, Фазы :  с 0  в кол-ве 4 шт.  инт. 1", true, &TForma::TabSheetFurie, true},
    {"spectrum of an acquisition", kAf,
     [] {
         SetRecord(kKindTimeData, 2, 400, 1, kFrames);
         AnalysisResults.SpectrumFirst = 1, AnalysisResults.SpectrumLast = 3;
         AcquisitionSettings.FftBits = 10, AnalysisResults.AnalysisInterval = 0.25;
         Tables(4);
         // The spectrum view takes its frequency span from the acquisition page.
         Forma->EditFFT_XB->SetText("0");
         Forma->EditFFT_XE->SetText("100");
     },
     kKindSpectrum, "     Амплитуды :  с 1 до 3 Гц,  БПФ: 10 бит, инт. 0.25", false, &TForma::TabSheetADC},
};

TEST_F(OpenSaveTest, EveryKindReadsBackAndSavesAgainByteForByte) {
    for (const RoundTrip& trip : kRoundTrips) {
        SCOPED_TRACE(trip.name);
        ResetSharedState();
        form->TrackBarAFFCshow->SetPosition(1);
        form->Memo->Lines().Clear();
        form->PageControl->SetActivePage(form->TabSheetMemo);
        trip.fill();
        const std::string first = folder.File(std::string(trip.name) + ".1");
        const std::string second = folder.File(std::string(trip.name) + ".2");

        Save(first, trip.entry);
        EXPECT_EQ(SampleData.DataFileName, first);
        EXPECT_EQ(SampleData.DataTime, kDataTime) << "saving keeps the data's time";

        // Forget the data, keep the window's choices.
        const auto window = AcquisitionSettings;
        ResetSharedState();
        AcquisitionSettings = window;
        SampleData.DataTime = trip.entry == kDat ? kDataTime : 0;
        Open(first, trip.entry);
        const bool computeAsked = ThreadControl.AfcFromFile != 0;
        EXPECT_EQ(ThreadControl.DacWorker != nullptr, computeAsked) << "the compute-only run is the sweep slot's worker";
        // The compute-only run of raw sweep data keeps the buffers until it has ended.
        ReapWorker(ThreadControl.DacWorker);
        EXPECT_EQ(ThreadControl.AfcFromFile, 0);
        Save(second, trip.entry);

        EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
        EXPECT_EQ(ChartState.DataKind, trip.reopenedKind);
        EXPECT_EQ(AnalysisResults.PhasesInRadians, trip.phasesInRadians);
        EXPECT_EQ(TempFolder::Bytes(second), TempFolder::Bytes(first));
        const ui::TabSheet* page = trip.page ? form.get()->*trip.page : form->TabSheetMemo;
        EXPECT_EQ(form->PageControl->ActivePage(), page);
        EXPECT_EQ(computeAsked, trip.reopenedKind == kKindSweepData) << "compute-only run asked";
        EXPECT_EQ(form->TrackBarAFFCshow->Position(), trip.reopenedKind == kKindSweepGain ? 2 : 1);

        std::vector<std::string> expected{"Сохранён файл :  " + first + "     " + kDateText + trip.logPart};
        if (trip.openLogged) expected.push_back("Открыт файл :  " + first + "     " + kDateText + trip.logPart);
        expected.push_back("Сохранён файл :  " + second + "     " + kDateText + trip.logPart);
        EXPECT_EQ(Log(), expected);
    }
}

// Files do not say which module wrote their codes: read with the USB3000 up they take its scale,
// else the Quev module's at their range. Raw sweep data are the Quev module's whatever is up.
TEST_F(OpenSaveTest, ReopenedSamplesTakeTheScaleOfTheModuleThatCanHaveWrittenThem) {
    struct Case {
        const char* name;
        int entry;
        uint8_t kind;
        bool usb3000Up;
        double mvPerCode;
    };
    const Case cases[] = {
        {"acquisition", kAsc, kKindTimeData, false, 0.078125}, {"acquisition", kAsc, kKindTimeData, true, 0.625},
        {"binary", kDat, kKindTimeData, false, 0.078125},      {"binary", kDat, kKindTimeData, true, 0.625},
        {"raw sweep", kAsc, kKindSweepData, false, 0.078125},  {"raw sweep", kAsc, kKindSweepData, true, 0.078125},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << (c.usb3000Up ? ", USB3000 up" : ""));
        ResetSharedState();
        SetRecord(c.kind, 2, 12.5, 2, kFrames);
        SweepSettings();
        const auto window = AcquisitionSettingsGroup{.AdcRate = 12.5, .AdcChannels = 2};
        AcquisitionSettings = window;
        form->ComboBoxK->SetItemIndex(2);
        const std::string path = folder.File(std::string(c.name) + ".scale");
        Save(path, c.entry);
        ResetSharedState();
        AcquisitionSettings = window;
        ModuleState.Usb3000Present = c.usb3000Up;
        Open(path, c.entry);
        ReapWorker(ThreadControl.DacWorker);
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
        EXPECT_EQ(SampleData.DataMvPerCode, c.mvPerCode);
    }
    // Tables hold no codes: the scale of the samples in memory stays.
    SampleData.DataMvPerCode = 0.3125;
    SetRecord(kKindSweepAmplitudes, 2, 5, 0, {});
    SweepSettings();
    Tables(3);
    Save(folder.File("tables.af"), kAf);
    Open(folder.File("tables.af"), kAf);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
    EXPECT_EQ(SampleData.DataMvPerCode, 0.3125);
}

} // namespace
