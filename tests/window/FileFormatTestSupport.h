#pragma once
// Shared set-up for the data-file tests: a clean shared state and a scratch folder.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Cp1251.h"
#include "platform/InOutError.h"
#include "platform/TextFileTemp.h"
#include "window/FileFormats.h"
#include "window/State.h"

class FileFormatTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }

    // Text given in UTF-8, stored in 1251 as the files are.
    std::string Put(const std::string& name, const std::string& utf8) {
        return folder.Put(name, platform::Utf8ToCp1251(utf8));
    }
    std::string Text(const std::string& path) { return platform::Cp1251ToUtf8(TempFolder::Bytes(path)); }

    static void SetSamples(uint8_t channels, std::vector<int16_t> samples) {
        SampleData.DataChannels = channels;
        SampleData.SampleBuffer = std::move(samples);
        SampleData.SampleCount = static_cast<int32_t>(SampleData.SampleBuffer.size());
        SampleData.FrameCount = SampleData.SampleCount / channels;
    }

    TempFolder folder;
};

inline const std::string kVersion = "Quev Dorvaline, в. 1.02    ";
