// The acquisition page's choices: each turns into the settings of the next acquisition and, where
// a running real-time worker must take it again, marks the settings changed.
//
// A real-time window is held in memory as a whole, so rate x time x channels (thousands of
// samples) stays within 3000 and the time within 10 s. The track bars enforce it by stepping one
// of them back a position at a time; each step runs the moved bar's handler nested inside the
// current one, and the loop tests the product again with what the nested handlers left.

#include <algorithm>

#include "platform/Numbers.h"
#include "state/State.h"
#include "threads/AdcRecording.h"
#include "threads/WorkerSlot.h"
#include "window/Form.h"
#include "window/Redraw.h"
#include "window/pages/AdcPage.h"

namespace adc_page {

double RateAt(int position, bool usb3000) {
    const auto& table = usb3000 ? kUsb3000Rates : kQuevRates;
    return table[static_cast<size_t>(std::clamp(position, 1, kRatePositions) - 1)];
}

double TimeAt(int position) {
    return kTimes[static_cast<size_t>(std::clamp(position, 1, kTimePositions) - 1)];
}

std::string RateCaption(double rateKHz) {
    if (rateKHz < 1000) return " Частота :  " + platform::FloatToStrG(rateKHz, 3) + " кГц ";
    return " Частота :  " + platform::FloatToStrG(rateKHz / 1000, 1) + " МГц ";
}

std::string TimeCaption(double seconds) {
    return " Время :  " + platform::FloatToStrG(seconds, 3) + " с ";
}

}  // namespace adc_page

namespace {

double WindowThousands() {
    const auto& s = AcquisitionSettings;
    return s.AdcRate * s.AdcTime * s.AdcChannels;
}

bool RealMode() { return AcquisitionSettings.LongMode == 0; }

// The USB3000's rate table whenever it is up, the Quev module's otherwise.
bool Usb3000Rates() { return adc::AcquisitionPageModule() == adc::Module::Usb3000; }

// Moves a bar one position down (its handler runs nested); false when it is already at its
// minimum, so that a limit no step can reach ends the loop instead of spinning.
bool StepDown(ui::TrackBar& bar) {
    const int before = bar.Position();
    bar.SetPosition(before - 1);
    return bar.Position() != before;
}

}  // namespace

void TForma::ComboBoxRChange(ui::Control*) {
    if (ComboBoxR->ItemIndex() == 0) {
        AcquisitionSettings.LongMode = 0;
        ComboBoxM->SetEnabled(true);
        // A real-time run that lives keeps its rate and time: the bars start over only when the
        // mode is chosen for the next run.
        if (ThreadControl.AcqIdle != 0) {
            TrackBarQ->SetPosition(adc_page::kStartRatePosition);
            TrackBarT->SetPosition(adc_page::kStartTimePosition);
        }
    } else {
        AcquisitionSettings.LongMode = 1;
        ComboBoxM->SetEnabled(false);
    }
}

void TForma::ComboBoxKChange(ui::Control*) { ThreadControl.AcqParamsChanged = 1; }

void TForma::ComboBoxNChange(ui::Control*) {
    ThreadControl.AcqParamsChanged = 1;
    AcquisitionSettings.AdcChannels = static_cast<uint8_t>(ComboBoxN->ItemIndex() + 1);
    // In both modes: more channels at the same rate and time would outgrow a short window.
    if (WindowThousands() > adc_page::kChannelStepLimit) StepDown(*TrackBarT);
}

void TForma::ComboBoxMChange(ui::Control*) {
    ThreadControl.AcqParamsChanged = 1;
    const int index = ComboBoxM->ItemIndex();
    if (index >= 0 && index < static_cast<int>(adc_page::kMemoryBlocks.size())) {
        BlockRing.BlockCount = adc_page::kMemoryBlocks[static_cast<size_t>(index)];
    }
}

void TForma::TrackBarQChange(ui::Control*) {
    AcquisitionSettings.AdcRate = adc_page::RateAt(TrackBarQ->Position(), Usb3000Rates());
    if (RealMode()) {
        while (WindowThousands() > adc_page::kRealWindowLimit) {
            const bool stepped =
                AcquisitionSettings.AdcTime > adc_page::kTimes.front() ? StepDown(*TrackBarT) : StepDown(*TrackBarQ);
            if (!stepped) break;
        }
    }
    GroupBoxQ->SetCaption(adc_page::RateCaption(AcquisitionSettings.AdcRate));
    ThreadControl.AcqParamsChanged = 1;
}

// A rate read in the table of a module that no longer serves the page would be asked of the one
// that does, which may not have it: it is read again, and the step-back rule may then lower the
// bars. Before the bar was first applied (no settings read yet) there is no rate to follow.
void TForma::RateFollowsServingModule() {
    const double rate = AcquisitionSettings.AdcRate;
    if (rate == 0 || rate == adc_page::RateAt(TrackBarQ->Position(), Usb3000Rates())) return;
    TrackBarQChange(TrackBarQ);
}

void TForma::OfferUsb3000Range() {
    if (ComboBoxK->Items().Strings() == adc_page::kUsb3000Range) return;
    keptQuevRange_ = ComboBoxK->ItemIndex();
    ComboBoxK->Items().Assign(adc_page::kUsb3000Range);
    ComboBoxK->SetItemIndex(0);
}

// Only the next acquisition's range changes: the data in memory were recorded at theirs.
void TForma::RangesFollowServingModule() {
    if (Usb3000Rates()) {
        OfferUsb3000Range();
    } else if (ComboBoxK->Items().Strings() == adc_page::kUsb3000Range) {
        ComboBoxK->Items().Assign(adc_page::kQuevRanges);
        ComboBoxK->SetItemIndex(std::max(keptQuevRange_, 0));
    }
}

void TForma::TrackBarTChange(ui::Control*) {
    AcquisitionSettings.AdcTime = adc_page::TimeAt(TrackBarT->Position());
    if (RealMode()) {
        if (AcquisitionSettings.AdcTime > adc_page::kRealTimeLimit) StepDown(*TrackBarT);
        while (WindowThousands() > adc_page::kRealWindowLimit) {
            const bool stepped = AcquisitionSettings.AdcRate > adc_page::kQuevRates.front() ? StepDown(*TrackBarQ)
                                                                                          : StepDown(*TrackBarT);
            if (!stepped) break;
        }
    }
    GroupBoxT->SetCaption(adc_page::TimeCaption(AcquisitionSettings.AdcTime));
    ThreadControl.AcqParamsChanged = 1;
}

void TForma::SpeedButtonFFTRealClick(ui::Control*) {
    if (SpeedButtonFFTReal->Down()) {
        if (ChartState.DataKind == kKindTimeData) {
            ChartState.DataKind = kKindSpectrum;
            ChartState.SequenceCurves = false;
        }
        ThreadControl.FftRealTime = 1;
    } else {
        if (ChartState.DataKind == kKindSpectrum) ChartState.DataKind = kKindTimeData;
        ThreadControl.FftRealTime = 0;
    }
    // A live worker writes the record: the acquisition draws the chosen view itself at its next
    // block, and the data are redrawn once the worker has finished.
    if (WorkersBusy()) return;
    RedrawChart();
}

void TForma::ComboBoxFFTBitChange(ui::Control*) {
    AcquisitionSettings.FftBits = ComboBoxFFTBit->ItemIndex() + 10;
}
