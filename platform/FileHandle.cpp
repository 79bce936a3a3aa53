#include "platform/FileHandle.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

// Files are bytes on every system (no newline translation on Windows) and stay out of programs
// the station starts.
#ifdef _WIN32
constexpr int kOpenFlags = O_BINARY | O_NOINHERIT;
#else
constexpr int kOpenFlags = O_CLOEXEC;
#endif

} // namespace

InOutError FileErrorFor(int errorCode) {
    switch (errorCode) {
    case ENOENT:
        return InOutError("File not found");
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
        return InOutError("Invalid filename");
    case EMFILE:
    case ENFILE:
        return InOutError("Too many open files");
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
        return InOutError("File access denied");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return InOutError("Disk full");
    default:
        return InOutError("I/O error " + std::to_string(errorCode));
    }
}

FileHandle::FileHandle(const std::string& path, Mode mode) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        throw InOutError("Invalid filename");
    }
    const int flags = mode == Mode::Read ? O_RDONLY : (O_WRONLY | O_CREAT | O_TRUNC);
    int fd;
    do {
        fd = ::open(path.c_str(), flags | kOpenFlags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        throw FileErrorFor(errno);
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        throw FileErrorFor(EISDIR);
    }
    fd_ = fd;
}

FileHandle::~FileHandle() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

FileHandle::FileHandle(FileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

std::size_t FileHandle::Read(void* data, std::size_t bytes) {
    auto* out = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t got = ::read(fd_, out + done, bytes - done);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileErrorFor(errno);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void FileHandle::Write(const void* data, std::size_t bytes) {
    const auto* in = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t put = ::write(fd_, in + done, bytes - done);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileErrorFor(errno);
        }
        if (put == 0) {
            throw FileErrorFor(ENOSPC);
        }
        done += static_cast<std::size_t>(put);
    }
}

std::uint64_t FileHandle::Size() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        throw FileErrorFor(errno);
    }
    return static_cast<std::uint64_t>(info.st_size);
}

void FileHandle::Close() {
    if (fd_ < 0) {
        return;
    }
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0 && errno != EINTR) {
        throw FileErrorFor(errno);
    }
}

} // namespace platform
