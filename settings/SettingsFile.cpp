#include "settings/SettingsFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/Cp1251.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"
#include "state/State.h"
#include "ui/Application.h"
#include "window/Form.h"

namespace {

// Characters of a line taken as its label; the label's last blank is where a value starts.
constexpr std::size_t kLabelChars = 23;
// More than any value of a line holds; the rest of a longer line is skipped.
constexpr std::size_t kValueChars = 4096;

// An edit's value: its text, written as it stands and read back as a number in its own form.
struct EditValue {
    ui::Edit* edit;
    bool real;  // else a decimal integer
};

using LineControl = std::variant<ui::PageControl*, ui::ComboBox*, ui::TrackBar*, EditValue>;

struct Line {
    const char* label;  // 24 characters in code page 1251
    LineControl control;
    // The control's change handler runs once the value is set, whether or not setting it ran
    // the handler already.
    bool runsChange = false;
    // What else the value sets, after the control and its handler.
    std::function<void(int)> after = {};
    // A combo box's index is written plus this.
    int offset = 0;
};

uint8_t GainFromIndex(int index) { return index >= 0 && index <= 3 ? static_cast<uint8_t>(index) : 0; }

// The window's choices in file order.
std::vector<Line> Lines(TForma& f) {
    return {
        {"Активная страница     : ", f.PageControl},
        {"Режим сбора данных    : ", f.ComboBoxR, false,
         [](int v) { AcquisitionSettings.LongMode = v == 0 ? 0 : 1; }},
        {"Коэф. усиления АЦП    : ", f.ComboBoxK, false,
         [&f](int v) {
             SampleData.DataGain = GainFromIndex(v);
             // The USB3000 has one range only.
             if (ModuleState.Usb3000Present == 1) {
                 f.ComboBoxK->Items().Assign({" ±5,12 В "});
                 f.ComboBoxK->SetItemIndex(0);
                 SampleData.DataGain = 0;
             }
         }},
        {"Количество каналов    : ", f.ComboBoxN, true,
         [](int v) { SampleData.DataChannels = v >= 0 && v < 16 ? static_cast<uint8_t>(v + 1) : 0; }},
        {"Данных в памяти, с    : ", f.ComboBoxM, true},
        {"Отображение на экране : ", f.ComboBoxC, true},
        {"Частота сбора данных  : ", f.TrackBarQ, true, [](int) { SampleData.DataRate = AcquisitionSettings.AdcRate; }},
        // The time bar may have stepped the rate back as well.
        {"Время отображения     : ", f.TrackBarT, true,
         [](int) {
             SampleData.RecordTime = AcquisitionSettings.AdcTime;
             SampleData.DataRate = AcquisitionSettings.AdcRate;
         }},
        {"Отображение по оси X  : ", f.ComboBoxX, true},
        {"Отображение по оси Y  : ", f.ComboBoxY, true,
         [&f](int) {
             f.ComboBoxFurieX->SetItemIndex(0);
             f.ComboBoxFurieY->SetItemIndex(0);
         }},
        {"БПФ, кол-во бит       : ", f.ComboBoxFFTBit, false, {}, 10},
        {"БПФ, ось X, начало    : ", EditValue{f.EditFFT_XB, true}},
        {"БПФ, ось X, конец     : ", EditValue{f.EditFFT_XE, true}},
        {"Разложения, начало    : ", EditValue{f.EditBeg, false}},
        {"Разложения, кол-во    : ", EditValue{f.EditKol, false}},
        {"АЧХ, каналов          : ", f.ComboBoxAFFC_N},
        {"АЧХ, коэф             : ", f.ComboBoxAFFC_K},
        {"АЧХ, экран            : ", f.ComboBoxAFFC_C},
        {"АЧХ, частота АЦП      : ", f.TrackBarAFFC_Qadc, true},
        {"АЧХ, частота ЦАП      : ", f.TrackBarAFFC_Qdac, true},
        {"АЧХ, напряжение       : ", EditValue{f.EditAFFCamp, true}},
        {"АЧХ, нач. частота     : ", EditValue{f.EditAFFCbeg, true}},
        {"АЧХ, кон. частота     : ", EditValue{f.EditAFFCend, true}},
        {"АЧХ, скорость роста   : ", EditValue{f.EditAFFCoct, true}},
        {"АЧХ, кол-во значений  : ", EditValue{f.EditAFFCkol, false}},
        {"АЧХ, нарастание       : ", EditValue{f.EditAFFC_TU, true}},
        {"АЧХ, убывание         : ", EditValue{f.EditAFFC_TD, true}},
    };
}

// ---- Writing ------------------------------------------------------------------------------------

std::string ValueText(const Line& line) {
    struct Text {
        int offset;
        std::string operator()(ui::PageControl* c) const { return platform::IntToStr(c->ActivePageIndex()); }
        std::string operator()(ui::ComboBox* c) const { return platform::IntToStr(c->ItemIndex() + offset); }
        std::string operator()(ui::TrackBar* c) const { return platform::IntToStr(c->Position()); }
        std::string operator()(const EditValue& v) const { return v.edit->Text(); }
    };
    return std::visit(Text{line.offset}, line.control);
}

// ---- Reading ------------------------------------------------------------------------------------

[[noreturn]] void ThrowInvalidNumber() { throw platform::InOutError("Invalid numeric input"); }

// The first run of characters above the blank.
std::string_view FirstWord(std::string_view rest) {
    const auto isWord = [](char c) { return static_cast<unsigned char>(c) > ' '; };
    size_t begin = 0;
    while (begin < rest.size() && !isWord(rest[begin])) ++begin;
    size_t end = begin;
    while (end < rest.size() && isWord(rest[end])) ++end;
    return rest.substr(begin, end - begin);
}

// The word converted by the data files' own number rules.
int IntegerOf(std::string_view word) {
    if (word.empty()) ThrowInvalidNumber();
    return platform::TextReader::FromBytes(word).ReadInt();
}
double RealOf(std::string_view word) {
    if (word.empty()) ThrowInvalidNumber();
    return platform::TextReader::FromBytes(word).ReadReal();
}

void RunChange(const ui::NotifyEvent& change, ui::Control* control) {
    if (change) change(control);
}

// Sets the line's control from the value and runs what the line names; the value's error leaves
// everything as it was.
void Apply(const Line& line, std::string_view word) {
    if (const auto* value = std::get_if<EditValue>(&line.control)) {
        std::string text;
        if (!word.empty()) text = value->real ? platform::FloatToStr(RealOf(word)) : platform::IntToStr(IntegerOf(word));
        value->edit->SetText(text);
        return;
    }
    const int v = IntegerOf(word);
    if (auto* page = std::get_if<ui::PageControl*>(&line.control)) {
        (*page)->SetActivePageIndex(v);
    } else if (auto* combo = std::get_if<ui::ComboBox*>(&line.control)) {
        (*combo)->SetItemIndex(v - line.offset);
        if (line.runsChange) RunChange((*combo)->OnChange, *combo);
    } else if (auto* bar = std::get_if<ui::TrackBar*>(&line.control)) {
        (*bar)->SetPosition(v);
        if (line.runsChange) RunChange((*bar)->OnChange, *bar);
    }
    if (line.after) line.after(v);
}

// Once the file is read the choices also describe the (still empty) data, as an acquisition set
// up from them would.
void TakeChoicesAsActive(TForma& f) {
    SampleData.DataRate = AcquisitionSettings.AdcRate;
    SampleData.RecordTime = AcquisitionSettings.AdcTime;
    const int channels = f.ComboBoxN->ItemIndex();
    SampleData.DataChannels = channels >= 0 ? static_cast<uint8_t>(channels + 1) : 0;
    AcquisitionSettings.LongMode = f.ComboBoxR->ItemIndex() == 0 ? 0 : 1;
    SampleData.DataGain = GainFromIndex(f.ComboBoxK->ItemIndex());
}

}  // namespace

