// The balancing page's correction on a record in memory, pressed as the operator does.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <regex>
#include <string>
#include <vector>

#include "tests/window/RedrawTestForm.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Marks at frames 1000 and 11000; plane 1 800 codes at 30°, plane 2 400 codes at 200°, each
// phase-locked to the first mark with 50 periods per 10000 frames.
std::int16_t TwoPlanes(std::int64_t k, int c) {
    if (c == 0) return k == 1000 || k == 11000 ? 1000 : 0;
    const double amplitude = c == 1 ? 800 : 400;
    const double phase = c == 1 ? 30 : 200;
    return static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * kPi * 50 * (k - 999) / 10000 + phase * kPi / 180)));
}

class BalanceCorrection : public redraw_test::RedrawForm {
protected:
    void Type(const char* begin, const char* count, const char* amplitude, const char* phase) {
        form->EditBBegin->Type(begin);
        form->EditBKol->Type(count);
        form->EditBAmpl->Type(amplitude);
        form->EditBFaza->Type(phase);
    }
    std::vector<std::string> Lines() const { return form->MemoB->Lines().Strings(); }

    // The numbers of a line after each of its labels, in order.
    static std::vector<double> Numbers(const std::string& line, const std::string& pattern) {
        std::smatch m;
        EXPECT_TRUE(std::regex_match(line, m, std::regex(pattern))) << line;
        std::vector<double> values;
        for (size_t i = 1; i < m.size(); ++i) values.push_back(std::stod(m[i]));
        return values;
    }
};

const std::string kNumber = "(-?[0-9.E-]+)";
const std::string kIndent(18, ' ');

TEST_F(BalanceCorrection, SixLinesGiveVibrationChangeMassAndAngleOfBothPlanes) {
    LoadRecord(3, 12000, TwoPlanes);
    Type("500", "10000", "1000", "90");
    form->SpeedButtonBalance->Click();
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 6u);
    const auto plane1 = Numbers(lines[0], "1000 - 11000   Amp1: " + kNumber + "   Faz1: " + kNumber);
    const auto plane2 = Numbers(lines[1], kIndent + "Amp2: " + kNumber + "   Faz2: " + kNumber);
    EXPECT_NEAR(plane1[0], 1000, 0.2);
    EXPECT_NEAR(plane1[1], 30, 0.05);
    EXPECT_NEAR(plane2[0], 500, 0.2);
    EXPECT_NEAR(plane2[1], 200, 0.05);
    const auto change1 = Numbers(lines[2], kIndent + "Уст1: " + kNumber + "   Уст1: " + kNumber);
    const auto change2 = Numbers(lines[3], kIndent + "Уст2: " + kNumber + "   Уст2: " + kNumber);
    EXPECT_NEAR(change1[0], 1000, 0.3);
    EXPECT_NEAR(change1[1], -30, 0.05) << "the direction is not reduced into 0..360";
    EXPECT_NEAR(change2[0], 1261.75, 0.3);
    EXPECT_NEAR(change2[1], 248.14, 0.05) << "a change toward negative cosine lies between 90 and 270";
    const auto mass1 = Numbers(lines[4], "Установ. груз, массой : " + kNumber + " в угол: " + kNumber);
    const auto mass2 = Numbers(lines[5], "Установ. груз, массой : " + kNumber + " в угол: " + kNumber);
    EXPECT_NEAR(mass1[0], 1, 3e-4);
    EXPECT_NEAR(mass1[1], 300, 0.05);
    EXPECT_NEAR(mass2[0], 0.79255, 3e-4);
    EXPECT_NEAR(mass2[1], 21.862, 0.05);
    EXPECT_EQ(AnalysisResults.FourierFirst, 1000);
    EXPECT_EQ(AnalysisResults.FourierCount, 10000);
    EXPECT_TRUE(AnalysisResults.SinTable.empty() && AnalysisResults.CosTable.empty());
    EXPECT_EQ(ChartState.DataKind, kKindEmpty) << "the correction leaves the display alone";

    // A reference phase of 300 puts the angle past a whole turn, and it is shown so.
    form->MemoB->Lines().Clear();
    Type("0", "10000", "1000", "300");
    form->SpeedButtonBalance->Click();
    ASSERT_EQ(Lines().size(), 6u);
    const auto unreduced = Numbers(Lines()[4], "Установ. груз, массой : " + kNumber + " в угол: " + kNumber);
    EXPECT_NEAR(unreduced[0], 0.70711, 3e-4);
    EXPECT_NEAR(unreduced[1], 405, 0.05);
}

