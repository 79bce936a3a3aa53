#include "window/Form.h"

namespace {

// The page is one strip 41 pixels high: buttons, view bars, three lists, two rate bars and the
// seven sweep settings side by side.
constexpr int kBoxTop = 0;
constexpr int kBoxHeight = 40;
constexpr int kInnerTop = 15;

// A group box holding an edit and its unit label.
struct EditBoxLayout {
    ui::GroupBox* AffcPage::*box;
    ui::Edit* AffcPage::*edit;
    const char* boxName;
    const char* editName;
    const char* caption;
    const char* hint;
    const char* text;
    const char* unit;
};

constexpr int kEditBoxWidth = 40;

} // namespace

void TForma::CreateAffcPage() {
    ui::TabSheet& page = *TabSheetAFFC;

    SpeedButtonAFFC = page.Add<ui::SpeedButton>("SpeedButtonAFFC", 0, 0, 40, 40);
    SpeedButtonAFFC->SetHint("Расчёт АЧХ и ФЧХ");
    SpeedButtonAFFC->SetGroupIndex(2);
    SpeedButtonAFFC->SetAllowAllUp(true);
    SpeedButtonAFFC->OnClick = Handler(&TForma::SpeedButtonAFFCClick);
    SpeedButtonAFFCshow = page.Add<ui::SpeedButton>("SpeedButtonAFFCshow", 42, 8, 25, 25);
    SpeedButtonAFFCshow->SetHint("Просмотр отчёта");
    SpeedButtonAFFCshow->OnClick = Handler(&TForma::SpeedButtonAFFCshowClick);

    TrackBarAFFCshow = page.Add<ui::TrackBar>("TrackBarAFFCshow", 69, 2, 80, 19);
    TrackBarAFFCshow->SetRange(1, 5);
    TrackBarAFFCshow->SetPosition(1);
    TrackBarAFFCshow->SetHint("Какие графики отображать");
    TrackBarAFFCshow->OnChange = Handler(&TForma::TrackBarAFFCshowChange);
    LabelAFFCshow = page.Add<ui::Label>("LabelAFFCshow", 150, 4, 26, 13);
    LabelAFFCshow->SetCaption("ДАН");
    LabelAFFCshow->SetHint("Собранные данные");
    TrackBarAFFCchart = page.Add<ui::TrackBar>("TrackBarAFFCchart", 69, 21, 40, 19);
    TrackBarAFFCchart->SetRange(1, 2);
    TrackBarAFFCchart->SetPosition(1);
    TrackBarAFFCchart->SetHint("Шкала по оси Х");
    TrackBarAFFCchart->OnChange = Handler(&TForma::TrackBarAFFCchartChange);
    LabelAFFCchart = page.Add<ui::Label>("LabelAFFCchart", 112, 24, 28, 13);
    LabelAFFCchart->SetCaption("ЛИН");
    LabelAFFCchart->SetHint("Линейная");

    const struct {
        ui::GroupBox* AffcPage::*box;
        ui::ComboBox* AffcPage::*list;
        const char* boxName;
        const char* listName;
        const char* caption;
        const char* hint;
        int left, width;
        std::vector<std::string> items;
    } lists[] = {
        {&AffcPage::GroupBoxAFFC_K, &AffcPage::ComboBoxAFFC_K, "GroupBoxAFFC_K", "ComboBoxAFFC_K", " Диапазон ",
         "Диапозон измеряемых значений модулем АЦП", 176, 62, {"±10,24 В", " ±2,56 В ", " ±0,64 B ", " ±0,16 B "}},
        {&AffcPage::GroupBoxAFFC_N, &AffcPage::ComboBoxAFFC_N, "GroupBoxAFFC_N", "ComboBoxAFFC_N", "Каналов",
         "Количество каналов для расчёта АЧХ и ФЧХ", 240, 42,
         {"    1    ", "    2    ", "    3    ", "    4    ", "    5    ", "    6    ", "    7    ", "    8    ",
          "    9    ", "   10   ", "   11   ", "   12   ", "   13   ", "   14   ", "   15   "}},
        {&AffcPage::GroupBoxAFFC_C, &AffcPage::ComboBoxAFFC_C, "GroupBoxAFFC_C", "ComboBoxAFFC_C", "Экран",
         "Диапозон значений, отображаемых на экране", 284, 48, {" Авто ", " 10 В ", " 2,5 В ", " 0,6 B ", " 0,2 B "}},
    };
    for (const auto& l : lists) {
        ui::GroupBox* box = page.Add<ui::GroupBox>(l.boxName, l.left, kBoxTop, l.width, kBoxHeight);
        box->SetCaption(l.caption);
        box->SetHint(l.hint);
        ui::ComboBox* list = box->Add<ui::ComboBox>(l.listName, 3, kInnerTop, l.width - 6, 21);
        list->Items().Assign(l.items);
        this->*l.box = box;
        this->*l.list = list;
    }
    // Only the settings file chooses how many channels a sweep measures.
    ComboBoxAFFC_N->SetEnabled(false);

    const struct {
        ui::GroupBox* AffcPage::*box;
        ui::TrackBar* AffcPage::*bar;
        const char* boxName;
        const char* barName;
        const char* caption;
        const char* hint;
        int left, maximum;
        void (TForma::*change)(ui::Control*);
    } rates[] = {
        {&AffcPage::GroupBoxAFFC_Qadc, &AffcPage::TrackBarAFFC_Qadc, "GroupBoxAFFC_Qadc", "TrackBarAFFC_Qadc",
         " АЦП :  5 кГц ", "АЦП, частота опроса", 334, 26, &TForma::TrackBarAFFC_QadcChange},
        {&AffcPage::GroupBoxAFFC_Qdac, &AffcPage::TrackBarAFFC_Qdac, "GroupBoxAFFC_Qdac", "TrackBarAFFC_Qdac",
         " ЦАП :  5 кГц ", "ЦАП, частота выдачи", 406, 15, &TForma::TrackBarAFFC_QdacChange},
    };
    for (const auto& r : rates) {
        ui::GroupBox* box = page.Add<ui::GroupBox>(r.boxName, r.left, kBoxTop, 70, kBoxHeight);
        box->SetCaption(r.caption);
        box->SetHint(r.hint);
        ui::TrackBar* bar = box->Add<ui::TrackBar>(r.barName, 2, 14, 66, 22);
        bar->SetRange(1, r.maximum);
        bar->SetPosition(1);
        bar->OnChange = Handler(r.change);
        this->*r.box = box;
        this->*r.bar = bar;
    }

    const EditBoxLayout edits[] = {
        {&AffcPage::GroupBoxAFFCamp, &AffcPage::EditAFFCamp, "GroupBoxAFFCamp", "EditAFFCamp", "Напряж.",
         "Амплитуда подаваемой синусоиды", "20", "мВ"},
        {&AffcPage::GroupBoxAFFCbeg, &AffcPage::EditAFFCbeg, "GroupBoxAFFCbeg", "EditAFFCbeg", "Начало",
         "Начальная частота синусоиды", "5", "Гц"},
        {&AffcPage::GroupBoxAFFCend, &AffcPage::EditAFFCend, "GroupBoxAFFCend", "EditAFFCend", "Конец",
         "Конечная частота синусоиды", "80", "Гц"},
        {&AffcPage::GroupBoxAFFCoct, &AffcPage::EditAFFCoct, "GroupBoxAFFCoct", "EditAFFCoct", "Окт/мин",
         "Скорость роста частоты синусоиды", "30", nullptr},
        {&AffcPage::GroupBoxAFFCkol, &AffcPage::EditAFFCkol, "GroupBoxAFFCkol", "EditAFFCkol", "Кол-во",
         "Количество замеров АЧХ и ФЧХ", "", "шт"},
        {&AffcPage::GroupBoxAFFC_TU, &AffcPage::EditAFFC_TU, "GroupBoxAFFC_TU", "EditAFFC_TU", "Выход",
         "Время линейного нарастания амплитуды сигнала", "2", "с"},
        {&AffcPage::GroupBoxAFFC_TD, &AffcPage::EditAFFC_TD, "GroupBoxAFFC_TD", "EditAFFC_TD", "Сход",
         "Время линейного убывания амплитуды сигнала", "1", "с"},
    };
    int left = 478;
    for (const EditBoxLayout& e : edits) {
        ui::GroupBox* box = page.Add<ui::GroupBox>(e.boxName, left, kBoxTop, kEditBoxWidth, kBoxHeight);
        box->SetCaption(e.caption);
        box->SetHint(e.hint);
        const int editWidth = e.unit != nullptr ? kEditBoxWidth - 14 : kEditBoxWidth - 4;
        ui::Edit* edit = box->Add<ui::Edit>(e.editName, 2, kInnerTop, editWidth, 21);
        edit->SetText(e.text);
        edit->SetColor(ui::clWhite);
        if (e.unit != nullptr) {
            box->Add<ui::Label>(std::string("LabelUnit") + e.editName, editWidth + 2, kInnerTop + 4, 12, 13)
                ->SetCaption(e.unit);
        }
        this->*e.box = box;
        this->*e.edit = edit;
        left += kEditBoxWidth;
    }
}
