#pragma once
// What the processing page's analyses share: the window typed on the page, its checks and
// messages, the log line, and the rule that an analysis abandoned midway leaves no results behind.

#include <cstdint>
#include <string>

namespace furie_page {

inline constexpr const char* kNoSuchData = "Такого количества данных нет!";
inline constexpr const char* kNegativeValues = "Уберите отрицательные значения!";
inline constexpr const char* kSeriesLimitText = "Количество данных не более 50000 !";
inline constexpr const char* kSequenceLimitText = "Количество данных не более 20000 !";
inline constexpr const char* kNoThreeChannels = "Нет 3 каналов данных !";

inline constexpr const char* kSeriesTag = "Ряд Фурье,  ";
inline constexpr const char* kSequenceTag = "+0- последовательности,  ";

// The window as the operator typed it in EditBeg and EditKol.
struct TypedWindow {
    int32_t first = 0;
    int32_t count = 0;
};

// Reads EditBeg and EditKol; a text that is not an integer raises the runtime's conversion error
// before anything has changed.
TypedWindow ReadTypedWindow();

// Why the window cannot be analysed, or nullptr. Negative values, an empty window and a window
// reaching past the frames held (plus `extraFrames` the analysis reads beyond it) are refused.
const char* WindowRefusal(const TypedWindow& window, int32_t extraFrames);

// Shows a refusal in the page's message box.
void Refuse(const char* message);

// While a worker is alive the work arrays and the sample buffer are its own.
bool AnalysisBlocked();

// "<tag><date and time>,  Beg=..,  Kol=..,  N=..,  Interval=..,  K=..,  NK=.." of the data in memory.
std::string LogLine(const char* tag, int32_t first, int32_t count, double interval);

// Appends a line to the log page.
void Log(const std::string& line);

// Held while an analysis replaces the results: when it is left by an exception (memory exhausted
// while sizing a table), the results are dropped instead of being left half-written under a window
// that claims them.
class ResultsInProgress {
public:
    ResultsInProgress();
    ~ResultsInProgress();
    ResultsInProgress(const ResultsInProgress&) = delete;
    ResultsInProgress& operator=(const ResultsInProgress&) = delete;

private:
    int exceptions_;
};

}  // namespace furie_page
