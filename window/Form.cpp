#include "window/Form.h"

#include <string>

TForma* Forma = nullptr;

namespace {

// Client area of the 1024 x 700 window.
constexpr int kClientWidth = 1016;
constexpr int kClientHeight = 673;
constexpr int kTopPanelHeight = 69;
constexpr int kChannelPanelWidth = 50;
constexpr int kStatusBarHeight = 19;
constexpr int kMiddleHeight = kClientHeight - kTopPanelHeight - kStatusBarHeight;
constexpr int kPageControlLeft = 246;
constexpr int kPageWidth = kClientWidth - kPageControlLeft - 8;
constexpr int kPageHeight = kTopPanelHeight - 28;

constexpr std::array<ui::TColor, 8> kSeriesColours = {
    ui::clBlack, ui::clRed, ui::clGreen, ui::clBlue, ui::clFuchsia, ui::clMaroon, ui::clAqua, ui::clOlive};

struct PageDescription {
    ui::TabSheet* TForma::*sheet;
    const char* name;
    const char* caption;
    const char* hint;
};

constexpr PageDescription kPages[] = {
    {&TForma::TabSheetADC, "TabSheetADC", "Сбор данных", "Страничка работы со сбором данных"},
    {&TForma::TabSheetAFFC, "TabSheetAFFC", "АЧХ и ФЧХ", "Страничка работы с АЧХ и ФЧХ"},
    {&TForma::TabSheetBalance, "TabSheetBalance", "Балансировка", ""},
    {&TForma::TabSheetPower, "TabSheetPower", "Мощность", "Страничка работы с Приводами"},
    {&TForma::TabSheetShem, "TabSheetShem", "ДШК ШЭМ", "Страничка работы с Датчиком Шагового Контроля"},
    {&TForma::TabSheetFurie, "TabSheetFurie", "Обработка данных", "Страничка обработки данных"},
    {&TForma::TabSheetMetrolog, "TabSheetMetrolog", "Метрология", "Страничка метрологической поверки модуля Quev"},
    {&TForma::TabSheetMemo, "TabSheetMemo", "Статистика работы", "Страничка вывода текущих сообщений"},
};

template <class T>
T* WithHint(T* control, const char* hint) {
    control->SetHint(hint);
    return control;
}

} // namespace

TForma::TForma() {
    SetCaption("  ДОРВАЛИН   в.1.02");
    SetBounds(0, 0, 1024, 700);
    SetPosition(ui::FormPosition::ScreenCenter);
    SetHelpFile("help.hlp");
    SetHelpContext(1);

    CreateTopPanel();
    CreatePages();
    CreateStatusBar();
    CreateChannelPanel();
    CreateChart();
    CreateDialogs();
}

TForma::~TForma() = default;

void TForma::CreateTopPanel() {
    PanelLOptions = Add<ui::Panel>("PanelLOptions", 0, 0, kClientWidth, kTopPanelHeight);
    PanelLOptions->SetAlign(ui::Align::Top);
    SpeedButtonOpen = WithHint(PanelLOptions->Add<ui::SpeedButton>("SpeedButtonOpen", 4, 14, 40, 40), "Открыть файл");
    SpeedButtonSave = WithHint(PanelLOptions->Add<ui::SpeedButton>("SpeedButtonSave", 46, 14, 40, 40), "Сохранить файл");
    SpeedButtonOpen->OnClick = Handler(&TForma::SpeedButtonOpenClick);
    SpeedButtonSave->OnClick = Handler(&TForma::SpeedButtonSaveClick);
    SpeedButtonChartToBuffer = WithHint(
        PanelLOptions->Add<ui::SpeedButton>("SpeedButtonChartToBuffer", 88, 14, 40, 40),
        "Копировать график в буфер Windows");
    SpeedButtonChartToBuffer->OnClick = Handler(&TForma::SpeedButtonChartToBufferClick);

    GroupBoxQuev = WithHint(PanelLOptions->Add<ui::GroupBox>("GroupBoxQuev", 134, 2, 108, 63),
                            "Панель подключения модуля АЦП/ЦАП");
    GroupBoxQuev->SetCaption(" АЦП,  ЦАП ");
    ShapeADC = WithHint(GroupBoxQuev->Add<ui::Shape>("ShapeADC", 10, 26, 20, 20), "Модуль АЦП не подключен");
    ShapeDAC = WithHint(GroupBoxQuev->Add<ui::Shape>("ShapeDAC", 36, 26, 20, 20), "Интегрированный ЦАП не обнаружен");
    for (ui::Shape* lamp : {ShapeADC, ShapeDAC}) {
        lamp->SetType(ui::ShapeType::Circle);
        lamp->SetPenWidth(2);
        lamp->SetColor(ui::clRed);
    }
    SpeedButtonQuev = WithHint(GroupBoxQuev->Add<ui::SpeedButton>("SpeedButtonQuev", 62, 16, 40, 40),
                               "Проверка подключения модулей АЦП/ЦАП");
    SpeedButtonQuev->OnClick = Handler(&TForma::SpeedButtonQuevClick);
}

