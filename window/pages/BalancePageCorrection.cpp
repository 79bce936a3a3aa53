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

    const balancing::Vibration reference{platform::StrToFloat(EditBAmpl->Text()),
                                         platform::StrToFloat(EditBFaza->Text())};
    ui::StringList& lines = MemoB->Lines();
    lines.Add(balance_page::IntervalText(*first, *second) + "   " + balance_page::PlaneText(1, (*planes)[0]));
    lines.Add(kIndent + balance_page::PlaneText(2, (*planes)[1]));
    std::optional<balancing::Correction> corrections[2];
    for (int p = 0; p < 2; ++p) {
        corrections[p] = balancing::CorrectionFor((*planes)[p], reference);
        // A measurement equal to the reference has no direction to correct in.
        if (!corrections[p]) return;
        const std::string n = platform::IntToStr(p + 1);
        lines.Add(kIndent + "Уст" + n + ": " + platform::FloatToStr(corrections[p]->Change) + "   Уст" + n + ": " +
                  platform::FloatToStr(corrections[p]->DirectionDeg));
    }
    for (const auto& c : corrections) {
        lines.Add("Установ. груз, массой : " + platform::FloatToStr(c->Mass) + " в угол: " +
                  platform::FloatToStr(c->AngleDeg));
    }
}
