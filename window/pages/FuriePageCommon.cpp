#include "window/pages/FuriePageCommon.h"

#include <exception>

#include "platform/DateTime.h"
#include "platform/Numbers.h"
#include "ui/Application.h"
#include "window/Form.h"
#include "state/State.h"

namespace furie_page {

TypedWindow ReadTypedWindow() {
    TypedWindow window;
    window.first = platform::StrToInt(Forma->EditBeg->Text());
    window.count = platform::StrToInt(Forma->EditKol->Text());
    return window;
}

const char* WindowRefusal(const TypedWindow& window, int32_t extraFrames) {
    if (window.first < 0 || window.count < 0) return kNegativeValues;
    if (window.count == 0) return kNoSuchData;
    const int64_t end = static_cast<int64_t>(window.first) + window.count + extraFrames;
    if (end > ValidFrames()) return kNoSuchData;
    return nullptr;
}

void Refuse(const char* message) {
    ui::Application.MessageBox(message, "ОШИБКА!!!", ui::MB_ICONINFORMATION);
}

bool AnalysisBlocked() { return ui::Application.AnyWorkerAlive(); }

std::string LogLine(const char* tag, int32_t first, int32_t count, double interval) {
    return std::string(tag) + platform::DateTimeToStr(SampleData.DataTime) +
           ",  Beg=" + platform::IntToStr(first) + ",  Kol=" + platform::IntToStr(count) +
           ",  N=" + platform::IntToStr(SampleData.DataChannels) +
           ",  Interval=" + platform::FloatToStr(interval) +
           ",  K=" + platform::IntToStr(SampleData.DataGain) +
           ",  NK=" + platform::IntToStr(SampleData.FrameCount);
}

void Log(const std::string& line) { Forma->Memo->Lines().Add(line); }

ResultsInProgress::ResultsInProgress() : exceptions_(std::uncaught_exceptions()) {}

ResultsInProgress::~ResultsInProgress() {
    if (std::uncaught_exceptions() == exceptions_) return;
    AnalysisResultsGroup& results = AnalysisResults;
    results.FourierCount = 0;
    results.AmpTable.clear();
    results.PhaseTable.clear();
    results.WorkRe.clear();
    results.WorkIm.clear();
    results.SinTable.clear();
    results.CosTable.clear();
    ChartState.DataKind = kKindEmpty;
}

}  // namespace furie_page
