#pragma once
// A main window on the scripted front end with a fresh shared state, a machine of known free
// memory and disk, and helpers to put a record in memory and read what a series shows.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/SystemInfo.h"
#include "tests/ScratchDirectory.h"
#include "ui/Application.h"
#include "ui/ScriptedFrontEnd.h"
#include "window/Form.h"
#include "state/State.h"

namespace redraw_test {

class FixedMachine : public platform::SystemInfoProvider {
public:
    platform::OsVersion GetOsVersion() override { return {}; }
    std::int64_t FreePhysicalMemory() override { return memory; }
    std::int64_t FreeDiskBytes() override { return disk; }
    std::string GetCurrentDirectory() override { return directory; }
    bool SetCurrentDirectory(const std::string&) override { return true; }

    std::int64_t memory = 1234567;
    std::int64_t disk = 12;
    std::string directory;
};

using Point = std::pair<double, double>;

class RedrawForm : public ::testing::Test {
protected:
    void SetUp() override {
        ui::Application.SetFrontEnd(&frontEnd);
        machine->directory = scratch.Path();
        platform::SetSystemInfoProvider(machine);
        ResetSharedState();
        form = std::make_unique<TForma>();
        Forma = form.get();
    }
    void TearDown() override {
        Forma = nullptr;
        form.reset();
        platform::SetSystemInfoProvider(nullptr);
        ui::Application.SetFrontEnd(nullptr);
        ResetSharedState();
    }

    // A record of `frames` frames whose code of channel c in frame k is code(k, c).
    static void LoadRecord(int channels, std::int32_t frames,
                           const std::function<std::int16_t(std::int64_t, int)>& code) {
        SampleData.DataChannels = static_cast<std::uint8_t>(channels);
        SampleData.FrameCount = frames;
        SampleData.SampleCount = frames * channels;
        SampleData.SampleBuffer.assign(static_cast<std::size_t>(frames) * channels, 0);
        for (std::int64_t k = 0; k < frames; ++k) {
            for (int c = 0; c < channels; ++c)
                SampleData.SampleBuffer[k * channels + c] = code(k, c);
        }
    }

    // Channel c of frame k carries 100 * c + k % 100, so every point tells where it came from.
    static std::int16_t Tagged(std::int64_t k, int c) {
        return static_cast<std::int16_t>(100 * c + k % 100);
    }

    ui::Series& SeriesNo(int number) const { return *form->Series[number - 1]; }

    std::vector<Point> Points(int number) const {
        const ui::Series& s = SeriesNo(number);
        std::vector<Point> points;
        for (int i = 0; i < s.Count(); ++i) points.emplace_back(s.XValues()[i], s.YValues()[i]);
        return points;
    }

    ui::ScriptedFrontEnd frontEnd;
    ScratchDirectory scratch;
    std::shared_ptr<FixedMachine> machine = std::make_shared<FixedMachine>();
    std::unique_ptr<TForma> form;
};

} // namespace redraw_test
