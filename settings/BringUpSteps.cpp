#include "settings/BringUpSteps.h"

#include <algorithm>
#include <cstring>

#include "ui/Application.h"
#include "window/Form.h"

namespace bringup {

namespace {

ui::Shape* LampShape(Lamp lamp) {
    if (Forma == nullptr) return nullptr;
    return lamp == Lamp::Adc ? Forma->ShapeADC : Forma->ShapeDAC;
}

}  // namespace

void ShowError(const std::string& text, int flags) {
    ui::Application.MessageBox(text, kErrorCaption, flags);
}

void SetLamp(Lamp lamp, ui::TColor color) {
    if (ui::Shape* shape = LampShape(lamp)) shape->SetColor(color);
}

void SetLamp(Lamp lamp, ui::TColor color, const std::string& hint) {
    if (ui::Shape* shape = LampShape(lamp)) {
        shape->SetColor(color);
        shape->SetHint(hint);
    }
}

void ShowModulesDown() {
    SetLamp(Lamp::Adc, kLampDown, "АЦП не подключен.");
    SetLamp(Lamp::Dac, kLampDown, "ЦАП не обнаружен.");
}

void AppendLog(const std::string& line) {
    if (Forma != nullptr && Forma->Memo != nullptr) Forma->Memo->Lines().Add(line);
}

std::string FieldText(const char* field, size_t size) {
    const char* end = std::find(field, field + size, '\0');
    return std::string(field, end);
}

void CopyField(char* out, size_t limit, const char* scratch, size_t scratchSize) {
    const std::string text = FieldText(scratch, std::min(limit, scratchSize));
    std::memcpy(out, text.data(), text.size());
    out[text.size()] = '\0';
}

}  // namespace bringup
