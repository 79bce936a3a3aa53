// The options dialog: its controls, and the tools that act on the main window's chart (fixed
// axis ranges, font sizes). The values at a point are in OptionsPoint.cpp.

#include "platform/Numbers.h"
#include "settings/Options.h"
#include "window/Form.h"

OptionsPrivateGroup OptionsPrivate;

namespace {

// Window size for a client area of 400 x 416: the frame and caption bar come on top.
constexpr int kWindowWidth = 400 + 8;
constexpr int kWindowHeight = 416 + 27;

struct EditDescription {
    ui::Edit* TOption::*edit;
    const char* name;
    int left, top, width;
    const char* text;
    const char* hint;
};

struct LabelDescription {
    const char* name;
    int left, top, width;
    const char* caption;
};

void AddEdits(TOption& form, ui::Control& parent, std::initializer_list<EditDescription> edits) {
    for (const EditDescription& e : edits) {
        ui::Edit* edit = parent.Add<ui::Edit>(e.name, e.left, e.top, e.width, 21);
        edit->SetText(e.text);
        edit->SetHint(e.hint);
        edit->SetColor(ui::clWhite);
        form.*e.edit = edit;
    }
}

void AddLabels(ui::Control& parent, std::initializer_list<LabelDescription> labels) {
    for (const LabelDescription& l : labels) {
        parent.Add<ui::Label>(l.name, l.left, l.top, l.width, 13)->SetCaption(l.caption);
    }
}

ui::SpeedButton* AddButton(ui::Control& parent, const char* name, int left, int top, int width,
                           const char* caption, const char* hint) {
    ui::SpeedButton* button = parent.Add<ui::SpeedButton>(name, left, top, width, 25);
    button->SetCaption(caption);
    button->SetHint(hint);
    return button;
}

// Both limits are read before the axis changes, so a text that is no number leaves it as it was.
void FixAxisRange(ui::Axis& axis, const ui::Edit& minimumText, const ui::Edit& maximumText, double& minimum,
                  double& maximum) {
    minimum = platform::TypedStrToFloat(minimumText.Text());
    maximum = platform::TypedStrToFloat(maximumText.Text());
    axis.SetAutomatic(false);
    axis.SetMinimum(minimum);
    axis.SetMaximum(maximum);
}

}  // namespace

