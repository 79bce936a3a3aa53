#include <filesystem>
#include <stdexcept>

#include "ScriptedFixture.h"
#include "platform/InOutError.h"

namespace {

using ApplicationTest = ScriptedFormTest;

TEST_F(ApplicationTest, ExceptionLeavingHandlerIsShownAndRestAbandoned) {
    auto* button = form.Add<ui::Button>("button");
    bool reachedEnd = false;
    button->OnClick = [&](ui::Control*) {
        throw platform::InOutError("File not found");
        reachedEnd = true;
    };
    button->Click();
    EXPECT_FALSE(reachedEnd);
    const auto messages = frontEnd.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, "File not found");
    EXPECT_EQ(messages[0].Caption, "Quev");
    EXPECT_EQ(messages[0].Flags, ui::MB_OK | ui::MB_ICONSTOP);
}

TEST_F(ApplicationTest, ExceptionInNestedClickReachesTheOuterHandler) {
    auto* inner = form.Add<ui::Button>("inner");
    auto* outer = form.Add<ui::Button>("outer");
    inner->OnClick = [](ui::Control*) { throw std::runtime_error("inner failed"); };
    bool outerContinued = false;
    outer->OnClick = [&](ui::Control*) {
        inner->PerformClick();
        outerContinued = true;
    };
    outer->Click();
    EXPECT_FALSE(outerContinued);
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(frontEnd.Messages()[0].Text, "inner failed");
}

TEST_F(ApplicationTest, FileDialogsAnswerFromTheirQueuesAndRememberFilterIndex) {
    ui::OpenDialog open;
    open.Filter = "A|*.a|B|*.b|C|*.c";
    EXPECT_EQ(open.FilterNames(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_FALSE(open.Execute()) << "an empty queue cancels";

    const auto folder = std::filesystem::temp_directory_path();
    const auto before = std::filesystem::current_path();
    frontEnd.QueueSave("/nowhere/x.asc", 2);
    frontEnd.QueueOpen((folder / "data.dat").string(), 2);
    frontEnd.QueueOpenCancel();
    ASSERT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName, (folder / "data.dat").string());
    EXPECT_EQ(open.FilterIndex, 2);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(folder))
        << "a confirmed choice leaves the process in the chosen folder";
    std::filesystem::current_path(before);

    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName, (folder / "data.dat").string()) << "a cancel keeps the last choice";
    EXPECT_EQ(open.FilterIndex, 2);
    EXPECT_EQ(frontEnd.FileDialogsShown(), 3);
}

TEST_F(ApplicationTest, ReportPreviewGoesToTheFrontEnd) {
    form.SetCaption("QReport");
    ui::Application.FrontEnd().PreviewReport(form);
    EXPECT_EQ(frontEnd.PreviewedReports(), (std::vector<std::string>{"QReport"}));
}

TEST_F(ApplicationTest, ColorDialogConfirmOrCancel) {
    ui::ColorDialog dialog;
    dialog.Color = ui::clBlue;
    frontEnd.QueueColorCancel();
    frontEnd.QueueColor(ui::clLime);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Color, ui::clBlue);
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Color, ui::clLime);
}

TEST_F(ApplicationTest, SynchronizeOnGuiThreadRunsAtOnceAndPropagates) {
    int runs = 0;
    ui::Application.Synchronize([&] { ++runs; });
    EXPECT_EQ(runs, 1);
    EXPECT_THROW(ui::Application.Synchronize([] { throw std::runtime_error("x"); }), std::runtime_error);
}

} // namespace
