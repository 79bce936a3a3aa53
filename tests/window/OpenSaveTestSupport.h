#pragma once
// A main window on the scripted front end, a clean shared state and a scratch folder, with the
// operator's open and save clicks and a way to tell whether the chart was redrawn.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Cp1251.h"
#include "platform/DateTime.h"
#include "platform/TextFileTemp.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"
#include "window/State.h"

enum { kAsc = 1, kDat = 2, kAf = 3, kCfg = 4 };

// 09.12.2024 04:15:00
inline const double kDataTime = platform::EncodeDate(2024, 12, 9) + platform::EncodeTime(4, 15, 0, 0);
inline const std::string kDateText = "09.12.2024 04:15:00";

// A record in memory as an acquisition leaves it.
inline void SetRecord(uint8_t kind, uint8_t channels, double rate, uint8_t gain, std::vector<int16_t> samples) {
    ChartState.DataKind = kind;
    SampleData.DataChannels = channels;
    SampleData.DataRate = rate;
    SampleData.DataGain = gain;
    SampleData.SampleBuffer = std::move(samples);
    SampleData.SampleCount = static_cast<int32_t>(SampleData.SampleBuffer.size());
    SampleData.FrameCount = SampleData.SampleCount / channels;
    SampleData.DataTime = kDataTime;
}

class OpenSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Application.SetFrontEnd(&frontEnd);
        ResetSharedState();
        form = std::make_unique<TForma>();
        Forma = form.get();
        ForgetRedraw();
    }
    void TearDown() override {
        Forma = nullptr;
        form.reset();
        ui::Application.SetFrontEnd(nullptr);
        ResetSharedState();
    }

    void Open(const std::string& path, int entry) {
        frontEnd.QueueOpen(path, entry);
        form->SpeedButtonOpen->Click();
    }
    void Save(const std::string& path, int entry) {
        frontEnd.QueueSave(path, entry);
        form->SpeedButtonSave->Click();
    }

    // Every redraw refreshes the status bar's memory panel.
    void ForgetRedraw() { form->StatusBar->SetPanelText(1, ""); }
    bool Redrawn() const { return !form->StatusBar->Panel(1).Text.empty(); }

    std::vector<std::string> Log() const { return form->Memo->Lines().Strings(); }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : frontEnd.Messages()) texts.push_back(m.Text);
        return texts;
    }

    // Text given in UTF-8, stored in 1251 as data files are.
    std::string Put(const std::string& name, const std::string& utf8) {
        return folder.Put(name, platform::Utf8ToCp1251(utf8));
    }

    TempFolder folder;
    ui::ScriptedFrontEnd frontEnd;
    std::unique_ptr<TForma> form;
};
