#include <tuple>

#include "window/Form.h"
#include "window/pages/RadioPair.h"

namespace {

constexpr int kEditBoxWidth = 50;
// The view buttons' exclusive group on the page.
constexpr int kViewGroup = 3;

} // namespace

void TForma::CreatePowerPage() {
    SpeedButtonPower = TabSheetPower->Add<ui::SpeedButton>("SpeedButtonPower", 2, 8, 76, 25);
    SpeedButtonPower->SetCaption("МОЩНОСТЬ");
    SpeedButtonPower->SetHint("Рассчитать активную мощность и другие параметры");
    SpeedButtonPower->OnClick = Handler(&TForma::SpeedButtonPowerClick);

    // Phase voltages are the start choice.
    std::tie(GroupBoxUtype, RadioButtonUlin, RadioButtonUfaz) =
        AddRadioPair(*TabSheetPower, {"GroupBoxUtype", " Напр.", 82, {"RadioButtonUlin", "RadioButtonUfaz"},
                                      {"Лин", "Фаз"}, 1, 84});
    RadioButtonUlin->SetHint("Записаны линейные напряжения :  Uab, Ubc, Uca");
    RadioButtonUfaz->SetHint("Записаны фазные напряжения :  Ua, Ub, Uc");
    // Bound after the initial choice so that setting it up runs no handler.
    RadioButtonUlin->OnClick = Handler(&TForma::RadioButtonUlinClick);
    RadioButtonUfaz->OnClick = Handler(&TForma::RadioButtonUfazClick);

    // Sensor coefficients: amperes, volts and N·m per volt at the module's input; the PWM
    // frequency is noted for the operator only; the mains frequency sets the sequence window.
    struct EditDescription {
        ui::GroupBox* PowerPage::*box;
        ui::MaskEdit* PowerPage::*edit;
        const char* boxName;
        const char* caption;
        const char* editName;
        const char* text;
        const char* hint;
    };
    const EditDescription edits[] = {
        {&PowerPage::GroupBoxKI, &PowerPage::EditKI, "GroupBoxKI", "  Ток  ", "EditKI", "10", ""},
        {&PowerPage::GroupBoxKU, &PowerPage::EditKU, "GroupBoxKU", " Напр.", "EditKU", "100", ""},
        {&PowerPage::GroupBoxKM, &PowerPage::EditKM, "GroupBoxKM", " Мом ", "EditKM", "5", ""},
        {&PowerPage::GroupBoxKH, &PowerPage::EditKH, "GroupBoxKH", " ШИМ ", "EditKH", "2400",
         "Частота ШИМ, Гц  ( 0 - если неизвестна )"},
        {&PowerPage::GroupBoxHz, &PowerPage::EditHz, "GroupBoxHz", " Част.", "EditHz", "50", ""},
    };
    int left = 170;
    for (const auto& e : edits) {
        ui::GroupBox* box = TabSheetPower->Add<ui::GroupBox>(e.boxName, left, 0, kEditBoxWidth, 40);
        box->SetCaption(e.caption);
        ui::MaskEdit* edit = box->Add<ui::MaskEdit>(e.editName, 4, 15, kEditBoxWidth - 8, 21);
        edit->SetText(e.text);
        edit->SetHint(e.hint);
        this->*e.box = box;
        this->*e.edit = edit;
        left += kEditBoxWidth + 2;
    }

    // The averaging interval, bound after its start position.
    TrackBarRound = TabSheetPower->Add<ui::TrackBar>("TrackBarRound", left, 0, 84, 26);
    TrackBarRound->SetRange(1, static_cast<int>(kAveragingIntervals.size()));
    TrackBarRound->SetPosition(5);
    TrackBarRound->OnChange = Handler(&TForma::TrackBarRoundChange);
    LabelRound = TabSheetPower->Add<ui::Label>("LabelRound", left + 18, 26, 48, 13);
    LabelRound->SetCaption(kAveragingIntervals[4].caption);
    left += 88;

    struct ViewDescription {
        ui::SpeedButton* PowerPage::*button;
        const char* name;
        const char* caption;
        void (TForma::*click)(ui::Control*);
        bool enabled;
    };
    // Results views open once the computation has filled them; nothing fills the phase voltages.
    const ViewDescription views[] = {
        {&PowerPage::SpeedButtonVisDan, "SpeedButtonVisDan", "Дан.", &TForma::SpeedButtonVisDanClick, true},
        {&PowerPage::SpeedButtonVisI, "SpeedButtonVisI", "I", &TForma::SpeedButtonVisIClick, true},
        {&PowerPage::SpeedButtonVisU, "SpeedButtonVisU", "U", &TForma::SpeedButtonVisUClick, true},
        {&PowerPage::SpeedButtonVisPact, "SpeedButtonVisPact", "А", &TForma::SpeedButtonVisPactClick, false},
        {&PowerPage::SpeedButtonVisMoment, "SpeedButtonVisMoment", "М", &TForma::SpeedButtonVisMomentClick, false},
        {&PowerPage::SpeedButtonVisSpeed, "SpeedButtonVisSpeed", "С", &TForma::SpeedButtonVisSpeedClick, false},
        {&PowerPage::SpeedButtonVisPosl, "SpeedButtonVisPosl", "П", &TForma::SpeedButtonVisPoslClick, false},
        {&PowerPage::SpeedButtonVisUfaz, "SpeedButtonVisUfaz", "Ф", &TForma::SpeedButtonVisUfazClick, false},
    };
    for (const auto& v : views) {
        ui::SpeedButton* button = TabSheetPower->Add<ui::SpeedButton>(v.name, left, 8, 28, 25);
        button->SetCaption(v.caption);
        button->SetGroupIndex(kViewGroup);
        button->SetEnabled(v.enabled);
        button->OnClick = Handler(v.click);
        this->*v.button = button;
        left += button->Width() + 1;
    }
    SpeedButtonVisDan->SetDown(true);
}
