#include "window/Form.h"

void TForma::CreateAffcPage() {
    TrackBarAFFCshow = TabSheetAFFC->Add<ui::TrackBar>("TrackBarAFFCshow", 60, 4, 90, 26);
    TrackBarAFFCshow->SetRange(1, 5);
    TrackBarAFFCshow->SetPosition(1);
    TrackBarAFFCshow->SetHint("Какие графики отображать");
    TrackBarAFFCshow->OnChange = Handler(&TForma::TrackBarAFFCshowChange);
    LabelAFFCshow = TabSheetAFFC->Add<ui::Label>("LabelAFFCshow", 152, 10, 30, 13);
    LabelAFFCshow->SetCaption("ДАН");
    LabelAFFCshow->SetHint("Собранные данные");
}
