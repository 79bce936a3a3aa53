// The sweep's start and stop, the report preview and the sweep's rates.

#include <array>

#include "platform/Numbers.h"
#include "threads/DacThread.h"
#include "threads/Report.h"
#include "ui/Application.h"
#include "ui/MessageFlags.h"
#include "window/Form.h"
#include "window/pages/AffcPageSettings.h"
#include "state/State.h"

namespace {

// Track bar positions 1 to 26 and 1 to 15, in kHz.
constexpr std::array<double, 26> kAdcRates = {5,  6,  8,  10, 12, 15,  16,  20,  24,  25,  30,  32,  40,
                                              48, 50, 60, 64, 75, 80, 96, 100, 120, 125, 150, 160, 200};
constexpr std::array<double, 15> kDacRates = {1, 2, 4, 5, 8, 10, 16, 20, 25, 32, 40, 50, 80, 100, 125};

template <std::size_t N>
void ShowRate(const std::array<double, N>& rates, const ui::TrackBar& bar, double& rate, ui::GroupBox& box,
              const char* converter) {
    const int position = bar.Position();
    if (position < 1 || position > static_cast<int>(N)) return;
    rate = rates[static_cast<std::size_t>(position - 1)];
    // Every rate of the tables is a whole number below 1000: its 3-digit general text is the
    // number itself.
    box.SetCaption(std::string(converter) + platform::FloatToStr(rate) + " кГц ");
}

} // namespace

void TForma::SpeedButtonAFFCClick(ui::Control*) {
    // A stop is taken whatever the module's state: a sweep whose module failed and was released
    // leaves the flag set, and only this press clears it (the module check waits for it).
    if (ThreadControl.AfcRunning) {
        // The worker finishes the block in hand, stops the converters and computes the response.
        ThreadControl.AfcRunning = 0;
        SpeedButtonAFFC->SetDown(false);
        Chart->SetEnabled(true);
        return;
    }
    // A sweep refused leaves the recording, the chart and the page as they were, the button up:
    // without the module's DAC, while a worker keeps the module (one block-transfer activity at a
    // time), and with settings or rates no sweep can run with (a box says which).
    if (ModuleState.QuevDacPresent == 0 || ModuleState.QuevModule == nullptr || WorkersBusy()) {
        SpeedButtonAFFC->SetDown(false);
        return;
    }
    sweep::SweepOrder order;
    const std::string refusal = affc_page::PlanPageSweep(*this, order);
    if (!refusal.empty()) {
        SpeedButtonAFFC->SetDown(false);
        ui::Application.MessageBox(refusal, "ОШИБКА!!!", ui::MB_ICONINFORMATION);
        return;
    }
    ChartState.DataKind = kKindSweepData;
    Chart->SetTitleText("Идёт сбор данных для АЧХ и ФЧХ");
    SpeedButtonAFFC->SetDown(true);
    ThreadControl.AfcRunning = 1;
    ThreadControl.AfcSetup = 1;
    Chart->SetEnabled(false);
    StartSweepThread(order);
}

void TForma::SpeedButtonAFFCshowClick(ui::Control*) {
    if (FrequencyResponse.AfcSteps <= 0) {
        PreviewAFFCReport();
        return;
    }
    if (WorkersBusy()) return;
    ThreadControl.AfcReport = 1;
    if (!StartDacThread()) ThreadControl.AfcReport = 0;
}

void TForma::TrackBarAFFC_QadcChange(ui::Control*) {
    ShowRate(kAdcRates, *TrackBarAFFC_Qadc, FrequencyResponse.AfcAdcRate, *GroupBoxAFFC_Qadc, " АЦП :  ");
}

void TForma::TrackBarAFFC_QdacChange(ui::Control*) {
    ShowRate(kDacRates, *TrackBarAFFC_Qdac, FrequencyResponse.AfcDacRate, *GroupBoxAFFC_Qdac, " ЦАП :  ");
}
