#include "window/Form.h"

void TForma::CreateAdcPage() {
    // Input range; item index = range code. No handler yet: whoever sets up an acquisition or
    // imports bare data reads the index.
    GroupBoxK = TabSheetADC->Add<ui::GroupBox>("GroupBoxK", 180, 0, 80, 40);
    GroupBoxK->SetCaption(" Диапазон ");
    GroupBoxK->SetHint("Диапозон измеряемых значений модулем АЦП");
    ComboBoxK = GroupBoxK->Add<ui::ComboBox>("ComboBoxK", 4, 15, 72, 21);
    ComboBoxK->Items().Assign({"±10,24 В", " ±2,56 В ", " ±0,64 B ", " ±0,16 B "});

    // Chart units and screen range.
    GroupBoxC = TabSheetADC->Add<ui::GroupBox>("GroupBoxC", 290, 0, 62, 40);
    GroupBoxC->SetCaption("Экран");
    ComboBoxC = GroupBoxC->Add<ui::ComboBox>("ComboBoxC", 4, 15, 54, 21);
    ComboBoxC->Items().Assign({"Авто", "10 В", "2,5 В", "0,6 B", "0,2 B"});
    ComboBoxC->OnChange = Handler(&TForma::ComboBoxCChange);
    GroupBoxX = TabSheetADC->Add<ui::GroupBox>("GroupBoxX", 354, 0, 58, 40);
    GroupBoxX->SetCaption(" Ось X: ");
    ComboBoxX = GroupBoxX->Add<ui::ComboBox>("ComboBoxX", 4, 15, 50, 21);
    ComboBoxX->Items().Assign({"шт", "мс", "с", "мин"});
    ComboBoxX->OnChange = Handler(&TForma::ComboBoxXChange);
    GroupBoxY = TabSheetADC->Add<ui::GroupBox>("GroupBoxY", 414, 0, 58, 40);
    GroupBoxY->SetCaption(" Ось Y: ");
    ComboBoxY = GroupBoxY->Add<ui::ComboBox>("ComboBoxY", 4, 15, 50, 21);
    ComboBoxY->Items().Assign({"шт", "мВ", " В"});
    ComboBoxY->OnChange = Handler(&TForma::ComboBoxYChange);

    // Frequency range of the live spectrum; read when it is drawn.
    GroupBoxFFT_X = TabSheetADC->Add<ui::GroupBox>("GroupBoxFFT_X", 640, 0, 118, 40);
    GroupBoxFFT_X->SetCaption("БПФ по оси X, Гц");
    LabelFFT_XB = GroupBoxFFT_X->Add<ui::Label>("LabelFFT_XB", 4, 18, 8, 13);
    LabelFFT_XB->SetCaption("с");
    EditFFT_XB = GroupBoxFFT_X->Add<ui::Edit>("EditFFT_XB", 14, 14, 44, 21);
    LabelFFT_XE = GroupBoxFFT_X->Add<ui::Label>("LabelFFT_XE", 60, 18, 14, 13);
    LabelFFT_XE->SetCaption("по");
    EditFFT_XE = GroupBoxFFT_X->Add<ui::Edit>("EditFFT_XE", 76, 14, 38, 21);
}
