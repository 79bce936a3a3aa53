#include "window/OpenSaveLog.h"

#include "platform/DateTime.h"
#include "platform/Numbers.h"
#include "window/Redraw.h"
#include "state/State.h"

namespace {

std::string KindPart(FileLogKind kind) {
    using platform::FloatToStr;
    using platform::IntToStr;
    const auto& results = AnalysisResults;
    switch (kind) {
    case FileLogKind::Acquisition:
        return "     Сбор данных :  " + redraw::AcquisitionTail();
    case FileLogKind::SweepData:
        return "     Данные для АЧХ и ФЧХ :  " + redraw::AcquisitionTail();
    case FileLogKind::DshkData:
        return "     Данные для ДШК ШЭМ :  " + redraw::AcquisitionTail();
    case FileLogKind::Response:
        return "     АЧХ, ФЧХ, Амплитуды, Фазы :  с " + redraw::SweepTail();
    case FileLogKind::Harmonics:
        return "     Амплитуды, Фазы :  с " + redraw::WindowTail() + "  инт. " +
               FloatToStr(results.AnalysisInterval);
    case FileLogKind::Spectrum:
        return "     Амплитуды :  с " + IntToStr(results.SpectrumFirst) + " до " +
               IntToStr(results.SpectrumLast) + " Гц,  БПФ: " + IntToStr(AcquisitionSettings.FftBits) +
               " бит, инт. " + FloatToStr(results.AnalysisInterval);
    }
    return {};
}

} // namespace

std::string FileLogLine(FileVerb verb, FileLogKind kind) {
    const char* head = verb == FileVerb::Opened ? "Открыт файл :  " : "Сохранён файл :  ";
    return head + SampleData.DataFileName + "     " + platform::DateTimeToStr(SampleData.DataTime) +
           KindPart(kind);
}

std::optional<FileLogKind> OpenedLogKind(uint8_t dataKind) {
    switch (dataKind) {
    case kKindTimeData: return FileLogKind::Acquisition;
    case kKindSweepData: return FileLogKind::SweepData;
    case kKindSweepGain: return FileLogKind::Response;
    case kKindHarmonics: return FileLogKind::Harmonics;
    case kKindDshkData: return FileLogKind::DshkData;
    default: return std::nullopt;
    }
}
