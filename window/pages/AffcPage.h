#pragma once
// Controls of the frequency-response page (TabSheetAFFC). TForma inherits them; TForma::CreateAffcPage in
// window/pages/AffcPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include "ui/Controls.h"

struct AffcPage {
    // What the chart shows of a sweep: raw data, gain, phase difference, amplitudes, phases.
    ui::TrackBar* TrackBarAFFCshow = nullptr;
    ui::Label* LabelAFFCshow = nullptr;
};
