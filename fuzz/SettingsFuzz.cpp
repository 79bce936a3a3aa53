// libFuzzer target for the settings file: the input is read as config.cfg into a fresh main
// window (the toolkit-free one, with the scripted front end answering and recording every box).
// Seeds in fuzz/corpus/settings are settings files the station wrote.
//
// Beyond surviving every input: a file read without a box is one the window took whole, so what
// the window then writes must read back without a box and write again byte for byte the same.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

#include "settings/SettingsFile.h"
#include "state/State.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"

namespace {

std::string Scratch(const char* name) { return "/tmp/settings_fuzz_" + std::to_string(getpid()) + name; }

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

ui::ScriptedFrontEnd& FrontEnd() {
    static ui::ScriptedFrontEnd frontEnd;
    return frontEnd;
}

// A main window as the program starts it, with the groups the settings reach at their start.
std::unique_ptr<TForma> FreshWindow() {
    SampleData = {};
    AcquisitionSettings = {};
    ChartState = {};
    FrequencyResponse = {};
    auto form = std::make_unique<TForma>();
    Forma = form.get();
    FrontEnd().ClearMessages();
    return form;
}

bool ReadWithoutABox(const std::string& path) {
    ReadSettingsFile(path);
    return FrontEnd().Messages().empty();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ui::Application.SetFrontEnd(&FrontEnd());
    const std::string input = Scratch(".cfg");
    if (FILE* out = std::fopen(input.c_str(), "wb")) {
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    const std::string first = Scratch("_first.cfg");
    const std::string second = Scratch("_second.cfg");
    {
        auto form = FreshWindow();
        if (!ReadWithoutABox(input)) {
            Forma = nullptr;
            return 0;
        }
        WriteSettingsFile(first);
    }
    auto form = FreshWindow();
    if (!ReadWithoutABox(first)) {
        __builtin_trap();  // the window's own file was refused
    }
    WriteSettingsFile(second);
    if (Bytes(first) != Bytes(second)) {
        __builtin_trap();  // the second round changed the file
    }
    Forma = nullptr;
    return 0;
}
