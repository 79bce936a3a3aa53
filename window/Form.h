#pragma once
// The main window: the frame (top panel, left panel, chart, status bar, page control) and every
// page's controls, which it inherits from the page structs of window/pages/.

#include <array>
#include <memory>

#include "ui/Controls.h"
#include "window/pages/AdcPage.h"
#include "window/pages/AffcPage.h"
#include "window/pages/BalancePage.h"
#include "window/pages/FuriePage.h"
#include "window/pages/MemoPage.h"
#include "window/pages/MetrologPage.h"
#include "window/pages/PowerPage.h"
#include "window/pages/ShemPage.h"

inline constexpr int kSeriesCount = 16;

// The filter of the open and save dialogs; the entry chosen, not the extension, picks the format.
inline constexpr const char* kDataFileFilter =
    "Численный формат  ( *.asc )|*.asc|Бинарный формат  ( *.dat )|*.dat|"
    "Амплитуды и Фазы  ( *.af )|*.af|Конфигурация  ( *.cfg )|*.cfg";

class TForma : public ui::Form,
               public AdcPage,
               public AffcPage,
               public BalancePage,
               public PowerPage,
               public ShemPage,
               public FuriePage,
               public MetrologPage,
               public MemoPage {
public:
    TForma();
    ~TForma() override;

    // ---- Frame ------------------------------------------------------------------------------
    ui::Panel* PanelLOptions = nullptr;
    ui::SpeedButton* SpeedButtonOpen = nullptr;
    ui::SpeedButton* SpeedButtonSave = nullptr;
    ui::SpeedButton* SpeedButtonChartToBuffer = nullptr;
    ui::GroupBox* GroupBoxQuev = nullptr;
    ui::Shape* ShapeADC = nullptr;
    ui::Shape* ShapeDAC = nullptr;
    ui::SpeedButton* SpeedButtonQuev = nullptr;

    ui::PageControl* PageControl = nullptr;
    ui::TabSheet* TabSheetADC = nullptr;
    ui::TabSheet* TabSheetAFFC = nullptr;
    ui::TabSheet* TabSheetBalance = nullptr;
    ui::TabSheet* TabSheetPower = nullptr;
    ui::TabSheet* TabSheetShem = nullptr;
    ui::TabSheet* TabSheetFurie = nullptr;
    ui::TabSheet* TabSheetMetrolog = nullptr;
    ui::TabSheet* TabSheetMemo = nullptr;

    ui::Panel* PanelChannel = nullptr;
    ui::CheckBox* CheckBoxTitle = nullptr;
    ui::CheckBox* CheckBoxZnach = nullptr;
    ui::Label* LabelT = nullptr;
    ui::Label* Label1 = nullptr;
    ui::Label* Label2 = nullptr;
    ui::Edit* EditFT = nullptr;
    ui::Edit* EditFX = nullptr;
    ui::Edit* EditFY = nullptr;
    // Element n - 1 is LabelCn, LabelGn, Channeln; the named members point at the same controls.
    std::array<ui::Label*, kSeriesCount> LabelC{};
    std::array<ui::Label*, kSeriesCount> LabelG{};
    std::array<ui::CheckBox*, kSeriesCount> Channel{};
    ui::Label *LabelC1 = nullptr, *LabelC2 = nullptr, *LabelC3 = nullptr, *LabelC4 = nullptr,
              *LabelC5 = nullptr, *LabelC6 = nullptr, *LabelC7 = nullptr, *LabelC8 = nullptr,
              *LabelC9 = nullptr, *LabelC10 = nullptr, *LabelC11 = nullptr, *LabelC12 = nullptr,
              *LabelC13 = nullptr, *LabelC14 = nullptr, *LabelC15 = nullptr, *LabelC16 = nullptr;
    ui::CheckBox *Channel1 = nullptr, *Channel2 = nullptr, *Channel3 = nullptr,
                 *Channel4 = nullptr, *Channel5 = nullptr, *Channel6 = nullptr,
                 *Channel7 = nullptr, *Channel8 = nullptr, *Channel9 = nullptr,
                 *Channel10 = nullptr, *Channel11 = nullptr, *Channel12 = nullptr,
                 *Channel13 = nullptr, *Channel14 = nullptr, *Channel15 = nullptr,
                 *Channel16 = nullptr;
    ui::CheckBox* CheckBoxD3D = nullptr;
    ui::SpeedButton* SpeedButtonSost = nullptr;

    ui::Panel* PanelChart = nullptr;
    ui::Chart* Chart = nullptr;
    // Element n - 1 is Seriesn.
    std::array<ui::Series*, kSeriesCount> Series{};
    ui::Series *Series1 = nullptr, *Series2 = nullptr, *Series3 = nullptr, *Series4 = nullptr,
               *Series5 = nullptr, *Series6 = nullptr, *Series7 = nullptr, *Series8 = nullptr,
               *Series9 = nullptr, *Series10 = nullptr, *Series11 = nullptr, *Series12 = nullptr,
               *Series13 = nullptr, *Series14 = nullptr, *Series15 = nullptr, *Series16 = nullptr;

    ui::StatusBar* StatusBar = nullptr;

    ui::OpenDialog* OpenDialog = nullptr;
    ui::SaveDialog* SaveDialog = nullptr;
    ui::ColorDialog* ColorDialog = nullptr;

    // ---- Handlers of the frame -----------------------------------------------------------------
    void SpeedButtonSostClick(ui::Control* Sender);
    void CheckBoxTitleClick(ui::Control* Sender);
    void CheckBoxZnachClick(ui::Control* Sender);
    void EditFTExit(ui::Control* Sender);
    void EditFXExit(ui::Control* Sender);
    void EditFYExit(ui::Control* Sender);
    // LabelC1Click to LabelC16Click: n is 1 to 16.
    void LabelCClick(int n);
    // Channel1Click to Channel16Click: n is 1 to 16.
    void ChannelClick(int n);
    // The playback page's six check boxes share it.
    void Channel1Click(ui::Control*) { ChannelClick(1); }
    void SpeedButtonQuevClick(ui::Control* Sender);
    void SpeedButtonChartToBufferClick(ui::Control* Sender);
    void SpeedButtonTimingClick(ui::Control* Sender);

    // ---- Chart and redraw handlers -------------------------------------------------------------
    // Zoom and scroll of the chart (one handler for both), and its undo-zoom.
    void ChartZoom(ui::Control* Sender);
    void ChartUndoZoom(ui::Control* Sender);

    // ---- Files: open and save ------------------------------------------------------------------
    // window/OpenSaveOpen.cpp and window/OpenSaveSave.cpp.
    void SpeedButtonOpenClick(ui::Control* Sender);
    void SpeedButtonSaveClick(ui::Control* Sender);

    // ---- Acquisition page (TabSheetADC) ---------------------------------------------------------
    // Screen range and chart units (window/pages/AdcPageUnits.cpp).
    void ComboBoxCChange(ui::Control* Sender);
    void ComboBoxXChange(ui::Control* Sender);
    void ComboBoxYChange(ui::Control* Sender);
    // The choices of the next acquisition (window/pages/AdcPageSettings.cpp). The track bars step
    // a real-time choice back until it fits, moving each other nested in their handlers.
    void ComboBoxRChange(ui::Control* Sender);
    void ComboBoxKChange(ui::Control* Sender);
    void ComboBoxNChange(ui::Control* Sender);
    void ComboBoxMChange(ui::Control* Sender);
    void TrackBarQChange(ui::Control* Sender);
    void TrackBarTChange(ui::Control* Sender);
    void SpeedButtonFFTRealClick(ui::Control* Sender);
    void ComboBoxFFTBitChange(ui::Control* Sender);
    // Modules came up or went down: the rate in force becomes the one the bar's position gives
    // in the table of the module now serving the page, through the bar's own rule.
    void RateFollowsServingModule();
    // Likewise the range list: the USB3000's one range while it serves the page, the Quev
    // module's four back with the choice they had when it serves the page again. The data in
    // memory keep the range they were recorded at.
    void RangesFollowServingModule();
    // ComboBoxK offers the USB3000's one range, chosen; the Quev module's choice is kept.
    void OfferUsb3000Range();
    // Start and stop of the real-time worker, or the long recording (window/pages/AdcPageRecord.cpp).
    void SpeedButtonRecordClick(ui::Control* Sender);

    // ---- Frequency-response page (TabSheetAFFC) -------------------------------------------------
    // The chart view of a sweep (window/pages/AffcPageView.cpp).
    void TrackBarAFFCshowChange(ui::Control* Sender);
    void TrackBarAFFCchartChange(ui::Control* Sender);
    // The sweep, its report and its rates (window/pages/AffcPageSweep.cpp).
    void SpeedButtonAFFCClick(ui::Control* Sender);
    void SpeedButtonAFFCshowClick(ui::Control* Sender);
    void TrackBarAFFC_QadcChange(ui::Control* Sender);
    void TrackBarAFFC_QdacChange(ui::Control* Sender);

    // ---- Balancing page (TabSheetBalance) -------------------------------------------------------
    // The correction from the data in memory (window/pages/BalancePageCorrection.cpp).
    void SpeedButtonBalanceClick(ui::Control* Sender);
    // The recording and its five revolutions (window/pages/BalancePageRun.cpp).
    void SpeedButtonBRunClick(ui::Control* Sender);

    // ---- Power page (TabSheetPower) -------------------------------------------------------------
    // The computation (window/pages/PowerPageCompute.cpp); views, voltage wiring and averaging
    // interval (window/pages/PowerPageView.cpp).
    void SpeedButtonPowerClick(ui::Control* Sender);
    void SpeedButtonVisDanClick(ui::Control* Sender);
    void SpeedButtonVisIClick(ui::Control* Sender);
    void SpeedButtonVisUClick(ui::Control* Sender);
    void SpeedButtonVisPactClick(ui::Control* Sender);
    void SpeedButtonVisMomentClick(ui::Control* Sender);
    void SpeedButtonVisSpeedClick(ui::Control* Sender);
    void SpeedButtonVisPoslClick(ui::Control* Sender);
    void SpeedButtonVisUfazClick(ui::Control* Sender);
    void RadioButtonUlinClick(ui::Control* Sender);
    void RadioButtonUfazClick(ui::Control* Sender);
    void TrackBarRoundChange(ui::Control* Sender);

    // ---- Playback buffer page (TabSheetShem) ----------------------------------------------------
    // Composing the buffer and the switches (window/pages/ShemPageCompose.cpp).
    void SpeedButtonEnterClick(ui::Control* Sender);
    void SpeedButtonSpaceClick(ui::Control* Sender);
    void SpeedButtonDeleteClick(ui::Control* Sender);
    void CheckBoxSFilterClick(ui::Control* Sender);
    void CheckBoxSControlClick(ui::Control* Sender);
    // Start and stop of the playback, and the buttons without an action (window/pages/ShemPagePlay.cpp).
    void SpeedButtonSPlayClick(ui::Control* Sender);
    void SpeedButtonSRecordClick(ui::Control* Sender);
    void SpeedButtonSShowClick(ui::Control* Sender);
    void SpeedButtonSPauseClick(ui::Control* Sender);

    // ---- Processing page (TabSheetFurie) --------------------------------------------------------
    // Analyses of the window chosen on the page (window/pages/FuriePageSeries.cpp, FuriePageFft.cpp).
    void SpeedButtonFurieClick(ui::Control* Sender);
    void SpeedButtonFurieSPClick(ui::Control* Sender);
    void SpeedButtonFFTClick(ui::Control* Sender);
    void SpeedButtonPoslClick(ui::Control* Sender);
    // Response of a recorded sweep; its button is never shown (window/pages/FuriePageSweep.cpp).
    void SpeedButtonAFCClick(ui::Control* Sender);
    // Views and units (window/pages/FuriePageView.cpp).
    void SpeedButtonOptionClick(ui::Control* Sender);
    void SpeedButtonDanClick(ui::Control* Sender);
    void RadioButtonFurieAmplClick(ui::Control* Sender);
    void RadioButtonFurieFazaClick(ui::Control* Sender);
    void RadioButton0GarmYesClick(ui::Control* Sender);
    void RadioButton0GarmNoClick(ui::Control* Sender);
    void ComboBoxFurieXChange(ui::Control* Sender);
    void ComboBoxFurieYChange(ui::Control* Sender);

    // ---- Metrology page (TabSheetMetrolog) ------------------------------------------------------
    // The synthesised signals (window/pages/MetrologPageSignals.cpp). PrepareMetSignal reads the
    // page and shapes the buffer for one channel; false when it refused (nothing generated then).
    bool PrepareMetSignal();
    void SpeedButtonMetConstClick(ui::Control* Sender);
    void SpeedButtonMetSinClick(ui::Control* Sender);
    void SpeedButtonMetSquareClick(ui::Control* Sender);
    void SpeedButtonMetPilaClick(ui::Control* Sender);
    // The one-second recording and its mean (window/pages/MetrologPageRecord.cpp).
    void SpeedButtonMetRecordClick(ui::Control* Sender);
    // The rate bars (window/pages/MetrologPage.cpp).
    void TrackBarMetQadcChange(ui::Control* Sender);
    void TrackBarMetQdacChange(ui::Control* Sender);

protected:
    // An event handler bound to one of this form's handler methods.
    ui::NotifyEvent Handler(void (TForma::*method)(ui::Control*)) {
        return [this, method](ui::Control* sender) { (this->*method)(sender); };
    }

private:
    void CreateTopPanel();
    void CreatePages();
    void CreateChannelPanel();
    void CreateChart();
    void CreateStatusBar();
    void CreateDialogs();
    void CreateMemoPage();
    // Each page's controls, in window/pages/<Page>.cpp.
    void CreateAdcPage();
    void CreateAffcPage();
    void CreateBalancePage();
    void CreatePowerPage();
    void CreateShemPage();
    void CreateFuriePage();
    void CreateMetrologPage();

    std::unique_ptr<ui::OpenDialog> openDialog_;
    std::unique_ptr<ui::SaveDialog> saveDialog_;
    std::unique_ptr<ui::ColorDialog> colorDialog_;
    // ComboBoxK's index among the Quev module's ranges while the USB3000's is offered; -1: none.
    int keptQuevRange_ = -1;
};

extern TForma* Forma;
