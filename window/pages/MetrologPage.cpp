#include "window/Form.h"

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
    };
    const RateBar bars[] = {
        {&MetrologPage::GroupBoxMetQadc, "GroupBoxMetQadc", " АЦП :  5 кГц ", "АЦП, частота опроса",
         &MetrologPage::TrackBarMetQadc, "TrackBarMetQadc", 33, 306},
        {&MetrologPage::GroupBoxMetQdac, "GroupBoxMetQdac", " ЦАП :  5 кГц ", "ЦАП, частота опроса",
         &MetrologPage::TrackBarMetQdac, "TrackBarMetQdac", 15, 428},
    };
    for (const auto& b : bars) {
        ui::GroupBox* box = TabSheetMetrolog->Add<ui::GroupBox>(b.boxName, b.left, 0, 120, 40);
        box->SetCaption(b.caption);
        box->SetHint(b.hint);
        ui::TrackBar* bar = box->Add<ui::TrackBar>(b.barName, 4, 14, 112, 22);
        bar->SetRange(1, b.positions);
        bar->SetPosition(1);
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
        {&MetrologPage::SpeedButtonMetRecord, "SpeedButtonMetRecord", "Запуск сбора данных", nullptr},
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
