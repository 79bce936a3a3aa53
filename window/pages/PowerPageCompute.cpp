// "МОЩНОСТЬ": from a drive record in memory, the active power of the three phases, the motor
// speed and the shaft torque per averaging interval, and the voltages' sequence components over
// the mains period before the last one.

#include <algorithm>
#include <cstdint>
#include <limits>

#include "analysis/Kernels.h"
#include "analysis/Power.h"
#include "platform/Numbers.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "window/Form.h"
#include "window/Redraw.h"
#include "state/State.h"

namespace {

constexpr const char* kNoData = "Нет открытых данных !";
constexpr const char* kTooFewChannels = "Число каналов меньше 6 !";
constexpr const char* kBadMainsFrequency = "Частота сети должна быть больше 0 !";
constexpr const char* kBadMainsPeriod = "Период сети должен быть от 1 до 40001 данных !";
constexpr const char* kShortRecord = "Данных меньше двух периодов сети !";
constexpr const char* kShortInterval = "Интервал усреднения меньше одного данного !";

// The sequence table holds the harmonics of a window this wide.
constexpr int64_t kLongestMainsPeriod = 2 * int64_t{kSequenceHarmonics} + 1;

void Refuse(const char* message) { ui::Application.MessageBox(message, "ОШИБКА!!!", 0); }

// Everything the computation takes from the page and the record, read before anything changes.
struct PowerSetup {
    double currentCoef = 0;
    double voltageCoef = 0;
    double torqueCoef = 0;
    double mainsHz = 0;
    AveragingInterval interval{};
    int64_t mainsPeriod = 0;  // frames of the sequence window
    int64_t window = 0;       // frames of an averaging interval
    int32_t frames = 0;
};

// A text that is not a number raises the runtime's conversion error here, with nothing changed.
PowerSetup ReadSetup(const TForma& form) {
    PowerSetup setup;
    setup.currentCoef = platform::TypedStrToFloat(form.EditKI->Text()) / 1000;
    setup.voltageCoef = platform::TypedStrToFloat(form.EditKU->Text()) / 1000;
    setup.torqueCoef = platform::TypedStrToFloat(form.EditKM->Text()) / 1000;
    setup.mainsHz = platform::TypedStrToFloat(form.EditHz->Text());
    const int position = std::clamp(form.TrackBarRound->Position(), 1, static_cast<int>(kAveragingIntervals.size()));
    setup.interval = kAveragingIntervals[static_cast<size_t>(position - 1)];
    const SampleDataGroup& data = SampleData;
    setup.mainsPeriod = power::MainsPeriodFrames(data.DataRate, data.DataChannels, setup.mainsHz);
    setup.window = power::IntervalFrames(setup.interval.milliseconds, data.DataRate, data.DataChannels);
    setup.frames = ValidFrames();
    return setup;
}

// Why the record cannot be computed with this setup, or nullptr.
const char* SetupRefusal(const PowerSetup& setup) {
    if (!(setup.mainsHz > 0)) return kBadMainsFrequency;
    if (setup.mainsPeriod < 1 || setup.mainsPeriod > kLongestMainsPeriod) return kBadMainsPeriod;
    if (setup.frames < 2 * setup.mainsPeriod) return kShortRecord;
    if (setup.window < 1) return kShortInterval;
    return nullptr;
}

}  // namespace

void TForma::SpeedButtonPowerClick(ui::Control*) {
    if (WorkersBusy()) return;
    if (ValidFrames() == 0) {
        Refuse(kNoData);
        return;
    }
    const uint8_t channels = SampleData.DataChannels;
    if (channels < power::kPowerChannels) {
        Refuse(kTooFewChannels);
        return;
    }
    const PowerSetup setup = ReadSetup(*this);
    if (const char* refusal = SetupRefusal(setup)) {
        Refuse(refusal);
        return;
    }

    PowerAnalysisGroup& results = PowerAnalysis;
    results.CurrentCoef = setup.currentCoef;
    results.VoltageCoef = setup.voltageCoef;
    results.TorqueCoef = setup.torqueCoef;
    results.MainsFreq = setup.mainsHz;

    // Sequence components of the voltages over the mains period before the last one.
    AnalysisResults.FourierCount = static_cast<int32_t>(setup.mainsPeriod);
    AnalysisResults.FourierFirst = static_cast<int32_t>(setup.frames - 2 * setup.mainsPeriod);
    FurieDecompose(0);
    CalcSequenceComponents(power::kFirstVoltage, power::kFirstVoltage + 1, power::kFirstVoltage + 2);
    SpeedButtonVisPosl->SetEnabled(true);

    const double millivoltsPerCode = SampleData.DataMvPerCode;
    results.PowerInterval = setup.interval.milliseconds;
    // A window longer than any record leaves no interval; it is kept within the field's range.
    results.PowerWindow = static_cast<int32_t>(std::min<int64_t>(setup.window, std::numeric_limits<int32_t>::max()));

    const power::DriveRecord record{SampleData.SampleBuffer, channels, setup.frames};
    const auto intervals = static_cast<size_t>(power::IntervalCount(record, setup.window));
    const power::VoltageWiring wiring =
        RadioButtonUlin->Checked() ? power::VoltageWiring::Line : power::VoltageWiring::Phase;
    results.PowerSeries = power::ActivePower(
        record, setup.window, wiring,
        setup.currentCoef * setup.voltageCoef * millivoltsPerCode * millivoltsPerCode);
    SpeedButtonVisPact->SetEnabled(true);

    results.SpeedSeries.assign(intervals, 0.0);
    if (channels > power::kSpeedChannel) {
        results.SpeedSeries =
            power::Speed(record, setup.window, setup.interval.milliseconds, results.SpeedEdgeState);
        SpeedButtonVisSpeed->SetEnabled(true);
    }
    results.TorqueSeries.assign(intervals, 0.0);
    if (channels > power::kTorqueChannel) {
        results.TorqueSeries = power::Torque(record, setup.window, setup.torqueCoef * millivoltsPerCode);
        SpeedButtonVisMoment->SetEnabled(true);
    }

    ChartState.DataKind = kKindPower;
    RedrawChart();
    SpeedButtonVisPact->SetDown(true);
}
