#include "window/Form.h"

void TForma::CreateShemPage() {
    GroupBoxBufDAC = TabSheetShem->Add<ui::GroupBox>("GroupBoxBufDAC", 300, 0, 170, 44);
    GroupBoxBufDAC->SetCaption(" Данные ШЭМ ");
    GroupBoxBufDAC->SetHint("Данные для имитации работы ШЭМ");
    ComboBoxKadrs = GroupBoxBufDAC->Add<ui::ComboBox>("ComboBoxKadrs", 4, 16, 60, 21);
    ComboBoxKadrs->SetEnabled(false);
    SpeedButtonEnter = GroupBoxBufDAC->Add<ui::SpeedButton>("SpeedButtonEnter", 68, 14, 25, 25);
    SpeedButtonEnter->SetHint("Занести в буфер ЦАП");
    SpeedButtonEnter->SetEnabled(false);
    SpeedButtonSpace = GroupBoxBufDAC->Add<ui::SpeedButton>("SpeedButtonSpace", 96, 14, 25, 25);
    SpeedButtonSpace->SetHint("Добавить пробел в буфер ЦАП");
    SpeedButtonSpace->SetEnabled(false);
}
