#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

#include "qt/QtFrontEnd.h"
#include "ui/Application.h"
#include "ui/MessageFlags.h"

namespace {

// The Qt front end installed for one test, the test's thread being the GUI thread.
class QtSynchronize : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Application.SetFrontEnd(&frontEnd_);
    ui::Application.SetGuiThread();
  }
  void TearDown() override { ui::Application.SetFrontEnd(nullptr); }

  // Runs Qt's loop until `done` is set (or a generous time has passed).
  static void RunLoopUntil(const std::atomic<bool>& done) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
      if (done) loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
  }

  qtfront::QtFrontEnd frontEnd_;
};

TEST_F(QtSynchronize, WorkerCallRunsOnTheGuiThreadAndItsExceptionIsRaisedAgainInTheWorker) {
  const std::thread::id gui = std::this_thread::get_id();
  std::thread::id ranOn;
  std::string caught;
  std::atomic<bool> workerDone{false};
  std::thread worker([&] {
    ui::Application.Synchronize([&] { ranOn = std::this_thread::get_id(); });
    try {
      ui::Application.Synchronize([] { throw std::runtime_error("Read beyond end of file"); });
    } catch (const std::exception& error) {
      caught = error.what();
    }
    workerDone = true;
  });
  RunLoopUntil(workerDone);
  worker.join();
  EXPECT_TRUE(workerDone);
  EXPECT_EQ(ranOn, gui);
  EXPECT_EQ(caught, "Read beyond end of file");
}

TEST_F(QtSynchronize, CallMadeWhileAModalBoxIsOpenIsServedInsideItsLoop) {
  std::atomic<bool> boxOpen{false};
  std::atomic<bool> workerDone{false};
  bool sawModalBox = false;
  QTimer::singleShot(0, [&] { boxOpen = true; });  // runs once the box's own loop runs
  std::thread worker([&] {
    while (!boxOpen) std::this_thread::yield();
    ui::Application.Synchronize([&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      sawModalBox = box != nullptr;
      if (box) box->button(QMessageBox::Ok)->click();
    });
    workerDone = true;
  });
  ui::Application.MessageBox("Идёт сбор данных", "Quev", ui::MB_OK);
  RunLoopUntil(workerDone);
  worker.join();
  EXPECT_TRUE(sawModalBox);
}

}  // namespace
