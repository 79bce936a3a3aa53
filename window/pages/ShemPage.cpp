#include "window/Form.h"

namespace {

constexpr int kBigButton = 40;
constexpr int kSmallButton = 25;

// A group box holding one switch that starts off: caption "Выкл".
ui::CheckBox* AddSwitch(ui::TabSheet& page, ui::GroupBox*& box, const char* boxName, const char* caption,
                        const char* hint, const char* switchName, int left) {
    box = page.Add<ui::GroupBox>(boxName, left, 0, 60, 40);
    box->SetCaption(caption);
    box->SetHint(hint);
    ui::CheckBox* check = box->Add<ui::CheckBox>(switchName, 6, 17, 50, 17);
    check->SetCaption("Выкл");
    return check;
}

} // namespace

void TForma::CreateShemPage() {
    struct BigButton {
        ui::SpeedButton* ShemPage::*button;
        const char* name;
        const char* hint;
        void (TForma::*click)(ui::Control*);
    };
    const BigButton bigButtons[] = {
        {&ShemPage::SpeedButtonSRecord, "SpeedButtonSRecord", "Имитация работы микроконтроллера",
         &TForma::SpeedButtonSRecordClick},
        {&ShemPage::SpeedButtonSPlay, "SpeedButtonSPlay", "Имитация работы ШЭМ с автоконтролем",
         &TForma::SpeedButtonSPlayClick},
        {&ShemPage::SpeedButtonSShow, "SpeedButtonSShow", "Демонстрационное проигрывание",
         &TForma::SpeedButtonSShowClick},
        {&ShemPage::SpeedButtonSPause, "SpeedButtonSPause", "Пауза", &TForma::SpeedButtonSPauseClick},
    };
    int left = 2;
    for (const auto& b : bigButtons) {
        ui::SpeedButton* button = TabSheetShem->Add<ui::SpeedButton>(b.name, left, 0, kBigButton, kBigButton);
        button->SetHint(b.hint);
        button->OnClick = Handler(b.click);
        this->*b.button = button;
        left += kBigButton + 2;
    }
    SpeedButtonSPlay->SetGroupIndex(4);
    SpeedButtonSPlay->SetAllowAllUp(true);

    CheckBoxSFilter = AddSwitch(*TabSheetShem, GroupBoxSFilter, "GroupBoxSFilter", "Фильтр", "Программный фильтр",
                                "CheckBoxSFilter", 174);
    CheckBoxSFilter->OnClick = Handler(&TForma::CheckBoxSFilterClick);
    CheckBoxSControl = AddSwitch(*TabSheetShem, GroupBoxSControl, "GroupBoxSControl", " Контр. ",
                                 "Контроль данных с аппаратного фильтра", "CheckBoxSControl", 238);
    CheckBoxSControl->OnClick = Handler(&TForma::CheckBoxSControlClick);

    GroupBoxBufDAC = TabSheetShem->Add<ui::GroupBox>("GroupBoxBufDAC", 302, 0, 154, 40);
    GroupBoxBufDAC->SetCaption(" Данные ШЭМ ");
    GroupBoxBufDAC->SetHint("Данные для имитации работы ШЭМ");
    ComboBoxKadrs = GroupBoxBufDAC->Add<ui::ComboBox>("ComboBoxKadrs", 4, 15, 64, 21);
    ComboBoxKadrs->SetEnabled(false);
    struct SmallButton {
        ui::SpeedButton* ShemPage::*button;
        const char* name;
        const char* hint;
        void (TForma::*click)(ui::Control*);
    };
    const SmallButton smallButtons[] = {
        {&ShemPage::SpeedButtonEnter, "SpeedButtonEnter", "Занести в буфер ЦАП", &TForma::SpeedButtonEnterClick},
        {&ShemPage::SpeedButtonSpace, "SpeedButtonSpace", "Добавить пробел в буфер ЦАП",
         &TForma::SpeedButtonSpaceClick},
        {&ShemPage::SpeedButtonDelete, "SpeedButtonDelete", "Очистить буфер ЦАП", &TForma::SpeedButtonDeleteClick},
    };
    left = 70;
    for (const auto& b : smallButtons) {
        ui::SpeedButton* button = GroupBoxBufDAC->Add<ui::SpeedButton>(b.name, left, 13, kSmallButton, kSmallButton);
        button->SetHint(b.hint);
        button->SetEnabled(false);
        button->OnClick = Handler(b.click);
        this->*b.button = button;
        left += kSmallButton + 2;
    }

    // Two rows of three: voltages over currents; only the two traction voltages are offered.
    struct SignalBox {
        ui::CheckBox* ShemPage::*box;
        const char* name;
        const char* caption;
        bool offered;
    };
    const SignalBox signalBoxes[] = {
        {&ShemPage::CheckBoxUtm, "CheckBoxUtm", "U тян", true},
        {&ShemPage::CheckBoxUzm, "CheckBoxUzm", "U зап", true},
        {&ShemPage::CheckBoxUfm, "CheckBoxUfm", "U фик", false},
        {&ShemPage::CheckBoxItmm, "CheckBoxItmm", "I тян", false},
        {&ShemPage::CheckBoxIzm, "CheckBoxIzm", "I зап", false},
        {&ShemPage::CheckBoxIfm, "CheckBoxIfm", "I фик", false},
    };
    for (int i = 0; i < 6; ++i) {
        const auto& s = signalBoxes[i];
        ui::CheckBox* box = TabSheetShem->Add<ui::CheckBox>(s.name, 462 + 62 * (i % 3), 2 + 19 * (i / 3), 60, 17);
        box->SetCaption(s.caption);
        box->SetChecked(s.offered);
        box->SetEnabled(s.offered);
        // Bound after the initial state so that setting it up runs no handler.
        box->OnClick = Handler(&TForma::Channel1Click);
        this->*s.box = box;
    }
}
