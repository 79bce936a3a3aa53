#pragma once
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "ui/Color.h"
#include "ui/FrontEnd.h"

namespace ui {

// A front end for tests and headless runs: dialogs are answered from queues (an empty queue
// cancels), message boxes, clipboard images and report previews are recorded, nothing ever
// blocks. Synchronous calls are served by whoever waits on the GUI thread (WaitForWorker,
// ProcessMessages).
class ScriptedFrontEnd : public FrontEnd {
public:
    struct Message {
        std::string Text;
        std::string Caption;
        int Flags = 0;
    };
    struct ClipboardImage {
        int Width = 0;
        int Height = 0;
        TColor Background = clWhite;
        std::string ChartName;
    };
    struct FileAnswer {
        bool Confirmed = false;
        std::string Path;
        int FilterIndex = 1;
    };

    // Open and save dialogs each take the next answer of their own queue.
    void QueueOpen(const std::string& path, int filterIndex);
    void QueueOpenCancel();
    void QueueSave(const std::string& path, int filterIndex);
    void QueueSaveCancel();
    void QueueColor(TColor color);
    void QueueColorCancel();
    // The answer of the next message box (IDOK when none is queued).
    void QueueMessageAnswer(int answer);

    std::vector<Message> Messages() const;
    // Forgets the recorded message boxes.
    void ClearMessages();
    std::vector<ClipboardImage> Clipboard() const;
    // The captions of the report forms whose preview was asked for, in order.
    std::vector<std::string> PreviewedReports() const;
    int FileDialogsShown() const;
    int ColorDialogsShown() const;

    int MessageBox(const std::string& text, const std::string& caption, int flags) override;
    bool ExecuteFileDialog(FileDialog& dialog) override;
    bool ExecuteColorDialog(ColorDialog& dialog) override;
    void CopyChartToClipboard(const Chart& chart) override;
    void PreviewReport(const Form& report) override;

private:
    mutable std::mutex mutex_;
    std::deque<FileAnswer> openAnswers_;
    std::deque<FileAnswer> saveAnswers_;
    std::deque<std::optional<TColor>> colorAnswers_;
    std::deque<int> messageAnswers_;
    std::vector<Message> messages_;
    std::vector<ClipboardImage> clipboard_;
    std::vector<std::string> previewedReports_;
    int fileDialogs_ = 0;
    int colorDialogs_ = 0;
};

} // namespace ui
