#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "settings/Options.h"
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

} // namespace
