#include "window/pages/AdcPage.h"

#include <string>
#include <vector>

#include "window/Form.h"

namespace {

// A combo box in a captioned group box of the page, with its items and change handler.
struct ChoiceBox {
    ui::GroupBox* AdcPage::*group;
    ui::ComboBox* AdcPage::*combo;
    const char* groupName;
    const char* comboName;
    const char* caption;
    const char* hint;
    int left;
    int width;
    void (TForma::*change)(ui::Control*);
};

constexpr int kBoxTop = 0;
constexpr int kBoxHeight = 40;
constexpr int kInnerTop = 15;
constexpr int kInnerHeight = 21;

// Numbers centred in a fixed width: "   1   " for one digit, "  10  " for two.
std::vector<std::string> PaddedNumbers(int first, int last) {
    std::vector<std::string> items;
    for (int n = first; n <= last; ++n) {
        const std::string digits = std::to_string(n);
        const std::string pad = digits.size() == 1 ? "   " : "  ";
        items.push_back(pad + digits + pad);
    }
    return items;
}

}  // namespace

void TForma::CreateAdcPage() {
    SpeedButtonRecord = TabSheetADC->Add<ui::SpeedButton>("SpeedButtonRecord", 2, 8, 28, 28);
    SpeedButtonRecord->SetHint("Запуск сбора данных");
    SpeedButtonRecord->SetGroupIndex(1);
    SpeedButtonRecord->SetAllowAllUp(true);
    SpeedButtonRecord->OnClick = Handler(&TForma::SpeedButtonRecordClick);

    const ChoiceBox boxes[] = {
        {&AdcPage::GroupBoxR, &AdcPage::ComboBoxR, "GroupBoxR", "ComboBoxR", "Режим",
         "Выбор режима сбора данных :  осциллограф или продолжительный сбор ", 31, 56,
         &TForma::ComboBoxRChange},
        {&AdcPage::GroupBoxK, &AdcPage::ComboBoxK, "GroupBoxK", "ComboBoxK", " Диапазон ",
         "Диапозон измеряемых значений модулем АЦП", 88, 72, &TForma::ComboBoxKChange},
        {&AdcPage::GroupBoxN, &AdcPage::ComboBoxN, "GroupBoxN", "ComboBoxN", "Каналов", "", 161, 52,
         &TForma::ComboBoxNChange},
        {&AdcPage::GroupBoxM, &AdcPage::ComboBoxM, "GroupBoxM", "ComboBoxM", "Память",
         "Количество кадров памяти в режиме осцилографа", 214, 52, &TForma::ComboBoxMChange},
        {&AdcPage::GroupBoxC, &AdcPage::ComboBoxC, "GroupBoxC", "ComboBoxC", "Экран", "", 267, 54,
         &TForma::ComboBoxCChange},
        {&AdcPage::GroupBoxX, &AdcPage::ComboBoxX, "GroupBoxX", "ComboBoxX", " Ось X: ", "", 322, 46,
         &TForma::ComboBoxXChange},
        {&AdcPage::GroupBoxY, &AdcPage::ComboBoxY, "GroupBoxY", "ComboBoxY", " Ось Y: ", "", 369, 50,
         &TForma::ComboBoxYChange},
        {&AdcPage::GroupBoxFFTBit, &AdcPage::ComboBoxFFTBit, "GroupBoxFFTBit", "ComboBoxFFTBit", "Бит",
         "", 613, 53, &TForma::ComboBoxFFTBitChange},
    };
    for (const ChoiceBox& box : boxes) {
        ui::GroupBox* group = TabSheetADC->Add<ui::GroupBox>(box.groupName, box.left, kBoxTop, box.width, kBoxHeight);
        group->SetCaption(box.caption);
        group->SetHint(box.hint);
        ui::ComboBox* combo = group->Add<ui::ComboBox>(box.comboName, 3, kInnerTop, box.width - 6, kInnerHeight);
        combo->OnChange = Handler(box.change);
        this->*box.group = group;
        this->*box.combo = combo;
    }
    ComboBoxR->Items().Assign({"Real", "Long"});
    ComboBoxK->Items().Assign(adc_page::kQuevRanges);
    ComboBoxN->Items().Assign(PaddedNumbers(1, 16));
    ComboBoxM->Items().Assign(
        {"   1   ", "   2   ", "   5   ", "  10  ", "  20  ", "  50  ", " 100 ", " 200 ", " 500 ", "1000"});
    ComboBoxC->Items().Assign({"Авто", "10 В", "2,5 В", "0,6 B", "0,2 B"});
    ComboBoxX->Items().Assign({"шт", "мс", "с", "мин"});
    ComboBoxY->Items().Assign({"шт", "мВ", " В"});
    ComboBoxFFTBit->Items().Assign(PaddedNumbers(10, 16));

    // Rate and time; the captions start as the designer left them, the handlers rewrite them.
    GroupBoxQ = TabSheetADC->Add<ui::GroupBox>("GroupBoxQ", 420, kBoxTop, 88, kBoxHeight);
    GroupBoxQ->SetCaption(" Частота :  5 кГц ");
    GroupBoxQ->SetHint("АЦП, частота опроса");
    TrackBarQ = GroupBoxQ->Add<ui::TrackBar>("TrackBarQ", 3, kInnerTop, 82, 22);
    TrackBarQ->SetRange(1, adc_page::kRatePositions);
    TrackBarQ->SetPosition(adc_page::kStartRatePosition);
    TrackBarQ->OnChange = Handler(&TForma::TrackBarQChange);
    GroupBoxT = TabSheetADC->Add<ui::GroupBox>("GroupBoxT", 509, kBoxTop, 76, kBoxHeight);
    GroupBoxT->SetCaption("Время :  1 c ");
    GroupBoxT->SetHint("Время в секундах");
    TrackBarT = GroupBoxT->Add<ui::TrackBar>("TrackBarT", 3, kInnerTop, 70, 22);
    TrackBarT->SetRange(1, adc_page::kTimePositions);
    TrackBarT->SetPosition(adc_page::kStartTimePosition);
    TrackBarT->OnChange = Handler(&TForma::TrackBarTChange);

    SpeedButtonFFTReal = TabSheetADC->Add<ui::SpeedButton>("SpeedButtonFFTReal", 586, 8, 26, 28);
    SpeedButtonFFTReal->SetHint("Спектроанализ реального времени");
    SpeedButtonFFTReal->SetGroupIndex(10);
    SpeedButtonFFTReal->SetAllowAllUp(true);
    SpeedButtonFFTReal->OnClick = Handler(&TForma::SpeedButtonFFTRealClick);

    // Frequency range of the live spectrum; read when it is drawn.
    GroupBoxFFT_X = TabSheetADC->Add<ui::GroupBox>("GroupBoxFFT_X", 667, kBoxTop, 92, kBoxHeight);
    GroupBoxFFT_X->SetCaption("БПФ по оси X, Гц");
    LabelFFT_XB = GroupBoxFFT_X->Add<ui::Label>("LabelFFT_XB", 2, 18, 7, 13);
    LabelFFT_XB->SetCaption("с");
    EditFFT_XB = GroupBoxFFT_X->Add<ui::Edit>("EditFFT_XB", 9, 14, 36, 21);
    LabelFFT_XE = GroupBoxFFT_X->Add<ui::Label>("LabelFFT_XE", 46, 18, 12, 13);
    LabelFFT_XE->SetCaption("по");
    EditFFT_XE = GroupBoxFFT_X->Add<ui::Edit>("EditFFT_XE", 58, 14, 32, 21);
}