TEST_F(BalanceCorrection, DataThatCannotGiveAResultEndWithoutALine) {
    struct Case {
        const char* what;
        int channels;
        std::int32_t frames;
        const char *begin, *count;
    } cases[] = {
        {"two channels", 2, 12000, "500", "10000"},
        {"no mark after the begin", 3, 12000, "1001", "10000"},
        {"second mark search past the data", 3, 11050, "500", "10000"},
        {"first mark search past the data", 3, 4500, "500", "10000"},
        {"revolution of no frames", 3, 12000, "500", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form->MemoB->Lines().Clear();
        LoadRecord(c.channels, c.frames, TwoPlanes);
        Type(c.begin, c.count, "1000", "90");
        form->SpeedButtonBalance->Click();
        EXPECT_TRUE(Lines().empty());
        EXPECT_TRUE(frontEnd.Messages().empty());
    }
}

TEST_F(BalanceCorrection, APlaneEqualToTheReferenceSaysSoAndTheOtherPlaneStillGetsItsWeight) {
    for (int still : {1, 2}) {
        SCOPED_TRACE("plane " + std::to_string(still) + " without vibration");
        form->MemoB->Lines().Clear();
        LoadRecord(3, 12000, [still](std::int64_t k, int ch) { return ch == still ? std::int16_t{0} : TwoPlanes(k, ch); });
        // A reference of nothing: the still plane's measurement equals it.
        Type("500", "10000", "0", "90");
        form->SpeedButtonBalance->Click();
        const auto lines = Lines();
        ASSERT_EQ(lines.size(), 6u);
        const std::string s = std::to_string(still);
        EXPECT_EQ(lines[1 + still], kIndent + "Уст" + s + ": нет   Уст" + s + ": нет");
        EXPECT_EQ(lines[3 + still], "Установ. груз, массой : нет в угол: нет");
        const int moving = 3 - still;
        const std::string m = std::to_string(moving);
        const auto change = Numbers(lines[1 + moving], kIndent + "Уст" + m + ": " + kNumber + "   Уст" + m + ": " + kNumber);
        EXPECT_NEAR(change[0], moving == 1 ? 1000 : 500, 0.3) << "against nothing, the change is the vibration";
        EXPECT_NEAR(change[1], moving == 1 ? 30 : 200, 0.05);
        const auto mass = Numbers(lines[3 + moving], "Установ. груз, массой : " + kNumber + " в угол: " + kNumber);
        EXPECT_EQ(mass[0], 0);
        EXPECT_NEAR(mass[1], moving == 1 ? 240 : 70, 0.05);
    }
}

TEST_F(BalanceCorrection, ReferenceTypedWithADecimalCommaIsTaken) {
    LoadRecord(3, 12000, TwoPlanes);
    Type("500", "10000", "1000,0", "90,0");
    form->SpeedButtonBalance->Click();
    ASSERT_EQ(Lines().size(), 6u);
    EXPECT_TRUE(frontEnd.Messages().empty());
    const auto mass1 = Numbers(Lines()[4], "Установ. груз, массой : " + kNumber + " в угол: " + kNumber);
    EXPECT_NEAR(mass1[0], 1, 3e-4);
}

TEST_F(BalanceCorrection, TextThatIsNoNumberStopsBeforeAnyLine) {
    LoadRecord(3, 12000, TwoPlanes);
    Type("500", "10000", "80б.3", "90");
    form->SpeedButtonBalance->Click();
    EXPECT_TRUE(Lines().empty());
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(frontEnd.Messages()[0].Text, "'80б.3' is not a valid floating point value");
}

}  // namespace
