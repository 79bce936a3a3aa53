#pragma once
// The options form: created hidden at start-up, its creation runs the acquisition side's start-up;
// its destruction the acquisition side's shutdown.
#include <cstdint>
#include <string>

#include "ui/Controls.h"

// The options dialog's own state: the last position typed for the values at a point and the last
// fixed axis ranges.
struct OptionsPrivateGroup {
    std::string NumberText;     // EditZ's text reduced to a number
    double ZValue = 0;          // the typed position in X-axis units
    double ZPosition = 0;       // the same in rows
    int32_t ZIndex = 0;         // ZPosition truncated toward zero
    int32_t ZIndexNext = 0;     // ZIndex + 1
    int32_t ZIndexShown = 0;    // the row printed on the "-1" lines
    double ZInterpolated = 0;   // the sample interpolated at ZPosition
    double BottomAxisMin = 0;
    double BottomAxisMax = 0;
    double LeftAxisMin = 0;
    double LeftAxisMax = 0;
};

extern OptionsPrivateGroup OptionsPrivate;

// Keeps "-" only as the first character, the first decimal point ("." or ","), and the digits;
// drops the rest.
std::string FilterNumberText(const std::string& text);

class TOption : public ui::Form {
public:
    TOption();
    ~TOption() override;

    // The module check, clicked by the main window's SpeedButtonQuev.
    ui::SpeedButton* SpeedButtonQuev = nullptr;

    void SpeedButtonQuevClick(ui::Control* Sender);

    // ---- The dialog (settings/OptionsDialog.cpp, OptionsPoint.cpp) ------------------------------
    // Fixed ranges of the chart's axes and the fonts of its title and axis labels.
    ui::GroupBox* GroupBoxChart = nullptr;
    ui::Edit* EditCl0 = nullptr;
    ui::Edit* EditCl1 = nullptr;
    ui::SpeedButton* SpeedButtonCl = nullptr;
    ui::Edit* EditCh0 = nullptr;
    ui::Edit* EditCh1 = nullptr;
    ui::SpeedButton* SpeedButtonCh = nullptr;
    ui::Edit* EditFT = nullptr;
    ui::Edit* EditFX = nullptr;
    ui::Edit* EditFY = nullptr;
    // Scale and unit texts that nothing reads.
    ui::Edit* EditXM = nullptr;
    ui::Edit* EditXE = nullptr;
    ui::Edit* EditYM = nullptr;
    ui::Edit* EditYE = nullptr;
    // Inputs of a running integral; no control starts it.
    ui::GroupBox* GroupBoxIntegral = nullptr;
    ui::Edit* EditBeg = nullptr;
    ui::Edit* EditEnd = nullptr;
    ui::Edit* EditLevel = nullptr;
    ui::Edit* EditChange = nullptr;
    ui::Edit* EditKoef = nullptr;
    ui::SpeedButton* SpeedButtonInt = nullptr;
    ui::Memo* MemoInt = nullptr;
    // Values of every channel at a typed X position.
    ui::GroupBox* GroupBoxZ = nullptr;
    ui::Edit* EditZ = nullptr;
    ui::Memo* MemoZ = nullptr;

    void EditZChange(ui::Control* Sender);
    void SpeedButtonClClick(ui::Control* Sender);
    void SpeedButtonChClick(ui::Control* Sender);
    void EditFTExit(ui::Control* Sender);
    void EditFXExit(ui::Control* Sender);
    void EditFYExit(ui::Control* Sender);

    // Start-up: start values, both modules brought up, the run flags idle, the system
    // information in the status bar, the start directory kept, config.cfg read from it.
    void FormCreate(ui::Control* Sender);
    // Shutdown: every worker stopped and awaited, the power arrays and block times freed, the
    // module interfaces released, config.cfg written into the start directory.
    void FormDestroy(ui::Control* Sender);

private:
    void CreateDialogControls();
};

extern TOption* Option;
