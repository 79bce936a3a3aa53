#pragma once
// Controls of the acquisition page (TabSheetADC). TForma inherits them; TForma::CreateAdcPage in
// window/pages/AdcPage.cpp creates them on the page and binds their handlers, which Form.h declares
// in the page's block.
#include <array>
#include <string>
#include <vector>

#include "ui/Controls.h"

struct AdcPage {
    // Start and stop of a real-time acquisition, or a long recording.
    ui::SpeedButton* SpeedButtonRecord = nullptr;
    // "Real" (oscilloscope ring) or "Long" (one blocking recording).
    ui::GroupBox* GroupBoxR = nullptr;
    ui::ComboBox* ComboBoxR = nullptr;
    // Input range of the next acquisition; bare data opened from files take it as theirs too.
    ui::GroupBox* GroupBoxK = nullptr;
    ui::ComboBox* ComboBoxK = nullptr;
    // Channels and the real-time ring's size in blocks.
    ui::GroupBox* GroupBoxN = nullptr;
    ui::ComboBox* ComboBoxN = nullptr;
    ui::GroupBox* GroupBoxM = nullptr;
    ui::ComboBox* ComboBoxM = nullptr;
    // Chart units and screen range.
    ui::GroupBox* GroupBoxC = nullptr;
    ui::ComboBox* ComboBoxC = nullptr;
    ui::GroupBox* GroupBoxX = nullptr;
    ui::ComboBox* ComboBoxX = nullptr;
    ui::GroupBox* GroupBoxY = nullptr;
    ui::ComboBox* ComboBoxY = nullptr;
    // Rate over all channels and display (or recording) time; the group captions show them.
    ui::GroupBox* GroupBoxQ = nullptr;
    ui::TrackBar* TrackBarQ = nullptr;
    ui::GroupBox* GroupBoxT = nullptr;
    ui::TrackBar* TrackBarT = nullptr;
    // Live spectrum instead of the oscilloscope, and its transform size in bits.
    ui::SpeedButton* SpeedButtonFFTReal = nullptr;
    ui::GroupBox* GroupBoxFFTBit = nullptr;
    ui::ComboBox* ComboBoxFFTBit = nullptr;
    // Frequency range of the live spectrum's bottom axis.
    ui::GroupBox* GroupBoxFFT_X = nullptr;
    ui::Label* LabelFFT_XB = nullptr;
    ui::Edit* EditFFT_XB = nullptr;
    ui::Label* LabelFFT_XE = nullptr;
    ui::Edit* EditFFT_XE = nullptr;
};

// The choices' tables, position or index order.
namespace adc_page {

inline constexpr int kRatePositions = 33;
inline constexpr int kTimePositions = 25;
inline constexpr int kStartRatePosition = 1;
inline constexpr int kStartTimePosition = 12;  // 1 s

// kHz over all channels, per position of TrackBarQ (element 0 is position 1).
inline constexpr std::array<double, kRatePositions> kQuevRates = {
    5,  6,  8,  10, 12, 15,  16,  20,  24,  25,  30,  32,  40,  48,  50,  60, 64,
    75, 80, 96, 100, 120, 125, 150, 160, 192, 200, 240, 250, 300, 320, 375, 400};
inline constexpr std::array<double, kRatePositions> kUsb3000Rates = {
    1,  2,   3,   4,   5,   6,   7,   8,   10,  12,  15,   20,   25,   30,  40,  50, 60,
    70, 80, 100, 120, 150, 200, 250, 300, 400, 500, 600, 700, 800, 1000, 2000, 3000};
// Items of ComboBoxK, by range code: the Quev module's four (the last two with a Latin B, as the
// instrument has always shown them) and the USB3000's one.
inline const std::vector<std::string> kQuevRanges = {"±10,24 В", " ±2,56 В ", " ±0,64 B ", " ±0,16 B "};
inline const std::vector<std::string> kUsb3000Range = {" ±5,12 В "};
// Seconds per position of TrackBarT.
inline constexpr std::array<double, kTimePositions> kTimes = {
    0.01, 0.02, 0.03, 0.05, 0.07, 0.1, 0.15, 0.2, 0.3, 0.5, 0.7, 1, 1.5,
    2,    3,    5,    7,    10,   15,  20,  30,  60,  90,  120, 200};
// Blocks of the real-time ring per item of ComboBoxM.
inline constexpr std::array<int, 10> kMemoryBlocks = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};

// A real-time window holds at most this many thousand samples and lasts at most 10 s.
inline constexpr double kRealWindowLimit = 3000;
inline constexpr double kRealTimeLimit = 10;
// Choosing more channels steps the time back once above this many thousand samples.
inline constexpr double kChannelStepLimit = 150;

// Rate of TrackBarQ's position for the module in use (USB3000 table whenever it is up);
// positions outside the bar give the nearest end.
double RateAt(int position, bool usb3000);
double TimeAt(int position);

// " Частота :  375 кГц ", " Частота :  3 МГц ", " Время :  0.7 с ".
std::string RateCaption(double rateKHz);
std::string TimeCaption(double seconds);

}  // namespace adc_page
