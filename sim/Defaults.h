#pragma once

// What a healthy simulated module answers unless a test overrides it.

#include <cstdint>

namespace sim::defaults {

// Quev module and its library.
inline constexpr uint32_t kQuevDllVersion = 0x20000;
inline constexpr const char* kQuevInterfaceName = "quev";
inline constexpr const char* kQuevModuleName = "Quev";
inline constexpr uint32_t kQuevLbiosVersion = 0x20000;
inline constexpr const char* kQuevSerialNumber = "Q0000001";
// The factory calibration in the module's flash; its input record holds none until the station
// programs one, so that a station that forgets the copy is seen.
inline constexpr uint16_t kQuevAdcCalibration[8] = {12, 65530, 7, 3, 32768, 32771, 32760, 32766};
inline constexpr double kQuevInputRate = 100.0;       // kHz
inline constexpr uint16_t kQuevInputFifoLength = 3072;  // printed by the station as "Fifo="
inline constexpr double kQuevMaxInputRate = 400.0;    // kHz; higher requests are clamped
inline constexpr double kQuevOutputRate = 125.0;      // kHz, also the highest accepted
inline constexpr uint16_t kQuevOutputFifoBase = 3000;
inline constexpr uint16_t kQuevOutputFifoLength = 4032;

// USB3000 module and its library.
inline constexpr uint32_t kUsb3000DllVersion = 0x10004;  // 1.4
inline constexpr const char* kUsb3000InterfaceName = "usb3000";
inline constexpr const char* kUsb3000ModuleName = "USB3000";
inline constexpr const char* kUsb3000SerialNumber = "U0000001";
inline constexpr const char* kUsb3000AvrVersion = "1.00";
inline constexpr uint8_t kUsb3000UsbSpeed = 1;  // USB 2.0
inline constexpr const char* kUsb3000DspTarget = "SIMDSP";
inline constexpr const char* kUsb3000DspLabel = "SIM";
inline constexpr uint8_t kUsb3000DspMajor = 1;
inline constexpr uint8_t kUsb3000DspMinor = 0;
inline constexpr const char* kUsb3000DspType = "SIM-DSP";
inline constexpr uint8_t kUsb3000Revision = 'A';
inline constexpr uint32_t kUsb3000DspClockout = 48000000;
inline constexpr double kUsb3000InputRate = 100.0;  // kHz
// The factory coefficients in the flash; the input record starts with none (offset 0, scale 1)
// and a delay between frames, so that what the station programs differs from what it finds.
inline constexpr float kUsb3000AdcOffsetCoef[8] = {-3.5f, 2.25f, -1.0f, 0.5f, 4.0f, -2.75f, 1.5f, -0.25f};
inline constexpr float kUsb3000AdcScaleCoef[8] = {1.002f, 0.997f, 1.004f, 0.999f, 1.001f, 0.996f, 1.003f, 0.998f};
inline constexpr double kUsb3000InterKadrDelay = 0.01;  // ms
inline constexpr double kUsb3000MaxInputRate = 3000.0;
inline constexpr uint16_t kUsb3000InputFifoBase = 0x3000;
inline constexpr uint16_t kUsb3000InputFifoLength = 0x3000;
inline constexpr double kUsb3000OutputRate = 125.0;
inline constexpr double kUsb3000MaxOutputRate = 125.0;
inline constexpr uint16_t kUsb3000OutputFifoBase = 0x2000;
inline constexpr uint16_t kUsb3000OutputFifoLength = 4032;
inline constexpr const char* kUsb3000NoError = "No error";

// Converters.
// Block transfers move whole units of this many 16-bit samples or words.
inline constexpr uint32_t kQuevTransferUnit = 32;
inline constexpr uint32_t kUsb3000TransferUnit = 512;
inline constexpr double kQuevMvPerCode = 1.25;      // at range code 0; each step divides by 4
inline constexpr double kUsb3000MvPerCode = 0.625;  // one range, +-5.12 V
inline constexpr int kAdcCodeMin = -8192;
inline constexpr int kAdcCodeMax = 8191;
inline constexpr double kDacCodesPerMv = 0.4096;  // 2048 codes are 5000 mV
// The module starts converting this long before its output FIFO has filled, so a word reaches
// the output (FIFO length / rate) less this many milliseconds after it was queued.
inline constexpr double kDacLatencyAdvanceMs = 28.0;

}  // namespace sim::defaults
