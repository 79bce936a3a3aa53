// Opening a data file. The entry chosen in the open dialog, not the file's extension, picks the
// format; the shared state, the pages, the log and the chart then follow what the file held.
//
// A file error leaves the handler through the default exception handler with whatever was read
// so far in the shared state (the file layer closes the file on the way out); no log line and no
// redraw follow it.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "platform/Numbers.h"
#include "threads/SweepComputation.h"
#include "ui/Application.h"
#include "ui/MessageFlags.h"
#include "files/FileFormats.h"
#include "window/Form.h"
#include "window/OpenSaveLog.h"
#include "window/Redraw.h"
#include "state/State.h"

namespace {

enum DialogEntry { kEntryAsc = 1, kEntryDat = 2, kEntryAf = 3 };

constexpr const char* kLa4Notice = "Файл данных с La-4";
constexpr const char* kLa4Caption = "OK!!!";
constexpr const char* kErrorCaption = "ОШИБКА!!!";
constexpr const char* kNoChannelsText = "Не выбрано количество каналов!";
constexpr const char* kUnknownFormatText = "Неизвестный формат файла!";

// Trackbar position of the gain view of a sweep.
constexpr int kGainView = 2;

ImportShape WindowShape(const TForma& form) {
    return {AcquisitionSettings.AdcRate, AcquisitionSettings.AdcChannels, form.ComboBoxK->ItemIndex()};
}

// Whole seconds of the samples read. A rate that is zero, negative or not a number gives none,
// and a rate so small that one sample would span a second gives no more entries than samples.
int32_t WholeSecondsOfData() {
    const double seconds = SampleData.SampleCount / 1000.0 / SampleData.DataRate;
    if (!std::isfinite(seconds) || seconds < 0) return 0;
    return static_cast<int32_t>(platform::Trunc(std::min(seconds, static_cast<double>(SampleData.SampleCount))));
}

// The kadr list of the playback page: "ВСЕ" and one entry per whole second of the data.
void FillKadrList(TForma& form) {
    ui::ComboBox& kadrs = *form.ComboBoxKadrs;
    kadrs.Items().Clear();
    kadrs.SetEnabled(true);
    form.SpeedButtonEnter->SetEnabled(true);
    form.SpeedButtonSpace->SetEnabled(true);
    kadrs.Items().Add("ВСЕ");
    kadrs.SetItemIndex(0);
    DacPlayback.KadrCount = WholeSecondsOfData();
    for (int32_t n = 1; n <= DacPlayback.KadrCount; ++n) {
        kadrs.Items().Add("  " + platform::IntToStr(n) + "  ");
    }
}

// Files do not say which module wrote their codes: the USB3000's scale when it is up, else the
// Quev module's at the file's range. Raw sweep data are always the Quev module's. ДШК ШЭМ data
// are no ADC's codes but what the playback sends to the DAC.
double OpenedDataMvPerCode() {
    if (ChartState.DataKind == kKindDshkData) return kDacBufferMvPerCode;
    if (ChartState.DataKind != kKindSweepData && ModuleState.Usb3000Present != 0) return kUsb3000MvPerCode;
    return QuevMvPerCode(SampleData.DataGain);
}

// What follows a text data file, by the display mode it left behind.
void AfterSampleFile(TForma& form) {
    switch (ChartState.DataKind) {
    case kKindSweepData:
        ThreadControl.AfcFromFile = 1;
        StartSweepComputation();
        break;
    case kKindDshkData:
        FillKadrList(form);
        break;
    default:
        break;
    }
}

// Shows the page of the tables just read.
void AfterTableFile(TForma& form, FileContent content) {
    switch (content) {
    case FileContent::Response:
        form.PageControl->SetActivePage(form.TabSheetAFFC);
        form.TrackBarAFFCshow->SetPosition(kGainView);
        break;
    case FileContent::Harmonics:
        form.PageControl->SetActivePage(form.TabSheetFurie);
        break;
    case FileContent::Spectrum:
        form.PageControl->SetActivePage(form.TabSheetADC);
        break;
    default:
        break;
    }
}

FileContent ReadChosenFile(TForma& form, int entry, const std::string& path) {
    SampleData.DataFileName = path;
    switch (entry) {
    case kEntryAsc:
        return ReadAscFile(path, WindowShape(form), [] {
            ui::Application.MessageBox(kLa4Notice, kLa4Caption, ui::MB_OK);
        });
    case kEntryDat:
        return ReadDatFile(path, WindowShape(form));
    default:
        return ReadAfFile(path);
    }
}

} // namespace

void TForma::SpeedButtonOpenClick(ui::Control*) {
    // The sample buffer and the counts belong to a running worker.
    if (ui::Application.AnyWorkerAlive()) return;
    if (!OpenDialog->Execute()) return;
    const int entry = OpenDialog->FilterIndex;
    // The settings entry names no data format: nothing is read and nothing changes.
    if (entry != kEntryAsc && entry != kEntryDat && entry != kEntryAf) return;

    const std::string previousName = SampleData.DataFileName;
    const int32_t previousCount = SampleData.SampleCount;
    SampleData.SampleCount = 0;
    const FileContent content = ReadChosenFile(*this, entry, OpenDialog->FileName);

    // Bare data without a channel count, or tables without their version line: nothing was
    // taken from the file, so the data in memory stay exactly as they were.
    if (content == FileContent::Refused || content == FileContent::NoVersion) {
        SampleData.DataFileName = previousName;
        SampleData.SampleCount = previousCount;
        ui::Application.MessageBox(content == FileContent::Refused ? kNoChannelsText : kUnknownFormatText,
                                   kErrorCaption, ui::MB_ICONINFORMATION);
        return;
    }
    if (entry != kEntryAf) SampleData.DataMvPerCode = OpenedDataMvPerCode();
    if (entry == kEntryAsc) AfterSampleFile(*this);
    if (entry == kEntryAf) AfterTableFile(*this, content);

    SampleData.FrameCount = WholeFrames(SampleData.SampleCount, SampleData.DataChannels);
    if (const auto kind = OpenedLogKind(ChartState.DataKind)) {
        Memo->Lines().Add(FileLogLine(FileVerb::Opened, *kind));
    }
    RedrawChart();
}
