#pragma once
// Shared set-up for the data-file tests: a clean shared state, a scratch folder and a record.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/Cp1251.h"
#include "platform/DateTime.h"
#include "platform/InOutError.h"
#include "platform/TextFileTemp.h"
#include "files/FileFormats.h"
#include "state/State.h"

inline const double kDataTime = platform::EncodeDate(2024, 12, 9) + platform::EncodeTime(4, 15, 0, 0);
inline const std::string kDateText = "09.12.2024 04:15:00";
inline const std::string kVersionLine = "Quev Dorvaline, в. 1.02    " + kDateText + "\r\n";

// A record in memory as an acquisition leaves it, taken at kDataTime.
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

class FileFormatTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }

    // Text given in UTF-8, stored in 1251 as the files are.
    std::string Put(const std::string& name, const std::string& utf8) {
        return folder.Put(name, platform::Utf8ToCp1251(utf8));
    }
    static std::string Text(const std::string& path) { return platform::Cp1251ToUtf8(TempFolder::Bytes(path)); }

    TempFolder folder;
};
