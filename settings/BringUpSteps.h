#pragma once
// What the bring-up and release routines share: the error box, the lamps, the log page and the
// reading of texts a module hands back.

#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/Color.h"

namespace bringup {

inline constexpr const char* kErrorCaption = "ОШИБКА!!!";
inline constexpr ui::TColor kLampDown = ui::clRed;
inline constexpr ui::TColor kLampUp = ui::clGreen;

// The vendor libraries' booleans: only the low byte counts.
inline bool Succeeded(int32_t result) { return static_cast<uint8_t>(result) != 0; }

void ShowError(const std::string& text, int flags);

enum class Lamp { Adc, Dac };
void SetLamp(Lamp lamp, ui::TColor color);
void SetLamp(Lamp lamp, ui::TColor color, const std::string& hint);
void ShowModulesDown();

void AppendLog(const std::string& line);

// The characters of a module's text field up to its NUL or to the field's end, whichever comes
// first: a module that fills the field leaves no terminator.
std::string FieldText(const char* field, size_t size);

// Copies at most `limit` characters of a text the module wrote into `scratch` (of scratchSize
// bytes) into `out` (limit + 1 bytes), always terminated.
void CopyField(char* out, size_t limit, const char* scratch, size_t scratchSize);

}  // namespace bringup