void ReadSettingsFile(const std::string& path) {
    std::error_code missing;
    if (!std::filesystem::is_regular_file(path, missing)) return;
    std::optional<std::string> firstError;
    const auto remember = [&firstError](const std::exception& e) {
        if (!firstError) firstError = e.what();
    };
    try {
        platform::TextReader file(path);
        // The header's version is not checked.
        file.SkipLine();
        for (const Line& line : Lines(*Forma)) {
            if (file.AtEnd()) break;
            file.ReadChars(kLabelChars);
            const std::string rest = file.ReadChars(kValueChars);
            file.SkipLine();
            try {
                Apply(line, FirstWord(rest));
            } catch (const platform::InOutError& e) {
                remember(e);
            }
        }
        file.Close();
    } catch (const platform::InOutError& e) {
        remember(e);
    }
    Forma->ComboBoxBKoef->SetItemIndex(0);
    TakeChoicesAsActive(*Forma);
    if (firstError) ui::Application.HandleException(*firstError);
}

void WriteSettingsFile(const std::string& path) {
    const std::string temporary = path + ".tmp";
    try {
        platform::TextWriter file(temporary);
        file.Write(platform::Utf8ToCp1251(kSettingsHeader));
        file.WriteLineEnd();
        for (const Line& line : Lines(*Forma)) {
            file.Write(platform::Utf8ToCp1251(line.label));
            file.Write(platform::Utf8ToCp1251(ValueText(line)));
            file.WriteLineEnd();
        }
        file.Close();
    } catch (...) {
        std::remove(temporary.c_str());
        throw;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        std::remove(temporary.c_str());
        throw platform::FileErrorFor(error);
    }
}