void TForma::CreatePages() {
    PageControl = WithHint(PanelLOptions->Add<ui::PageControl>("PageControl", kPageControlLeft, 0,
                                                                 kClientWidth - kPageControlLeft, kTopPanelHeight),
                           "Панель состояния работы программы");
    for (const auto& page : kPages) {
        ui::TabSheet* sheet = PageControl->Add<ui::TabSheet>(page.name, 4, 24, kPageWidth, kPageHeight);
        sheet->SetCaption(page.caption);
        sheet->SetHint(page.hint);
        this->*page.sheet = sheet;
    }
    PageControl->SetActivePage(TabSheetADC);

    CreateAdcPage();
    CreateAffcPage();
    CreateBalancePage();
    CreatePowerPage();
    CreateShemPage();
    CreateFuriePage();
    CreateMetrologPage();
    CreateMemoPage();
}

void TForma::CreateMemoPage() {
    PanelTiming = TabSheetMemo->Add<ui::Panel>("PanelTiming", 0, 0, 24, kPageHeight);
    PanelTiming->SetAlign(ui::Align::Left);
    SpeedButtonTiming = WithHint(PanelTiming->Add<ui::SpeedButton>("SpeedButtonTiming", 1, 8, 22, 22),
                                 "Показать тайминги работы модуля АЦП");
    SpeedButtonTiming->SetCaption("T");
    SpeedButtonTiming->SetFont({.Name = "MS Sans Serif", .Size = 8, .Color = ui::clNavy, .Bold = true});
    SpeedButtonTiming->SetGroupIndex(6);
    SpeedButtonTiming->SetAllowAllUp(false);
    SpeedButtonTiming->OnClick = Handler(&TForma::SpeedButtonTimingClick);

    Memo = TabSheetMemo->Add<ui::Memo>("Memo", 24, 0, kPageWidth - 24, kPageHeight);
    Memo->SetAlign(ui::Align::Client);
    Memo->SetColor(ui::clWhite);
}

void TForma::CreateChannelPanel() {
    PanelChannel = Add<ui::Panel>("PanelChannel", 0, kTopPanelHeight, kChannelPanelWidth, kMiddleHeight);
    PanelChannel->SetAlign(ui::Align::Left);

    CheckBoxTitle = WithHint(PanelChannel->Add<ui::CheckBox>("CheckBoxTitle", 2, 2, 46, 17), "Титульная страничка на графике");
    CheckBoxTitle->SetCaption("Титл");
    CheckBoxTitle->SetChecked(true);
    CheckBoxTitle->OnClick = Handler(&TForma::CheckBoxTitleClick);
    CheckBoxZnach = WithHint(PanelChannel->Add<ui::CheckBox>("CheckBoxZnach", 2, 20, 46, 17),
                             "Средние арифметические значения графиков");
    CheckBoxZnach->SetCaption("Знач");
    CheckBoxZnach->OnClick = Handler(&TForma::CheckBoxZnachClick);

    struct FontEdit {
        ui::Label* TForma::*label;
        const char* labelName;
        const char* labelCaption;
        ui::Edit* TForma::*edit;
        const char* editName;
        const char* text;
        const char* hint;
        void (TForma::*exit)(ui::Control*);
    };
    const FontEdit fontEdits[] = {
        {&TForma::LabelT, "LabelT", "T:", &TForma::EditFT, "EditFT", "10", "Размер шрифта заголовка", &TForma::EditFTExit},
        {&TForma::Label1, "Label1", "X:", &TForma::EditFX, "EditFX", "8", "Размер шрифта по оси X", &TForma::EditFXExit},
        {&TForma::Label2, "Label2", "Y:", &TForma::EditFY, "EditFY", "8", "Размер шрифта по оси Y", &TForma::EditFYExit},
    };
    int top = 40;
    for (const auto& f : fontEdits) {
        ui::Label* label = PanelChannel->Add<ui::Label>(f.labelName, 3, top + 3, 12, 13);
        label->SetCaption(f.labelCaption);
        this->*f.label = label;
        ui::Edit* edit = WithHint(PanelChannel->Add<ui::Edit>(f.editName, 17, top, 30, 21), f.hint);
        edit->SetColor(ui::clWhite);
        edit->SetText(f.text);
        edit->OnExit = Handler(f.exit);
        this->*f.edit = edit;
        top += 23;
    }

    ui::Label** labelC[] = {&LabelC1, &LabelC2, &LabelC3, &LabelC4, &LabelC5, &LabelC6, &LabelC7, &LabelC8,
                            &LabelC9, &LabelC10, &LabelC11, &LabelC12, &LabelC13, &LabelC14, &LabelC15, &LabelC16};
    ui::CheckBox** channel[] = {&Channel1, &Channel2, &Channel3, &Channel4, &Channel5, &Channel6,
                                &Channel7, &Channel8, &Channel9, &Channel10, &Channel11, &Channel12,
                                &Channel13, &Channel14, &Channel15, &Channel16};
    constexpr int kFirstRow = 112;
    constexpr int kRowStep = 16;
    for (int i = 0; i < kSeriesCount; ++i) {
        const std::string number = std::to_string(i + 1);
        const int rowTop = kFirstRow + i * kRowStep;
        // The shadow goes first so that the colour label lies on top of it.
        ui::Label* shadow = PanelChannel->Add<ui::Label>("LabelG" + number, 3, rowTop - 5, 8, 24);
        shadow->SetCaption("*");
        shadow->SetFont({.Name = "MS Sans Serif", .Size = 14, .Color = ui::clGray, .Bold = true});
        ui::Label* colour = PanelChannel->Add<ui::Label>("LabelC" + number, 2, rowTop - 6, 8, 24);
        colour->SetCaption("*");
        colour->SetFont({.Name = "MS Sans Serif", .Size = 14, .Color = kSeriesColours[i % 8], .Bold = true});
        colour->OnClick = [this, n = i + 1](ui::Control*) { LabelCClick(n); };
        ui::CheckBox* box = PanelChannel->Add<ui::CheckBox>("Channel" + number, 13, rowTop, 35, 16);
        box->SetCaption(number);
        box->SetChecked(true);
        box->OnClick = [this, n = i + 1](ui::Control*) { ChannelClick(n); };
        LabelG[i] = shadow;
        LabelC[i] = *labelC[i] = colour;
        Channel[i] = *channel[i] = box;
    }

    const int belowRows = kFirstRow + kSeriesCount * kRowStep + 4;
    CheckBoxD3D = PanelChannel->Add<ui::CheckBox>("CheckBoxD3D", 2, belowRows, 46, 17);
    CheckBoxD3D->SetCaption("D3D");
    CheckBoxD3D->SetVisible(false);
    CheckBoxD3D->OnClick = Handler(&TForma::CheckBoxTitleClick);
    SpeedButtonSost = PanelChannel->Add<ui::SpeedButton>("SpeedButtonSost", 2, belowRows + 20, 23, 22);
    SpeedButtonSost->SetCaption("S");
    SpeedButtonSost->SetVisible(false);
    SpeedButtonSost->OnClick = Handler(&TForma::SpeedButtonSostClick);
}

