// The metrology page's synthesised signals: the page read into the metrology settings, the buffer
// shaped for one channel, and the signal generated into it in codes of the chosen range.

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/Metrology.h"
#include "platform/Numbers.h"
#include "state/State.h"
#include "threads/AdcRecording.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "window/Form.h"
#include "window/Redraw.h"

namespace {

constexpr const char* kTooManyHarmonics = "Гармоник не более 100 !";
constexpr const char* kSignalTooLong = "Слишком длинный сигнал !";

void Refuse(const char* message) { ui::Application.MessageBox(message, "ОШИБКА!!!", ui::MB_ICONINFORMATION); }

// Frequency, amplitude and phase of a line "<f> <a> <p>": the first field runs up to and
// including the first blank, the second up to and including the next one, the third to the end.
// A missing field converts as an empty text and so raises the conversion error.
metrology::Harmonic ParseHarmonicLine(std::string_view line) {
    const auto take = [&line]() {
        const size_t blank = line.find(' ');
        if (blank == std::string_view::npos) return std::string_view{};
        const std::string_view field = line.substr(0, blank + 1);
        line.remove_prefix(blank + 1);
        return field;
    };
    metrology::Harmonic h;
    h.Frequency = platform::TypedStrToFloat(take());
    h.Amplitude = platform::TypedStrToFloat(take());
    h.PhaseDeg = platform::TypedStrToFloat(line);
    return h;
}

void GenerateSignal(TForma& form, metrology::Wave wave) {
    if (!form.PrepareMetSignal()) return;
    const MetrologySettingsGroup& met = MetrologySettings;
    std::vector<metrology::Harmonic> harmonics(met.MetHarmCount);
    for (size_t k = 0; k < harmonics.size(); ++k) {
        harmonics[k] = {met.MetHarmonics[k], met.MetHarmonics[kMetHarmonicLines + k],
                        met.MetHarmonics[2 * kMetHarmonicLines + k]};
    }
    const metrology::SignalShape shape{wave, met.MetConst, SampleData.DataRate, SampleData.DataMvPerCode, harmonics};
    MetrologySettings.MetAccum = metrology::Generate(
        shape, std::span<int16_t>(SampleData.SampleBuffer.data(), static_cast<size_t>(SampleData.SampleCount)));
    RedrawChart();
}

}  // namespace

bool TForma::PrepareMetSignal() {
    // The buffer belongs to a running worker; MetHarmonics has room for 100 lines only.
    if (WorkersBusy()) return false;
    const ui::StringList& lines = MemoMetGarm->Lines();
    if (lines.Count() > kMetHarmonicLines) {
        Refuse(kTooManyHarmonics);
        return false;
    }
    // Everything is read and checked before anything changes: a refused signal leaves the
    // record in memory described as it was.
    const double level = platform::TypedStrToFloat(EditMetConst->Text());
    const double seconds = platform::TypedStrToFloat(EditMetTime->Text());
    std::vector<metrology::Harmonic> harmonics;
    for (int k = 0; k < lines.Count(); ++k) harmonics.push_back(ParseHarmonicLine(lines[k]));
    const double rate = MetrologySettings.MetAdcRate;
    const auto samples = metrology::SignalSampleCount(rate, seconds);
    if (!samples) {
        Refuse(kSignalTooLong);
        return false;
    }

    ChartState.DataKind = kKindMetSignal;
    SampleData.DataRate = rate;
    // Before the start-up has chosen a range, the widest one.
    const int range = std::max(ComboBoxMetKoef->ItemIndex(), 0);
    MetrologySettings.MetRange = static_cast<uint8_t>(range);
    MetrologySettings.MetConst = level;
    MetrologySettings.MetTime = seconds;
    MetrologySettings.MetHarmCount = static_cast<uint8_t>(harmonics.size());
    for (size_t k = 0; k < harmonics.size(); ++k) {
        MetrologySettings.MetHarmonics[k] = harmonics[k].Frequency;
        MetrologySettings.MetHarmonics[kMetHarmonicLines + k] = harmonics[k].Amplitude;
        MetrologySettings.MetHarmonics[2 * kMetHarmonicLines + k] = harmonics[k].PhaseDeg;
    }
    for (ui::Series* s : Series) s->Clear();
    // Whatever was recorded before, the signal is one channel: every reader of the buffer then
    // stays within its samples.
    if (!adc::SizeSampleBuffer(*samples)) return false;
    SampleData.DataChannels = 1;
    SampleData.DataMvPerCode = metrology::RangeMvPerCode(range);
    SampleData.SampleCount = *samples;
    SampleData.FrameCount = *samples;
    return true;
}

void TForma::SpeedButtonMetConstClick(ui::Control*) { GenerateSignal(*this, metrology::Wave::Constant); }
void TForma::SpeedButtonMetSinClick(ui::Control*) { GenerateSignal(*this, metrology::Wave::Sine); }
void TForma::SpeedButtonMetSquareClick(ui::Control*) { GenerateSignal(*this, metrology::Wave::Square); }
void TForma::SpeedButtonMetPilaClick(ui::Control*) { GenerateSignal(*this, metrology::Wave::Triangle); }
