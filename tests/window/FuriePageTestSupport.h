#pragma once
// A main window on the scripted front end for driving the processing page: the window typed,
// the tables, the log and what a refused analysis must leave as it found it.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/window/RedrawTestForm.h"
#include "ui/MessageFlags.h"
#include "state/State.h"

namespace furie_page_test {

inline constexpr const char* kNoSuchData = "Такого количества данных нет!";

struct Refusal {
    const char* first;
    const char* count;
    const char* message;
    bool fromPage = true;  // else the default handler's conversion error
};

class FuriePageForm : public redraw_test::RedrawForm {
protected:
    void TypeWindow(const std::string& first, const std::string& count) {
        form->EditBeg->Type(first);
        form->EditKol->Type(count);
    }

    static double Amp(size_t row, size_t c = 0) { return AnalysisResults.AmpTable[TableIndex(row, c)]; }
    static double Phase(size_t row, size_t c = 0) { return AnalysisResults.PhaseTable[TableIndex(row, c)]; }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : frontEnd.Messages()) texts.push_back(m.Text);
        return texts;
    }
    std::vector<std::string> LogLines() const { return form->Memo->Lines().Strings(); }

    // Types the window, presses, and expects the one message and earlier results left alone.
    void ExpectRefused(const Refusal& r, const std::function<void()>& press) {
        SCOPED_TRACE(std::string(r.first) + " " + r.count);
        frontEnd.ClearMessages();
        ChartState.DataKind = kKindTimeData;
        AnalysisResults.FourierFirst = 7;
        AnalysisResults.FourierCount = 4;
        AnalysisResults.FftSize = 2;
        AnalysisResults.AmpTable.assign(3 * SampleData.DataChannels, 5.0);
        form->Chart->SetTitleText("earlier");
        TypeWindow(r.first, r.count);
        press();
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{r.message});
        const auto messages = frontEnd.Messages();
        if (!messages.empty()) {
            const auto& shown = messages[0];
            EXPECT_EQ(shown.Caption == "ОШИБКА!!!" && shown.Flags == ui::MB_ICONINFORMATION, r.fromPage);
        }
        EXPECT_EQ(ChartState.DataKind, kKindTimeData);
        EXPECT_EQ(AnalysisResults.FourierFirst, 7);
        EXPECT_EQ(AnalysisResults.FourierCount, 4);
        EXPECT_EQ(AnalysisResults.FftSize, 2);
        EXPECT_EQ(AnalysisResults.AmpTable.size(), 3u * SampleData.DataChannels);
        EXPECT_EQ(form->Chart->TitleText(), "earlier");
        EXPECT_TRUE(LogLines().empty());
        frontEnd.ClearMessages();
    }
};

}  // namespace furie_page_test
