// Saving the data in memory. The entry chosen in the save dialog picks the format; the display
// mode picks what the file holds. Only DataFileName, the file and the log change.
//
// The log line is written once the file was written and closed: a failure (a full disk, a folder
// that refuses the file) leaves through the default exception handler and reports no save.

#include <optional>
#include <string>

#include "ui/Application.h"
#include "files/FileFormats.h"
#include "window/Form.h"
#include "window/OpenSaveLog.h"
#include "window/Redraw.h"
#include "state/State.h"

namespace {

enum DialogEntry { kEntryAsc = 1, kEntryDat = 2, kEntryAf = 3 };

// The log line of a written file; text files say what they turned out to hold, the bare samples
// of ".dat" are described by the display mode.
std::optional<FileLogKind> SavedLogKind(int entry, FileContent content) {
    if (entry == kEntryDat) {
        if (ChartState.DataKind == kKindTimeData) return FileLogKind::Acquisition;
        if (ChartState.DataKind == kKindSweepData) return FileLogKind::SweepData;
        return std::nullopt;
    }
    switch (content) {
    case FileContent::Acquisition: return FileLogKind::Acquisition;
    case FileContent::SweepData: return FileLogKind::SweepData;
    case FileContent::Response: return FileLogKind::Response;
    case FileContent::Harmonics: return FileLogKind::Harmonics;
    case FileContent::Spectrum: return FileLogKind::Spectrum;
    default: return std::nullopt;
    }
}

} // namespace

void TForma::SpeedButtonSaveClick(ui::Control*) {
    // A running worker is still filling the buffer that would be written.
    if (ui::Application.AnyWorkerAlive()) return;
    if (!SaveDialog->Execute()) return;
    const int entry = SaveDialog->FilterIndex;
    if (entry == kEntryAsc || entry == kEntryDat || entry == kEntryAf) {
        const std::string path = SaveDialog->FileName;
        SampleData.DataFileName = path;
        FileContent content = FileContent::Samples;
        if (entry == kEntryAsc) {
            content = WriteAscFile(path);
        } else if (entry == kEntryDat) {
            WriteDatFile(path);
        } else {
            content = WriteAfFile(path);
        }
        if (const auto kind = SavedLogKind(entry, content)) {
            Memo->Lines().Add(FileLogLine(FileVerb::Saved, *kind));
        }
    }
    // The chart title names the file the data now belong to.
    RedrawChart();
}
