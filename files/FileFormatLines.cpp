// Version, kind and header lines of the text files.

#include <array>
#include <limits>
#include <string>
#include <string_view>

#include "platform/Cp1251.h"
#include "platform/DateTime.h"
#include "files/FileFormats.h"
#include "state/State.h"

namespace {

constexpr std::size_t kFieldWidth = 23;  // what readers compare or take of a line
constexpr std::size_t kKindLineWidth = 24;

constexpr std::string_view kVersionWritten = "Quev Dorvaline, в. 1.02";
constexpr std::string_view kVersionOlder = "Quev Dorvaline, в. 1.01";
constexpr std::string_view kVersionGap = "    ";

// Fixed texts go into files in 1251, padded to `width` 1251 characters.
std::string Padded1251(std::string_view utf8, std::size_t width) {
    std::string text = platform::Utf8ToCp1251(utf8);
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

struct KindWord {
    FileKind kind;
    std::string_view word;
};

constexpr std::array<KindWord, 6> kKindWords{{
    {FileKind::Acquisition, "СБОР ДАННЫХ"},
    {FileKind::SweepData, "ДАННЫЕ ПО АЧХ И ФЧХ"},
    {FileKind::DshkData, "ДАННЫЕ ДЛЯ ДШК ШЭМ"},
    {FileKind::Response, "АЧХ И ФЧХ"},
    {FileKind::Harmonics, "ПРЕОБРАЗОВАНИЕ ФУРЬЕ"},
    {FileKind::Spectrum, "СПЕКТРОАНАЛИЗ"},
}};

// ---- header fields --------------------------------------------------------------------------

enum class FieldId : uint8_t {
    Rate, Channels, Gain, DacRate, Amplitude, FreqBegin, FreqEnd, OctavesPerMin, Steps,
    RiseTime, FallTime, FourierFirst, FourierCount, FourierInterval, SpectrumFirst,
    SpectrumLast, FftBits, SpectrumInterval,
};

struct HeaderField {
    std::string_view label;  // 24 characters once in 1251
    double* real = nullptr;
    int32_t* integer = nullptr;
    uint8_t* byte = nullptr;
    int32_t min = 0;
    int32_t max = 0;
};

constexpr int32_t kAnyInt = std::numeric_limits<int32_t>::max();
constexpr int32_t kAnyIntMin = std::numeric_limits<int32_t>::min();

HeaderField Describe(FieldId id) {
    auto& data = SampleData;
    auto& afc = FrequencyResponse;
    auto& analysis = AnalysisResults;
    switch (id) {
    case FieldId::Rate: return {"Частота сбора данных  : ", &data.DataRate};
    case FieldId::Channels: return {"Количество каналов    : ", nullptr, nullptr, &data.DataChannels, 1, 16};
    // Any byte: 255 is what a recording stores when no input range was chosen. Readers of the
    // gain take a code outside 0 to 3 as range 0.
    case FieldId::Gain: return {"Коэф. усиления АЦП    : ", nullptr, nullptr, &data.DataGain, 0, 255};
    case FieldId::DacRate: return {"АЧХ, частота ЦАП      : ", &afc.AfcDacRate};
    case FieldId::Amplitude: return {"АЧХ, напряжение       : ", &afc.AfcAmplitude};
    case FieldId::FreqBegin: return {"АЧХ, нач. частота     : ", &afc.AfcFreqBegin};
    case FieldId::FreqEnd: return {"АЧХ, кон. частота     : ", &afc.AfcFreqEnd};
    case FieldId::OctavesPerMin: return {"АЧХ, скорость роста   : ", &afc.AfcOctavesPerMin};
    case FieldId::Steps: return {"АЧХ, кол-во значений  : ", nullptr, &afc.AfcSteps, nullptr, 0, kMaxFileSteps};
    case FieldId::RiseTime: return {"АЧХ, нарастание       : ", &afc.AfcRiseTime};
    case FieldId::FallTime: return {"АЧХ, убывание         : ", &afc.AfcFallTime};
    // A window start indexes nothing when a table is read: any value is taken.
    case FieldId::FourierFirst: return {"Начальное значение    : ", nullptr, &analysis.FourierFirst, nullptr, kAnyIntMin, kAnyInt};
    case FieldId::FourierCount: return {"Количество данных     : ", nullptr, &analysis.FourierCount, nullptr, 0, kMaxFileFourierCount};
    case FieldId::FourierInterval: return {"Интервал              : ", &analysis.AnalysisInterval};
    case FieldId::SpectrumFirst: return {"Начальное значение    : ", nullptr, &analysis.SpectrumFirst, nullptr, 0, kMaxFileSpectrumBin};
    // Below SpectrumFirst it leaves no row, as the live spectrum can save it.
    case FieldId::SpectrumLast: return {"Количество данных     : ", nullptr, &analysis.SpectrumLast, nullptr, 0, kMaxFileSpectrumBin};
    case FieldId::FftBits: return {"БПФ, кол-во бит       : ", nullptr, &AcquisitionSettings.FftBits, nullptr, 0, kMaxFileFftBits};
    case FieldId::SpectrumInterval: return {"БПФ, интервал         : ", &analysis.AnalysisInterval};
    }
    return {};
}

using enum FieldId;
constexpr std::array kSetA{Rate, Channels, Gain};
constexpr std::array kSetB{Rate, Channels, Gain, DacRate, Amplitude, FreqBegin, FreqEnd,
                           OctavesPerMin, Steps, RiseTime, FallTime};
constexpr std::array kSetC{Rate, Channels, Gain, DacRate, Amplitude, FreqBegin, FreqEnd,
                           OctavesPerMin, Steps};
constexpr std::array kSetD{Rate, Channels, Gain, FourierFirst, FourierCount, FourierInterval};
constexpr std::array kSetE{Rate, Channels, Gain, SpectrumFirst, SpectrumLast, FftBits,
                           SpectrumInterval};

template <typename Visit>
void ForEachField(HeaderSet set, Visit visit) {
    const auto run = [&](const auto& fields) {
        for (FieldId id : fields) {
            visit(id);
        }
    };
    switch (set) {
    case HeaderSet::A: run(kSetA); break;
    case HeaderSet::B: run(kSetB); break;
    case HeaderSet::C: run(kSetC); break;
    case HeaderSet::D: run(kSetD); break;
    case HeaderSet::E: run(kSetE); break;
    }
}

void WriteField(platform::TextWriter& file, FieldId id) {
    const HeaderField field = Describe(id);
    file.Write(platform::Utf8ToCp1251(field.label));
    if (field.real) {
        file.WriteReal(*field.real);
    } else if (field.integer) {
        file.WriteInt(*field.integer);
    } else {
        file.WriteInt(*field.byte);
    }
    file.WriteLineEnd();
}

// Fields are known by their position; the label is taken and never compared.
void ReadField(platform::TextReader& file, FieldId id) {
    const HeaderField field = Describe(id);
    file.ReadChars(kFieldWidth);
    if (field.real) {
        *field.real = file.ReadReal();
    } else {
        const int32_t value = file.ReadInt();
        if (value < field.min || value > field.max) {
            throw platform::InOutError("Invalid numeric input");
        }
        if (field.integer) {
            *field.integer = value;
        } else {
            *field.byte = static_cast<uint8_t>(value);
        }
    }
    file.SkipLine();
}

} // namespace

void WriteVersionLine(platform::TextWriter& file, double dataTime) {
    file.Write(platform::Utf8ToCp1251(kVersionWritten));
    file.Write(kVersionGap);
    file.Write(platform::Utf8ToCp1251(platform::DateTimeToStr(dataTime)));
    file.WriteLineEnd();
}

bool ReadVersionField(platform::TextReader& file) {
    const std::string field = file.ReadChars(kFieldWidth);
    return field == platform::Utf8ToCp1251(kVersionWritten) ||
           field == platform::Utf8ToCp1251(kVersionOlder);
}

double ReadDateTimeField(platform::TextReader& file) {
    std::string text = platform::Cp1251ToUtf8(file.ReadChars(kFieldWidth));
    // The four blanks after the version field are skipped, so a refused text is shown as written.
    text.erase(0, text.find_first_not_of(' '));
    const double value = platform::StrToDateTime(text);
    file.SkipLine();
    return value;
}

void WriteKindLine(platform::TextWriter& file, FileKind kind) {
    for (const KindWord& entry : kKindWords) {
        if (entry.kind == kind) {
            file.Write(Padded1251(entry.word, kKindLineWidth));
        }
    }
    file.WriteLineEnd();
}

FileKind ReadKindLine(platform::TextReader& file) {
    const std::string field = file.ReadChars(kFieldWidth);
    file.SkipLine();
    for (const KindWord& entry : kKindWords) {
        if (field == Padded1251(entry.word, kFieldWidth)) {
            return entry.kind;
        }
    }
    return FileKind::Other;
}

void WriteHeader(platform::TextWriter& file, HeaderSet set) {
    ForEachField(set, [&](FieldId id) { WriteField(file, id); });
}

void ReadHeader(platform::TextReader& file, HeaderSet set) {
    ForEachField(set, [&](FieldId id) { ReadField(file, id); });
}
