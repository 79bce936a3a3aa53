// The acquisition page's screen range and unit boxes: each choice rescales the chart at once.

#include "window/AxisUnits.h"
#include "window/Form.h"

void TForma::ComboBoxCChange(ui::Control*) { SetScreenRange(); }
void TForma::ComboBoxXChange(ui::Control*) { SetAxisXUnits(); }
void TForma::ComboBoxYChange(ui::Control*) { SetAxisYUnits(); }
