// While a worker is alive the sample buffer is its own: open and save do not even ask for a file.

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/window/OpenSaveTestSupport.h"
#include "tests/HeldWorker.h"

namespace {

TEST_F(OpenSaveTest, OpenAndSaveWaitForNoWorker) {
    SetRecord(kKindTimeData, 1, 10, 0, {1, 2});
    const std::string path = folder.File("data.asc");
    HeldWorker worker;
    worker.Start();
    Save(path, kAsc);
    Open(path, kAsc);
    EXPECT_EQ(frontEnd.FileDialogsShown(), 0);
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(SampleData.DataFileName, "");
    worker.release = true;
    worker.WaitFor();

    // The answers queued meanwhile are taken once the worker has gone.
    form->SpeedButtonSave->Click();
    form->SpeedButtonOpen->Click();
    EXPECT_EQ(frontEnd.FileDialogsShown(), 2);
    EXPECT_EQ(Log().size(), 2u);
}

} // namespace
