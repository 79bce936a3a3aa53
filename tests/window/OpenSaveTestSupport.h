#pragma once
// A main window on the scripted front end over the data-file set-up, with the operator's open and
// save clicks and a way to tell whether the chart was redrawn.

#include <memory>
#include <string>
#include <vector>

#include "tests/files/FileFormatTestSupport.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"

enum { kAsc = 1, kDat = 2, kAf = 3, kCfg = 4 };

class OpenSaveTest : public FileFormatTest {
protected:
    void SetUp() override {
        ui::Application.SetFrontEnd(&frontEnd);
        FileFormatTest::SetUp();
        form = std::make_unique<TForma>();
        Forma = form.get();
        ForgetRedraw();
    }
    void TearDown() override {
        StopAndReapAllWorkers();
        Forma = nullptr;
        form.reset();
        ui::Application.SetFrontEnd(nullptr);
        FileFormatTest::TearDown();
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

    ui::ScriptedFrontEnd frontEnd;
    std::unique_ptr<TForma> form;
};