void TOption::CreateDialogControls() {
    SetCaption("                 Дополнительные настройки и опции");
    SetBounds(0, 0, kWindowWidth, kWindowHeight);
    SetPosition(ui::FormPosition::ScreenCenter);
    SetBorderStyle(ui::FormBorderStyle::Dialog);

    GroupBoxChart = Add<ui::GroupBox>("GroupBoxChart", 4, 2, 392, 102);
    GroupBoxChart->SetCaption(" Регулировка графика ");
    AddLabels(*GroupBoxChart, {{"LabelCl", 8, 22, 86, "По ширине :  c"},
                               {"LabelClTo", 174, 22, 18, "по"},
                               {"LabelCh", 8, 48, 86, "По высоте :  c"},
                               {"LabelChTo", 174, 48, 18, "по"}});
    AddEdits(*this, *GroupBoxChart,
             {{&TOption::EditCl0, "EditCl0", 96, 18, 72, "0", ""},
              {&TOption::EditCl1, "EditCl1", 196, 18, 72, "0", ""},
              {&TOption::EditCh0, "EditCh0", 96, 44, 72, "0", ""},
              {&TOption::EditCh1, "EditCh1", 196, 44, 72, "0", ""},
              {&TOption::EditFT, "EditFT", 8, 72, 36, "10", "Размер шрифта заголовка"},
              {&TOption::EditFX, "EditFX", 48, 72, 36, "8", "Размер шрифта по оси X"},
              {&TOption::EditFY, "EditFY", 88, 72, 36, "8", "Размер шрифта по оси Y"},
              {&TOption::EditXM, "EditXM", 160, 72, 52, "60", "Масштабный коэффициент по оси X, количество секунд"},
              {&TOption::EditXE, "EditXE", 216, 72, 52, "мин", "Единицы измерения по оси X"},
              {&TOption::EditYM, "EditYM", 272, 72, 52, "0.1", "Масштабный коэффициент по оси Y, количество миливольт"},
              {&TOption::EditYE, "EditYE", 328, 72, 56, "м/с^2", "Единицы измерения по оси Y"}});
    SpeedButtonCl = AddButton(*GroupBoxChart, "SpeedButtonCl", 276, 16, 25, "L", "Изменить размер графика по ширине");
    SpeedButtonCh = AddButton(*GroupBoxChart, "SpeedButtonCh", 276, 42, 25, "H", "Изменить размер графика по высоте");

    GroupBoxIntegral = Add<ui::GroupBox>("GroupBoxIntegral", 4, 108, 392, 128);
    GroupBoxIntegral->SetCaption(" Вычисление интеграла ");
    AddEdits(*this, *GroupBoxIntegral,
             {{&TOption::EditBeg, "EditBeg", 8, 18, 56, "0", ""},
              {&TOption::EditEnd, "EditEnd", 68, 18, 56, "1000", ""},
              {&TOption::EditLevel, "EditLevel", 128, 18, 56, "0", ""},
              {&TOption::EditChange, "EditChange", 188, 18, 56, "0", ""},
              {&TOption::EditKoef, "EditKoef", 248, 18, 56, "1", ""}});
    // Its click starts nothing: the integral has no working button.
    SpeedButtonInt = AddButton(*GroupBoxIntegral, "SpeedButtonInt", 308, 16, 76, "ИНТЕГРАЛ", "");
    MemoInt = GroupBoxIntegral->Add<ui::Memo>("MemoInt", 8, 44, 376, 76);
    MemoInt->SetColor(ui::clWhite);

    GroupBoxZ = Add<ui::GroupBox>("GroupBoxZ", 4, 240, 392, 172);
    GroupBoxZ->SetCaption(" Вычисление значений в точке ");
    AddLabels(*GroupBoxZ, {{"LabelZ", 8, 22, 62, "Значение :"}, {"LabelZUnit", 198, 22, 24, "шт"}});
    AddEdits(*this, *GroupBoxZ, {{&TOption::EditZ, "EditZ", 72, 18, 120, "0", ""}});
    MemoZ = GroupBoxZ->Add<ui::Memo>("MemoZ", 8, 44, 376, 120);
    MemoZ->SetColor(ui::clWhite);

    // Bound after the initial texts, so that setting them up runs nothing.
    const auto bind = [this](void (TOption::*method)(ui::Control*)) {
        return [this, method](ui::Control* sender) { (this->*method)(sender); };
    };
    EditZ->OnChange = bind(&TOption::EditZChange);
    SpeedButtonCl->OnClick = bind(&TOption::SpeedButtonClClick);
    SpeedButtonCh->OnClick = bind(&TOption::SpeedButtonChClick);
    EditFT->OnExit = bind(&TOption::EditFTExit);
    EditFX->OnExit = bind(&TOption::EditFXExit);
    EditFY->OnExit = bind(&TOption::EditFYExit);
}

void TOption::SpeedButtonClClick(ui::Control*) {
    if (Forma == nullptr) return;
    FixAxisRange(Forma->Chart->BottomAxis(), *EditCl0, *EditCl1, OptionsPrivate.BottomAxisMin,
                 OptionsPrivate.BottomAxisMax);
}

void TOption::SpeedButtonChClick(ui::Control*) {
    if (Forma == nullptr) return;
    FixAxisRange(Forma->Chart->LeftAxis(), *EditCh0, *EditCh1, OptionsPrivate.LeftAxisMin,
                 OptionsPrivate.LeftAxisMax);
}

// A text that is not an integer raises the conversion error before the font changes.
void TOption::EditFTExit(ui::Control*) {
    if (Forma != nullptr) Forma->Chart->SetTitleFontSize(platform::StrToInt(EditFT->Text()));
}

void TOption::EditFXExit(ui::Control*) {
    if (Forma != nullptr) Forma->Chart->BottomAxis().SetLabelFontSize(platform::StrToInt(EditFX->Text()));
}

void TOption::EditFYExit(ui::Control*) {
    if (Forma != nullptr) Forma->Chart->LeftAxis().SetLabelFontSize(platform::StrToInt(EditFY->Text()));
}
