#include <algorithm>
#include <array>
#include <string>

#include "platform/Numbers.h"
#include "state/State.h"
#include "window/Form.h"

namespace {

// kHz per position of TrackBarMetQdac.
constexpr std::array<double, 15> kDacRates = {1, 2, 4, 5, 8, 10, 16, 20, 25, 32, 40, 50, 80, 100, 125};

std::string RateCaption(const char* converter, double rateKHz) {
    return std::string(" ") + converter + " :  " + platform::FloatToStrG(rateKHz, 3) + " кГц ";
}

}  // namespace

void TForma::CreateMetrologPage() {
    // Range of the codes; the start-up chooses the first.
    GroupBoxMetKoef = TabSheetMetrolog->Add<ui::GroupBox>("GroupBoxMetKoef", 2, 0, 80, 40);
    GroupBoxMetKoef->SetCaption(" Диапазон ");
    ComboBoxMetKoef = GroupBoxMetKoef->Add<ui::ComboBox>("ComboBoxMetKoef", 4, 15, 72, 21);
    ComboBoxMetKoef->Items().Assign({"±10,24 В", " ±2,56 В ", " ±0,64 B ", " ±0,16 B ", "ЦАП ±5В"});

    GroupBoxMetConst = TabSheetMetrolog->Add<ui::GroupBox>("GroupBoxMetConst", 84, 0, 52, 40);
    GroupBoxMetConst->SetCaption(" Уров.");
    GroupBoxMetConst->SetHint("Постоянная составляющая сигнала, мВ");
    EditMetConst = GroupBoxMetConst->Add<ui::Edit>("EditMetConst", 4, 15, 44, 21);
    EditMetConst->SetText("1000");
    GroupBoxMetTime = TabSheetMetrolog->Add<ui::GroupBox>("GroupBoxMetTime", 138, 0, 44, 40);
    GroupBoxMetTime->SetCaption("Время");
    GroupBoxMetTime->SetHint("Продолжительность сигнала, с");
    EditMetTime = GroupBoxMetTime->Add<ui::Edit>("EditMetTime", 4, 15, 36, 21);
    EditMetTime->SetText("1");

    MemoMetGarm = TabSheetMetrolog->Add<ui::Memo>("MemoMetGarm", 184, 0, 120, 41);
    MemoMetGarm->SetHint("Гармонические составляющие :  Частота,  Амплитуда,  Фаза   ( вводить через пробел )");
    MemoMetGarm->SetColor(ui::clWhite);
    MemoMetGarm->Lines().Assign({"1 1000 0"});

    struct RateBar {
        ui::GroupBox* MetrologPage::*box;
        const char* boxName;
        const char* caption;
        const char* hint;
        ui::TrackBar* MetrologPage::*bar;
        const char* barName;
        int positions;
        int left;
        void (TForma::*change)(ui::Control*);
    };
    const RateBar bars[] = {
        {&MetrologPage::GroupBoxMetQadc, "GroupBoxMetQadc", " АЦП :  5 кГц ", "АЦП, частота опроса",
         &MetrologPage::TrackBarMetQadc, "TrackBarMetQadc", adc_page::kRatePositions, 306,
         &TForma::TrackBarMetQadcChange},
        {&MetrologPage::GroupBoxMetQdac, "GroupBoxMetQdac", " ЦАП :  5 кГц ", "ЦАП, частота опроса",
         &MetrologPage::TrackBarMetQdac, "TrackBarMetQdac", static_cast<int>(kDacRates.size()), 428,
         &TForma::TrackBarMetQdacChange},
    };
    for (const auto& b : bars) {
        ui::GroupBox* box = TabSheetMetrolog->Add<ui::GroupBox>(b.boxName, b.left, 0, 120, 40);
        box->SetCaption(b.caption);
        box->SetHint(b.hint);
        ui::TrackBar* bar = box->Add<ui::TrackBar>(b.barName, 4, 14, 112, 22);
        bar->SetRange(1, b.positions);
        bar->SetPosition(1);
        bar->OnChange = Handler(b.change);
        this->*b.box = box;
        this->*b.bar = bar;
    }

    struct ButtonDescription {
        ui::SpeedButton* MetrologPage::*button;
        const char* name;
        const char* hint;
        void (TForma::*click)(ui::Control*);
    };
    const ButtonDescription buttons[] = {
        {&MetrologPage::SpeedButtonMetConst, "SpeedButtonMetConst", "Сигнал :  ПОСТОЯННЫЙ",
         &TForma::SpeedButtonMetConstClick},
        {&MetrologPage::SpeedButtonMetSin, "SpeedButtonMetSin", "Сигнал :  СИНУСОИДА", &TForma::SpeedButtonMetSinClick},
        {&MetrologPage::SpeedButtonMetSquare, "SpeedButtonMetSquare", "Сигнал :  ПРЯМОУГОЛЬНИК",
         &TForma::SpeedButtonMetSquareClick},
        {&MetrologPage::SpeedButtonMetPila, "SpeedButtonMetPila", "Сигнал :  ПИЛА", &TForma::SpeedButtonMetPilaClick},
        {&MetrologPage::SpeedButtonMetRecord, "SpeedButtonMetRecord", "Запуск сбора данных",
         &TForma::SpeedButtonMetRecordClick},
        {&MetrologPage::SpeedButtonMetPlay, "SpeedButtonMetPlay", "Расчёт АЧХ", nullptr},
    };
    int left = 552;
    for (const auto& b : buttons) {
        ui::SpeedButton* button = TabSheetMetrolog->Add<ui::SpeedButton>(b.name, left, 8, 30, 25);
        button->SetHint(b.hint);
        if (b.click != nullptr) button->OnClick = Handler(b.click);
        this->*b.button = button;
        left += 32;
    }
}

// No limit applies to either rate and no module is asked: the ADC rate is that of the next
// synthesised signal, and nothing reads the DAC rate yet.
void TForma::TrackBarMetQadcChange(ui::Control*) {
    MetrologySettings.MetAdcRate = adc_page::RateAt(TrackBarMetQadc->Position(), false);
    GroupBoxMetQadc->SetCaption(RateCaption("АЦП", MetrologySettings.MetAdcRate));
}

void TForma::TrackBarMetQdacChange(ui::Control*) {
    const int position = std::clamp(TrackBarMetQdac->Position(), 1, static_cast<int>(kDacRates.size()));
    MetrologySettings.MetDacRate = kDacRates[static_cast<size_t>(position - 1)];
    GroupBoxMetQdac->SetCaption(RateCaption("ЦАП", MetrologySettings.MetDacRate));
}
