// The correction: the vibration of one revolution of the data in memory against the reference the
// operator typed, and for each plane the mass and angle of the weight that cancels the change.

#include <algorithm>
#include <string>

#include "platform/Numbers.h"
#include "state/State.h"
#include "threads/WorkerSlot.h"
#include "window/Form.h"
#include "window/pages/BalancePageCommon.h"

namespace {

// The mark search starts no earlier than this, so that its left neighbours exist.
constexpr int32_t kEarliestBegin = 200;
// Frames searched for the first mark, and either side of the expected second one.
constexpr int32_t kFirstMarkSpan = 4100;
constexpr int32_t kSecondMarkSlack = 500;

const std::string kIndent(18, ' ');
// Shown for a number a plane without a correction does not have.
constexpr const char* kNoValue = "нет";

}  // namespace

void TForma::SpeedButtonBalanceClick(ui::Control*) {
    if (WorkersBusy()) return;
    const int64_t begin = std::max(platform::StrToInt(EditBBegin->Text()), kEarliestBegin);
    const int64_t revolution = platform::StrToInt(EditBKol->Text());
    // Each refusal below ends the correction without a line: too few channels or frames, no mark,
    // or a revolution of no frames would only give invented numbers.
    if (SampleData.DataChannels < 3) return;
    const balancing::Frames data = balance_page::DataInMemory();
    const auto first = balancing::FindMark(data, begin, begin + kFirstMarkSpan);
    if (!first) return;
    const auto second =
        balancing::FindMark(data, *first + revolution - kSecondMarkSlack, *first + revolution + kSecondMarkSlack);
    if (!second) return;
    const auto planes = balance_page::MeasureRevolution(*first, *second);
    if (!planes) return;

    const balancing::Vibration reference{platform::TypedStrToFloat(EditBAmpl->Text()),
                                         platform::TypedStrToFloat(EditBFaza->Text())};
    ui::StringList& lines = MemoB->Lines();
    lines.Add(balance_page::IntervalText(*first, *second) + "   " + balance_page::PlaneText(1, (*planes)[0]));
    lines.Add(kIndent + balance_page::PlaneText(2, (*planes)[1]));
    // Each plane stands on its own: a plane whose measurement equals the reference has no
    // direction to correct in, and its two lines say so in place of the numbers.
    std::optional<balancing::Correction> corrections[2];
    for (int p = 0; p < 2; ++p) corrections[p] = balancing::CorrectionFor((*planes)[p], reference);
    const auto number = [](const std::optional<balancing::Correction>& c, double balancing::Correction::*field) {
        return c ? platform::FloatToStr((*c).*field) : std::string(kNoValue);
    };
    for (int p = 0; p < 2; ++p) {
        const std::string n = platform::IntToStr(p + 1);
        lines.Add(kIndent + "Уст" + n + ": " + number(corrections[p], &balancing::Correction::Change) + "   Уст" + n +
                  ": " + number(corrections[p], &balancing::Correction::DirectionDeg));
    }
    for (const auto& c : corrections) {
        lines.Add("Установ. груз, массой : " + number(c, &balancing::Correction::Mass) + " в угол: " +
                  number(c, &balancing::Correction::AngleDeg));
    }
}
