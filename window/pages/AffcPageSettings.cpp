#include "window/pages/AffcPageSettings.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "analysis/SweepGainPhase.h"
#include "platform/InOutError.h"
#include "platform/Numbers.h"
#include "state/State.h"
#include "window/pages/AffcPage.h"

namespace affc_page {

namespace {

std::optional<double> TypedReal(const ui::Edit& edit) {
    try {
        const double value = platform::TypedStrToFloat(edit.Text());
        if (std::isfinite(value)) return value;
    } catch (const platform::InOutError&) {
    }
    return std::nullopt;
}

std::optional<int> TypedInteger(const ui::Edit& edit) {
    try {
        return platform::StrToInt(edit.Text());
    } catch (const platform::InOutError&) {
        return std::nullopt;
    }
}

std::string Refusal(const char* field, const std::string& accepted) {
    return std::string("Поле «") + field + "» принимает " + accepted + " !";
}

} // namespace

std::string ReadSweepSettings(const AffcPage& page, sweep::SweepSettings& out) {
    const std::optional<double> amplitude = TypedReal(*page.EditAFFCamp);
    if (!amplitude) return Refusal("Напряж.", "число, мВ");
    out.AmplitudeMv = *amplitude;

    const std::optional<double> begin = TypedReal(*page.EditAFFCbeg);
    if (!begin || *begin <= 0) return Refusal("Начало", "число больше 0, Гц");
    out.FreqBegin = *begin;

    const std::optional<double> end = TypedReal(*page.EditAFFCend);
    if (!end || *end <= *begin) return Refusal("Конец", "число больше начальной частоты, Гц");
    out.FreqEnd = *end;

    const std::optional<double> octaves = TypedReal(*page.EditAFFCoct);
    if (!octaves || *octaves <= 0) return Refusal("Окт/мин", "число больше 0");
    out.OctavesPerMin = *octaves;

    const std::optional<int> steps = TypedInteger(*page.EditAFFCkol);
    if (!steps || *steps < 1 || *steps > sweep::kMaxSweepSteps) {
        return Refusal("Кол-во", "целое число от 1 до " + platform::IntToStr(sweep::kMaxSweepSteps));
    }
    out.Steps = *steps;

    const std::optional<double> rise = TypedReal(*page.EditAFFC_TU);
    if (!rise || *rise < 0) return Refusal("Выход", "число не меньше 0, с");
    out.RiseTime = *rise;

    const std::optional<double> fall = TypedReal(*page.EditAFFC_TD);
    if (!fall || *fall < 0) return Refusal("Сход", "число не меньше 0, с");
    out.FallTime = *fall;
    return {};
}

std::string PlanPageSweep(const AffcPage& page, sweep::SweepOrder& out) {
    const std::string refusal = ReadSweepSettings(page, out.settings);
    if (!refusal.empty()) return refusal;
    out.adcRate = FrequencyResponse.AfcAdcRate;
    out.dacRate = FrequencyResponse.AfcDacRate;
    // A list without a choice (no settings file yet) counts as its first item.
    out.channels = std::max(1, page.ComboBoxAFFC_N->ItemIndex() + 2);
    out.gain = std::max(0, page.ComboBoxAFFC_K->ItemIndex());
    switch (sweep::PlanSweep(out.settings, out.adcRate, out.dacRate, out.geometry)) {
    case sweep::SweepPlan::Ready: return {};
    case sweep::SweepPlan::TooManySamples: return "Уменьшите частоты АЦП и ЦАП !";
    // Rates unset or out of step; the settings were checked above.
    default: return "Измените частоты АЦП и ЦАП !";
    }
}

} // namespace affc_page
