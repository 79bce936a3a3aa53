#include "window/Form.h"

void TForma::CreateBalancePage() {
    SpeedButtonBRun = TabSheetBalance->Add<ui::SpeedButton>("SpeedButtonBRun", 2, 8, 30, 25);
    SpeedButtonBRun->SetHint("Запуск сбора данных");
    SpeedButtonBRun->SetGroupIndex(1);
    SpeedButtonBRun->SetAllowAllUp(true);
    SpeedButtonBRun->OnClick = Handler(&TForma::SpeedButtonBRunClick);

    // Gain of the plane channels; no choice until the settings file restores one.
    GroupBoxBKoef = TabSheetBalance->Add<ui::GroupBox>("GroupBoxBKoef", 36, 0, 58, 40);
    GroupBoxBKoef->SetCaption(" Усил. ");
    GroupBoxBKoef->SetHint("Усиление сигналов ускорения в АЦП");
    ComboBoxBKoef = GroupBoxBKoef->Add<ui::ComboBox>("ComboBoxBKoef", 4, 15, 50, 21);
    ComboBoxBKoef->Items().Assign({"нет", "  4 ", " 16 ", " 64 "});
    // Shares the range box's handler: a running real-time acquisition sets the module up again.
    ComboBoxBKoef->OnChange = Handler(&TForma::ComboBoxKChange);

    SpeedButtonBalance = TabSheetBalance->Add<ui::SpeedButton>("SpeedButtonBalance", 98, 8, 56, 25);
    SpeedButtonBalance->SetCaption("БАЛАНС");
    SpeedButtonBalance->OnClick = Handler(&TForma::SpeedButtonBalanceClick);

    struct EditDescription {
        ui::GroupBox* BalancePage::*box;
        const char* boxName;
        const char* caption;
        const char* hint;
        ui::Edit* BalancePage::*edit;
        const char* editName;
        const char* text;
        int width;
    };
    const EditDescription edits[] = {
        {&BalancePage::GroupBoxBBegin, "GroupBoxBBegin", " Начало ", "Начальное данное для расчёта дисбаланса",
         &BalancePage::EditBBegin, "EditBBegin", "500000", 64},
        {&BalancePage::GroupBoxBKol, "GroupBoxBKol", " Кол-во ", "", &BalancePage::EditBKol, "EditBKol", "100000", 64},
        {&BalancePage::GroupBoxBAmpl, "GroupBoxBAmpl", "  Ампл. ", "", &BalancePage::EditBAmpl, "EditBAmpl", "806.3", 56},
        {&BalancePage::GroupBoxBFaza, "GroupBoxBFaza", "  Фаза  ", "", &BalancePage::EditBFaza, "EditBFaza", "177.6", 56},
    };
    int left = 158;
    for (const auto& e : edits) {
        ui::GroupBox* box = TabSheetBalance->Add<ui::GroupBox>(e.boxName, left, 0, e.width, 40);
        box->SetCaption(e.caption);
        box->SetHint(e.hint);
        ui::Edit* edit = box->Add<ui::Edit>(e.editName, 4, 15, e.width - 8, 21);
        edit->SetText(e.text);
        this->*e.box = box;
        this->*e.edit = edit;
        left += e.width + 2;
    }

    MemoB = TabSheetBalance->Add<ui::Memo>("MemoB", left + 2, 0, 760 - left, 41);
    MemoB->SetColor(ui::clWhite);
}
