#include "ui/ScriptedFrontEnd.h"

#include "ui/Chart.h"
#include "ui/Containers.h"
#include "ui/Dialogs.h"
#include "ui/MessageFlags.h"

namespace ui {

void ScriptedFrontEnd::QueueOpen(const std::string& path, int filterIndex) {
    std::lock_guard lock(mutex_);
    openAnswers_.push_back({true, path, filterIndex});
}

void ScriptedFrontEnd::QueueOpenCancel() {
    std::lock_guard lock(mutex_);
    openAnswers_.push_back({});
}

void ScriptedFrontEnd::QueueSave(const std::string& path, int filterIndex) {
    std::lock_guard lock(mutex_);
    saveAnswers_.push_back({true, path, filterIndex});
}

void ScriptedFrontEnd::QueueSaveCancel() {
    std::lock_guard lock(mutex_);
    saveAnswers_.push_back({});
}

void ScriptedFrontEnd::QueueColor(TColor color) {
    std::lock_guard lock(mutex_);
    colorAnswers_.emplace_back(color);
}

void ScriptedFrontEnd::QueueColorCancel() {
    std::lock_guard lock(mutex_);
    colorAnswers_.emplace_back(std::nullopt);
}

void ScriptedFrontEnd::QueueMessageAnswer(int answer) {
    std::lock_guard lock(mutex_);
    messageAnswers_.push_back(answer);
}

std::vector<ScriptedFrontEnd::Message> ScriptedFrontEnd::Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

void ScriptedFrontEnd::ClearMessages() {
    std::lock_guard lock(mutex_);
    messages_.clear();
}

std::vector<ScriptedFrontEnd::ClipboardImage> ScriptedFrontEnd::Clipboard() const {
    std::lock_guard lock(mutex_);
    return clipboard_;
}

std::vector<std::string> ScriptedFrontEnd::PreviewedReports() const {
    std::lock_guard lock(mutex_);
    return previewedReports_;
}

int ScriptedFrontEnd::FileDialogsShown() const {
    std::lock_guard lock(mutex_);
    return fileDialogs_;
}

int ScriptedFrontEnd::ColorDialogsShown() const {
    std::lock_guard lock(mutex_);
    return colorDialogs_;
}

int ScriptedFrontEnd::MessageBox(const std::string& text, const std::string& caption, int flags) {
    std::lock_guard lock(mutex_);
    messages_.push_back({text, caption, flags});
    if (messageAnswers_.empty()) return IDOK;
    const int answer = messageAnswers_.front();
    messageAnswers_.pop_front();
    return answer;
}

bool ScriptedFrontEnd::ExecuteFileDialog(FileDialog& dialog) {
    std::lock_guard lock(mutex_);
    ++fileDialogs_;
    auto& queue = dialog.DialogMode() == FileDialog::Mode::Open ? openAnswers_ : saveAnswers_;
    if (queue.empty()) return false;
    const FileAnswer answer = queue.front();
    queue.pop_front();
    if (!answer.Confirmed) return false;
    dialog.FileName = answer.Path;
    dialog.FilterIndex = answer.FilterIndex;
    return true;
}

bool ScriptedFrontEnd::ExecuteColorDialog(ColorDialog& dialog) {
    std::lock_guard lock(mutex_);
    ++colorDialogs_;
    if (colorAnswers_.empty()) return false;
    const auto answer = colorAnswers_.front();
    colorAnswers_.pop_front();
    if (!answer) return false;
    dialog.Color = *answer;
    return true;
}

void ScriptedFrontEnd::CopyChartToClipboard(const Chart& chart) {
    std::lock_guard lock(mutex_);
    clipboard_.push_back({chart.Width(), chart.Height(), clWhite, chart.Name()});
}

void ScriptedFrontEnd::PreviewReport(const Form& report) {
    std::lock_guard lock(mutex_);
    previewedReports_.push_back(report.Caption());
}

} // namespace ui
