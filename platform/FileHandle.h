#pragma once
// An operating-system file that is closed on every path, with the runtime's input/output
// messages for every failure. The text and record files build their buffering on top of it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/InOutError.h"

namespace platform {

// The runtime's exception for a failed operating-system call, from the C library's error code:
// "File not found", "Invalid filename", "Too many open files", "File access denied",
// "Disk full", or "I/O error <code>" for anything else.
InOutError FileErrorFor(int errorCode);

// Puts the file `from` in the place of `to` in one step, replacing what was there. False, with
// the C library's error code in errno, when the system refuses.
bool MoveFileOver(const std::string& from, const std::string& to);

class FileHandle {
public:
    enum class Mode { Read, Replace };

    FileHandle() = default;
    // Opens an existing file for reading, or creates (replacing) one for writing.
    FileHandle(const std::string& path, Mode mode);
    ~FileHandle();

    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return fd_ >= 0; }

    // Reads up to `bytes`; fewer only at the end of the file.
    std::size_t Read(void* data, std::size_t bytes);
    // Writes everything or throws ("Disk full" when the device has no room left).
    void Write(const void* data, std::size_t bytes);
    std::uint64_t Size() const;

    // Checked close; the destructor closes quietly when an exception is already on its way.
    void Close();

private:
    int fd_ = -1;
};

} // namespace platform
