// Texts the redraw puts into the chart title and the status bar.

#include <string>

#include "platform/DateTime.h"
#include "platform/Numbers.h"
#include "window/Redraw.h"
#include "state/State.h"

namespace redraw {

std::string GroupedDigits(std::int64_t value) {
    const std::string digits = platform::IntToStr(value);
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / 3 + 1);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        grouped += digits[i];
        if ((digits.size() - 1 - i) % 3 == 0) grouped += ' ';
    }
    return grouped;
}

std::string FileHead() {
    return "Файл :  " + SampleData.DataFileName + "     " +
           platform::DateTimeToStr(SampleData.DataTime);
}

std::string AcquisitionTail() {
    return platform::FloatToStr(SampleData.DataRate) + " кГц   " +
           platform::IntToStr(SampleData.DataChannels) + " кан. по " +
           platform::IntToStr(SampleData.FrameCount) + "   усиление " +
           platform::IntToStr(SampleData.DataGain);
}

std::string SweepTail() {
    return platform::FloatToStr(FrequencyResponse.AfcFreqBegin) + " Гц  по  " +
           platform::FloatToStr(FrequencyResponse.AfcFreqEnd) + " Гц ,   " +
           platform::IntToStr(FrequencyResponse.AfcSteps) + " шт.";
}

std::string WindowTail() {
    return platform::IntToStr(AnalysisResults.FourierFirst) + "  в кол-ве " +
           platform::IntToStr(AnalysisResults.FourierCount) + " шт.";
}

} // namespace redraw
