#include <tuple>

#include "window/Form.h"
#include "window/pages/RadioPair.h"

namespace {

// One row of flat buttons across the page.
constexpr int kButtonTop = 8;
constexpr int kButtonWidth = 36;
constexpr int kButtonHeight = 25;

} // namespace

void TForma::CreateFuriePage() {
    // The analysis window.
    EditBeg = TabSheetFurie->Add<ui::MaskEdit>("EditBeg", 2, 10, 56, 21);
    EditBeg->SetText("0");
    EditBeg->SetHint("Начиная с какого данного вести разложение");
    EditBeg->SetColor(ui::clWhite);
    EditKol = TabSheetFurie->Add<ui::MaskEdit>("EditKol", 60, 10, 56, 21);
    EditKol->SetText("1000");
    EditKol->SetHint("Количество данных для разложения");
    EditKol->SetColor(ui::clWhite);

    struct ButtonDescription {
        ui::SpeedButton* FuriePage::*button;
        const char* name;
        const char* caption;
        const char* hint;
        void (TForma::*click)(ui::Control*);
        bool visible;
    };
    // The sequence and recorded-sweep buttons stay hidden; their place is after the visible ones.
    const ButtonDescription buttons[] = {
        {&FuriePage::SpeedButtonFurie, "SpeedButtonFurie", "ДПФ", "Дискретное преобразование Фурье",
         &TForma::SpeedButtonFurieClick, true},
        {&FuriePage::SpeedButtonFFT, "SpeedButtonFFT", "БПФ", "Быстрое преобразование Фурье",
         &TForma::SpeedButtonFFTClick, true},
        {&FuriePage::SpeedButtonFurieSP, "SpeedButtonFurieSP", "СП", "", &TForma::SpeedButtonFurieSPClick, true},
        {&FuriePage::SpeedButtonOption, "SpeedButtonOption", "Опц.", "Дополнительные опции и настройки",
         &TForma::SpeedButtonOptionClick, true},
        {&FuriePage::SpeedButtonDan, "SpeedButtonDan", "Дан.", "Отобразить собранные данные",
         &TForma::SpeedButtonDanClick, true},
        {&FuriePage::SpeedButtonPosl, "SpeedButtonPosl", "П",
         "Разложение на прямые, обратные и нулевые последовательности", &TForma::SpeedButtonPoslClick, false},
        {&FuriePage::SpeedButtonAFC, "SpeedButtonAFC", "АЧХ", "Амплитудо-частотная характеристика",
         &TForma::SpeedButtonAFCClick, false},
    };
    int left = 122;
    for (const auto& b : buttons) {
        ui::SpeedButton* button =
            TabSheetFurie->Add<ui::SpeedButton>(b.name, left, kButtonTop, kButtonWidth, kButtonHeight);
        button->SetCaption(b.caption);
        button->SetHint(b.hint);
        button->SetVisible(b.visible);
        if (b.click != nullptr) button->OnClick = Handler(b.click);
        this->*b.button = button;
        left += kButtonWidth + 2;
    }

    // Axis units.
    GroupBoxFurieX = TabSheetFurie->Add<ui::GroupBox>("GroupBoxFurieX", 392, 0, 64, 40);
    GroupBoxFurieX->SetCaption(" Ось X: ");
    ComboBoxFurieX = GroupBoxFurieX->Add<ui::ComboBox>("ComboBoxFurieX", 4, 14, 56, 21);
    ComboBoxFurieX->Items().Assign({"Гц"});
    ComboBoxFurieX->OnChange = Handler(&TForma::ComboBoxFurieXChange);
    GroupBoxFurieY = TabSheetFurie->Add<ui::GroupBox>("GroupBoxFurieY", 460, 0, 72, 40);
    GroupBoxFurieY->SetCaption(" Ось Y: ");
    ComboBoxFurieY = GroupBoxFurieY->Add<ui::ComboBox>("ComboBoxFurieY", 4, 14, 64, 21);
    ComboBoxFurieY->Items().Assign({"мВ", "В", "А", "м/c2", "Н", "Н*м"});
    ComboBoxFurieY->OnChange = Handler(&TForma::ComboBoxFurieYChange);

    // Display of the harmonic views; the chosen button of each pair has a green font, the other red.
    std::tie(GroupBoxFurie, RadioButtonFurieAmpl, RadioButtonFurieFaza) = AddRadioPair(
        *TabSheetFurie, {"GroupBoxFurie", " Фурье ", 536, {"RadioButtonFurieAmpl", "RadioButtonFurieFaza"}, {" Ампл", "Фазы"}, 0, 110});
    std::tie(GroupBox0Garm, RadioButton0GarmYes, RadioButton0GarmNo) = AddRadioPair(
        *TabSheetFurie, {"GroupBox0Garm", " 0 гарм ", 650, {"RadioButton0GarmYes", "RadioButton0GarmNo"}, {"Есть", "Нет"}, 0, 106});
    // Bound after the initial choice so that setting it up runs no handler.
    RadioButtonFurieAmpl->OnClick = Handler(&TForma::RadioButtonFurieAmplClick);
    RadioButtonFurieFaza->OnClick = Handler(&TForma::RadioButtonFurieFazaClick);
    RadioButton0GarmYes->OnClick = Handler(&TForma::RadioButton0GarmYesClick);
    RadioButton0GarmNo->OnClick = Handler(&TForma::RadioButton0GarmNoClick);
}
