#include "window/pages/RadioPair.h"

std::tuple<ui::GroupBox*, ui::RadioButton*, ui::RadioButton*> AddRadioPair(ui::TabSheet& page,
                                                                           const RadioPairLayout& layout) {
    ui::GroupBox* box = page.Add<ui::GroupBox>(layout.box, layout.left, 0, layout.width, 40);
    box->SetCaption(layout.caption);
    const int buttonWidth = (layout.width - 4) / 2;
    ui::RadioButton* radios[2];
    for (int i = 0; i < 2; ++i) {
        radios[i] = box->Add<ui::RadioButton>(layout.names[i], 4 + buttonWidth * i, 16, buttonWidth, 17);
        radios[i]->SetCaption(layout.captions[i]);
        radios[i]->SetChecked(i == layout.chosen);
        radios[i]->SetFontColor(i == layout.chosen ? ui::clGreen : ui::clRed);
    }
    return {box, radios[0], radios[1]};
}

bool ChooseInPair(ui::RadioButton* chosen, ui::RadioButton* partner) {
    if (chosen->Font().Color != ui::clRed) return false;
    chosen->SetFontColor(ui::clGreen);
    partner->SetFontColor(ui::clRed);
    return true;
}
