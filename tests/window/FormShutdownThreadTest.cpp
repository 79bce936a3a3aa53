#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/Options.h"
#include "sim/BenchControl.h"
#include "tests/ScratchDirectory.h"
#include "threads/Report.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "ui/Thread.h"
#include "window/Form.h"
#include "window/ProgramMain.h"
#include "state/State.h"

namespace {

// A worker with no running flag set (like a compute-only sweep run): it keeps handing lines to the
// log page for a while after the main window was closed.
class LateLogger : public ui::Thread {
public:
    std::atomic<int> linesWritten{0};
    bool sawWindowEveryTime = true;  // GUI thread only

protected:
    void Execute() override {
        for (int i = 0; i < 50; ++i) {
            Synchronize([this] {
                if (Forma == nullptr || Option == nullptr) {
                    sawWindowEveryTime = false;
                    return;
                }
                Forma->Memo->Lines().Add("line");
                ++linesWritten;
            });
        }
    }
};

TEST(FormShutdownThreadTest, StartUpCreatesFormsAndShutdownDestroysThemLastCreatedFirst) {
    ScratchStartDirectory start;
    ui::ScriptedFrontEnd frontEnd;
    std::vector<const ui::Control*> created;
    std::vector<const ui::Control*> destroyed;
    bool shownWithHelp = false;
    ProgramMain(frontEnd, [&] {
        created = {Forma, QReport, Option};
        shownWithHelp = Forma->Visible() && ui::Application.HelpFile() == kHelpFilePath;
        const auto record = [&destroyed](ui::Control& form, ui::Property what) {
            if (what == ui::Property::Destroyed) destroyed.push_back(&form);
        };
        Forma->Subscribe(record);
        QReport->Subscribe(record);
        Option->Subscribe(record);
    });
    ASSERT_EQ(created.size(), 3u);
    for (const auto* form : created) EXPECT_NE(form, nullptr);
    EXPECT_TRUE(shownWithHelp);
    EXPECT_EQ(destroyed, (std::vector<const ui::Control*>{created[2], created[1], created[0]}));
    EXPECT_EQ(Forma, nullptr);
    EXPECT_EQ(QReport, nullptr);
    EXPECT_EQ(Option, nullptr);
}

TEST(FormShutdownThreadTest, ShutdownWaitsForEveryLiveWorkerServingItsCalls) {
    ScratchStartDirectory start;
    ui::ScriptedFrontEnd frontEnd;
    LateLogger worker;
    ProgramMain(frontEnd, [&] {
        ThreadControl.AfcFromFile = 1;  // no running flag: shutdown must wait all the same
        worker.Start();
    });
    EXPECT_TRUE(worker.Finished());
    EXPECT_EQ(worker.linesWritten, 50);
    EXPECT_TRUE(worker.sawWindowEveryTime);
}

TEST(FormShutdownThreadTest, ShutdownClearsRunningFlagsSoFlaggedWorkersStop) {
    ScratchStartDirectory start;
    class FlaggedWorker : public ui::Thread {
    protected:
        void Execute() override {
            while (ThreadControl.AcqRunning) Synchronize([] {});
        }
    };
    ui::ScriptedFrontEnd frontEnd;
    FlaggedWorker worker;
    ProgramMain(frontEnd, [&] {
        ThreadControl.AcqRunning = 1;
        worker.Start();
    });
    EXPECT_TRUE(worker.Finished());
}

TEST(FormShutdownThreadTest, ClosingDuringASweepStopsItAndEndsWithNoReport) {
    ScratchStartDirectory start;
    sim::Bench().Reset();
    ASSERT_TRUE(sim::Bench().SetScenario("response"));
    ui::ScriptedFrontEnd frontEnd;
    bool drawn = false;
    ProgramMain(frontEnd, [&] {
        ASSERT_EQ(ModuleState.QuevDacPresent, 1);
        // A block of one second takes 50 ms: the sweep is still running when the window closes.
        // The clock speeds up only after the bring-up, whose DAC check allows its one block a
        // margin of 18 ms, under a millisecond of real time at this pace.
        sim::Bench().SetClock(sim::ClockMode::Scaled, 20.0);
        // The page's initial settings at 5 kHz each way, four steps.
        Forma->ComboBoxAFFC_N->SetItemIndex(0);
        Forma->ComboBoxAFFC_K->SetItemIndex(0);
        Forma->TrackBarAFFC_Qadc->SetPosition(2);
        Forma->TrackBarAFFC_Qadc->SetPosition(1);
        Forma->TrackBarAFFC_Qdac->SetPosition(4);
        Forma->EditAFFCkol->Type("4");
        Forma->SpeedButtonAFFC->Click();
        // The operator closes the window once the first block is on the chart.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!drawn && std::chrono::steady_clock::now() < deadline) {
            ui::Application.ProcessMessages();
            drawn = Forma->Series[0]->Count() > 0 && ThreadControl.AfcRunning;
        }
    });
    EXPECT_TRUE(drawn);
    EXPECT_TRUE(frontEnd.PreviewedReports().empty());
    EXPECT_TRUE(frontEnd.Messages().empty());
    // Both converters stopped after the sweep's start (the bring-up's own check of the DAC comes
    // before it).
    const auto calls = sim::Bench().CallLog(sim::ModuleKind::Quev, 0);
    const auto started = std::find(calls.rbegin(), calls.rend(), std::string("START_WRITE")).base();
    EXPECT_EQ(std::count(started, calls.end(), std::string("STOP_WRITE")), 1);
    EXPECT_EQ(std::count(started, calls.end(), std::string("STOP_READ")), 1);
    EXPECT_EQ(sim::Bench().CallsAfterRelease(), 0);
    EXPECT_TRUE(std::filesystem::exists(start.File("config.cfg")));
    EXPECT_EQ(ThreadControl.ShuttingDown, 0) << "the state is reset with the forms";
    sim::Bench().Reset();
}

TEST(FormShutdownThreadTest, AReportAskedForJustBeforeClosingIsNotShownOnTheWayOut) {
    ScratchStartDirectory start;
    ui::ScriptedFrontEnd frontEnd;
    bool started = false;
    ProgramMain(frontEnd, [&] {
        FrequencyResponse.AfcSteps = 4;
        Forma->SpeedButtonAFFCshow->Click();
        started = ThreadControl.DacWorker != nullptr;
    });
    EXPECT_TRUE(started);
    EXPECT_TRUE(frontEnd.PreviewedReports().empty());
}

} // namespace