void TForma::CreateChart() {
    PanelChart = Add<ui::Panel>("PanelChart", kChannelPanelWidth, kTopPanelHeight,
                                kClientWidth - kChannelPanelWidth, kMiddleHeight);
    PanelChart->SetAlign(ui::Align::Client);
    Chart = PanelChart->Add<ui::Chart>("Chart", 0, 0, PanelChart->Width(), PanelChart->Height());
    Chart->SetAlign(ui::Align::Client);
    Chart->SetColor(ui::clWhite);
    Chart->SetTitleText("");
    Chart->SetTitleFont({.Name = "MS Sans Serif", .Size = 10, .Color = ui::clBlack, .Bold = false});
    Chart->SetTitleVisible(true);
    Chart->SetLegendVisible(false);
    Chart->BottomAxis().SetLabelFontSize(8);
    Chart->LeftAxis().SetLabelFontSize(8);
    Chart->OnZoom = Handler(&TForma::ChartZoom);
    Chart->OnScroll = Handler(&TForma::ChartZoom);
    Chart->OnUndoZoom = Handler(&TForma::ChartUndoZoom);

    ui::Series** named[] = {&Series1, &Series2, &Series3, &Series4, &Series5, &Series6, &Series7, &Series8,
                            &Series9, &Series10, &Series11, &Series12, &Series13, &Series14, &Series15, &Series16};
    for (int i = 0; i < kSeriesCount; ++i) {
        ui::Series* series = Chart->AddSeries();
        series->SetTitle("Series" + std::to_string(i + 1));
        series->SetColor(kSeriesColours[i % 8]);
        Series[i] = *named[i] = series;
    }
}

void TForma::CreateStatusBar() {
    StatusBar = Add<ui::StatusBar>("StatusBar", 0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
    StatusBar->SetAlign(ui::Align::Bottom);
    StatusBar->AddPanel({"Версия ОС :  ", 200, ui::Alignment::Center});
    StatusBar->AddPanel({"Свободно ОЗУ :  ", 250, ui::Alignment::Center});
    StatusBar->AddPanel({"Свободно ПЗУ ( C:/ ) :  ", 200, ui::Alignment::Center});
}

void TForma::CreateDialogs() {
    openDialog_ = std::make_unique<ui::OpenDialog>();
    saveDialog_ = std::make_unique<ui::SaveDialog>();
    colorDialog_ = std::make_unique<ui::ColorDialog>();
    for (ui::FileDialog* dialog : {static_cast<ui::FileDialog*>(openDialog_.get()),
                                   static_cast<ui::FileDialog*>(saveDialog_.get())}) {
        dialog->DefaultExt = "*.asc";
        dialog->Filter = kDataFileFilter;
        dialog->FilterIndex = 1;
    }
    OpenDialog = openDialog_.get();
    SaveDialog = saveDialog_.get();
    ColorDialog = colorDialog_.get();
}
