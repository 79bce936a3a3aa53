#include "settings/SettingsFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <deque>
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

// A choice's index or position, or an edit's text: written as it stands and read back as a real
// in general format, so that a fraction typed into any of the edits survives (an integer's text
// is the same either way).
using LineControl = std::variant<ui::PageControl*, ui::ComboBox*, ui::TrackBar*, ui::Edit*>;

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
             if (ModuleState.Usb3000Present == 1) {
                 f.OfferUsb3000Range();
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
        {"БПФ, ось X, начало    : ", f.EditFFT_XB},
        {"БПФ, ось X, конец     : ", f.EditFFT_XE},
        {"Разложения, начало    : ", f.EditBeg},
        {"Разложения, кол-во    : ", f.EditKol},
        {"АЧХ, каналов          : ", f.ComboBoxAFFC_N},
        {"АЧХ, коэф             : ", f.ComboBoxAFFC_K},
        {"АЧХ, экран            : ", f.ComboBoxAFFC_C},
        {"АЧХ, частота АЦП      : ", f.TrackBarAFFC_Qadc, true},
        {"АЧХ, частота ЦАП      : ", f.TrackBarAFFC_Qdac, true},
        {"АЧХ, напряжение       : ", f.EditAFFCamp},
        {"АЧХ, нач. частота     : ", f.EditAFFCbeg},
        {"АЧХ, кон. частота     : ", f.EditAFFCend},
        {"АЧХ, скорость роста   : ", f.EditAFFCoct},
        {"АЧХ, кол-во значений  : ", f.EditAFFCkol},
        {"АЧХ, нарастание       : ", f.EditAFFC_TU},
        {"АЧХ, убывание         : ", f.EditAFFC_TD},
    };
}

// ---- Writing ------------------------------------------------------------------------------------

std::string ValueText(const Line& line) {
    struct Text {
        int offset;
        std::string operator()(ui::PageControl* c) const { return platform::IntToStr(c->ActivePageIndex()); }
        std::string operator()(ui::ComboBox* c) const { return platform::IntToStr(c->ItemIndex() + offset); }
        std::string operator()(ui::TrackBar* c) const { return platform::IntToStr(c->Position()); }
        std::string operator()(ui::Edit* e) const { return e->Text(); }
    };
    return std::visit(Text{line.offset}, line.control);
}

// ---- Reading ------------------------------------------------------------------------------------

// The file's lines as the station writes them (CR LF) or an editor may save them (a lone LF or
// CR). Of a line only its first kLineChars characters are kept, more than the window's edits
// hold (a line edit takes at most 32767), and an LF-ended line counts only within those
// characters before the next CR.
class SettingsLines {
public:
    explicit SettingsLines(const std::string& path) : file_(path) {}

    struct Text {
        std::string chars;
        bool endsFile = false;  // the text ended in this line (end of file or Ctrl-Z), not a line end
    };

    // The next line, or none when the text has ended.
    std::optional<Text> Next() {
        if (pending_.empty() && !ReadRun()) return std::nullopt;
        Text line = std::move(pending_.front());
        pending_.pop_front();
        return line;
    }

    void Close() { file_.Close(); }

private:
    static constexpr std::size_t kLineChars = 1 << 16;

    // Splits the characters up to the next CR at each LF; false when nothing is left.
    bool ReadRun() {
        if (file_.AtEnd()) return false;
        const std::string run = file_.ReadChars(kLineChars);
        const bool endsFile = file_.AtEnd();
        file_.SkipLine();
        std::string_view rest = run;
        for (std::size_t lf; (lf = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(lf + 1))
            pending_.push_back({std::string(rest.substr(0, lf))});
        // After a last LF the text may end with nothing more: no line there.
        if (!(endsFile && rest.empty() && !pending_.empty()))
            pending_.push_back({std::string(rest), endsFile});
        return true;
    }

    platform::TextReader file_;
    std::deque<Text> pending_;
};

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

// The value of a line: the first word after the label. The text ending before any word reads
// as 0, as the runtime reads a number at the end of a file.
std::string ValueWord(const SettingsLines::Text& line) {
    const std::string_view rest =
        line.chars.size() > kLabelChars ? std::string_view(line.chars).substr(kLabelChars) : std::string_view{};
    const std::string_view word = FirstWord(rest);
    return word.empty() && line.endsFile ? "0" : std::string(word);
}

// The word converted by the data files' own number rules; a real also takes the comma an
// operator may have typed as its decimal point, has no bound on its length (an edit takes a
// number of any length, and the window writes it as it stands), and must be finite so that
// what the window then shows and writes reads back.
int IntegerOf(std::string_view word) {
    if (word.empty()) ThrowInvalidNumber();
    return platform::TextReader::FromBytes(word).ReadInt();
}
double RealOf(std::string_view word) {
    if (word.empty()) ThrowInvalidNumber();
    std::string number(word);
    std::replace(number.begin(), number.end(), ',', '.');
    const double value = platform::ParseRealToken(number);
    if (!std::isfinite(value)) ThrowInvalidNumber();
    return value;
}

void RunChange(const ui::NotifyEvent& change, ui::Control* control) {
    if (change) change(control);
}

// The value a choice's control stands at, as the file holds it.
int ShownValue(const Line& line) {
    struct Value {
        int offset;
        int operator()(ui::PageControl* c) const { return c->ActivePageIndex(); }
        int operator()(ui::ComboBox* c) const { return c->ItemIndex() + offset; }
        int operator()(ui::TrackBar* c) const { return c->Position(); }
        int operator()(ui::Edit*) const { return 0; }
    };
    return std::visit(Value{line.offset}, line.control);
}

// Sets a choice's control to `v` and runs what the line names.
void SetChoice(const Line& line, int v) {
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

// Sets the line's control from the value and runs what the line names; the value's error leaves
// everything as it was.
void Apply(const Line& line, std::string_view word) {
    if (auto* edit = std::get_if<ui::Edit*>(&line.control)) {
        (*edit)->SetText(word.empty() ? std::string() : platform::FloatToStr(RealOf(word)));
        return;
    }
    SetChoice(line, IntegerOf(word));
}

// A line that gave no value (it did not convert, or the file ended before it): its control
// keeps what it shows, and that is put in force as a value read for it would be, so that what
// the controls show is what the next acquisition uses, the step-back rules included.
void KeepShown(const Line& line) {
    if (!std::holds_alternative<ui::Edit*>(line.control)) SetChoice(line, ShownValue(line));
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
    const std::vector<Line> lines = Lines(*Forma);
    size_t next = 0;
    try {
        SettingsLines file(path);
        // The header's version is not checked.
        if (file.Next()) {
            for (; next < lines.size(); ++next) {
                const auto text = file.Next();
                if (!text) break;
                try {
                    Apply(lines[next], ValueWord(*text));
                } catch (const platform::InOutError& e) {
                    remember(e);
                    KeepShown(lines[next]);
                }
            }
        }
        file.Close();
    } catch (const platform::InOutError& e) {
        remember(e);
    }
    for (; next < lines.size(); ++next) KeepShown(lines[next]);
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
    if (!platform::MoveFileOver(temporary, path)) {
        const int error = errno;
        std::remove(temporary.c_str());
        throw platform::FileErrorFor(error);
    }
}
