#include "window/pages/BalancePageCommon.h"

#include "platform/Numbers.h"
#include "state/State.h"

namespace balance_page {

balancing::Frames DataInMemory() {
    return {SampleData.SampleBuffer, SampleData.DataChannels, ValidFrames()};
}

std::optional<std::array<balancing::Vibration, 2>> MeasureRevolution(int32_t from, int32_t to) {
    auto planes = balancing::MeasureInterval(DataInMemory(), from, to, SampleData.DataMvPerCode);
    if (planes) {
        AnalysisResults.FourierFirst = from;
        AnalysisResults.FourierCount = to - from;
    }
    AnalysisResults.SinTable.clear();
    AnalysisResults.CosTable.clear();
    return planes;
}

std::string IntervalText(int32_t from, int32_t to) {
    return platform::IntToStr(from) + " - " + platform::IntToStr(to);
}

std::string PlaneText(int plane, const balancing::Vibration& vibration) {
    const std::string n = platform::IntToStr(plane);
    return "Amp" + n + ": " + platform::FloatToStr(vibration.Amplitude) + "   Faz" + n + ": " +
           platform::FloatToStr(vibration.PhaseDeg);
}

}  // namespace balance_page
