// Views of the processing page: the display choices of the harmonic views, the Y unit, the data
// view and the options window.

#include <iterator>

#include "settings/Options.h"
#include "window/AxisUnits.h"
#include "window/Form.h"
#include "window/pages/FuriePageCommon.h"
#include "window/pages/RadioPair.h"
#include "window/Redraw.h"
#include "state/State.h"

namespace {

struct YUnit {
    double perMillivolt;
    const char* format;
};
// In the order of ComboBoxFurieY's items.
constexpr YUnit kYUnits[] = {
    {1, "# ##0.###### мВ"},      {0.1, "# ##0.###### В"},   {0.01, "# ##0.###### А"},
    {0.01, "# ##0.###### м/c^2"}, {0.005, "# ##0.###### Н"}, {0.0012, "# ##0.###### Н·м"},
};

// The harmonic views show the new choice at once.
void ChooseView(ui::RadioButton* chosen, ui::RadioButton* partner) {
    if (ChooseInPair(chosen, partner) && AnalysisResults.FourierCount > 0 && !furie_page::AnalysisBlocked())
        RedrawChart();
}

}  // namespace

void TForma::RadioButtonFurieAmplClick(ui::Control*) { ChooseView(RadioButtonFurieAmpl, RadioButtonFurieFaza); }

void TForma::RadioButtonFurieFazaClick(ui::Control*) { ChooseView(RadioButtonFurieFaza, RadioButtonFurieAmpl); }

void TForma::RadioButton0GarmYesClick(ui::Control*) { ChooseView(RadioButton0GarmYes, RadioButton0GarmNo); }

void TForma::RadioButton0GarmNoClick(ui::Control*) { ChooseView(RadioButton0GarmNo, RadioButton0GarmYes); }

void TForma::ComboBoxFurieXChange(ui::Control*) {}

void TForma::ComboBoxFurieYChange(ui::Control*) {
    const int index = ComboBoxFurieY->ItemIndex();
    // Without a unit the multiplier stays as it is rather than being divided down once more.
    if (index < 0 || index >= static_cast<int>(std::size(kYUnits))) return;
    const YUnit& unit = kYUnits[index];
    Chart->LeftAxis().SetValueFormat(unit.format);
    // Codes of the data in memory take their scale; a table already in millivolts is not scaled twice.
    const double millivoltsPerPoint = IsTimeDomainKind(ChartState.DataKind) ? SampleData.DataMvPerCode : 1.0;
    ChartState.YMultiplier = unit.perMillivolt * millivoltsPerPoint;
    for (ui::Series* series : Series) series->SetYMultiplier(ChartState.YMultiplier);
}

void TForma::SpeedButtonOptionClick(ui::Control*) {
    if (Option != nullptr) Option->Show();
}

void TForma::SpeedButtonDanClick(ui::Control*) {
    if (furie_page::AnalysisBlocked()) return;
    ChartState.DataKind = kKindTimeData;
    RedrawChart();
}
