#include "window/Form.h"

void TForma::CreateFuriePage() {
    // Display of the harmonic views; the chosen button of each pair has a green font, the other red.
    GroupBoxFurie = TabSheetFurie->Add<ui::GroupBox>("GroupBoxFurie", 560, 0, 96, 40);
    GroupBoxFurie->SetCaption(" Фурье ");
    RadioButtonFurieAmpl = GroupBoxFurie->Add<ui::RadioButton>("RadioButtonFurieAmpl", 4, 16, 46, 17);
    RadioButtonFurieAmpl->SetCaption(" Ампл");
    RadioButtonFurieAmpl->SetChecked(true);
    RadioButtonFurieAmpl->SetFontColor(ui::clGreen);
    RadioButtonFurieFaza = GroupBoxFurie->Add<ui::RadioButton>("RadioButtonFurieFaza", 50, 16, 44, 17);
    RadioButtonFurieFaza->SetCaption("Фазы");
    RadioButtonFurieFaza->SetFontColor(ui::clRed);
    GroupBox0Garm = TabSheetFurie->Add<ui::GroupBox>("GroupBox0Garm", 660, 0, 96, 40);
    GroupBox0Garm->SetCaption(" 0 гарм ");
    RadioButton0GarmYes = GroupBox0Garm->Add<ui::RadioButton>("RadioButton0GarmYes", 4, 16, 46, 17);
    RadioButton0GarmYes->SetCaption("Есть");
    RadioButton0GarmYes->SetChecked(true);
    RadioButton0GarmYes->SetFontColor(ui::clGreen);
    RadioButton0GarmNo = GroupBox0Garm->Add<ui::RadioButton>("RadioButton0GarmNo", 50, 16, 44, 17);
    RadioButton0GarmNo->SetCaption("Нет");
    RadioButton0GarmNo->SetFontColor(ui::clRed);
}
