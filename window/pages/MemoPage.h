#pragma once
// Controls of the log page (TabSheetMemo): the program's log and the timing button.
#include "ui/Controls.h"

struct MemoPage {
    ui::Panel* PanelTiming = nullptr;
    ui::SpeedButton* SpeedButtonTiming = nullptr;
    ui::Memo* Memo = nullptr;
};
