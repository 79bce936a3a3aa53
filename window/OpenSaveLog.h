#pragma once
// The log lines of the open and save handlers: the verb, the file, the date and time of the data
// and a part that says what the file holds.

#include <cstdint>
#include <optional>
#include <string>

enum class FileVerb : uint8_t { Opened, Saved };

// What a log line says the file holds.
enum class FileLogKind : uint8_t {
    Acquisition,  // DataKind 1
    SweepData,    // DataKind 2
    DshkData,     // DataKind 30 (opening only)
    Response,     // sweep results
    Harmonics,    // Fourier series or processing transform
    Spectrum,     // spectrum bins (saving only)
};

// "Открыт файл :  " or "Сохранён файл :  ", DataFileName, the date and time of DataTime and the
// kind's part, from the shared state as it stands.
std::string FileLogLine(FileVerb verb, FileLogKind kind);

// The line an open ends with, by the DataKind the file left behind; none for spectra and kinds
// no file of the station describes.
std::optional<FileLogKind> OpenedLogKind(uint8_t dataKind);
