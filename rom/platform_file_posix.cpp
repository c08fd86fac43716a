// SPDX-License-Identifier: MIT
// The file calls on Linux and macOS.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "rom/platform_file.h"
#include "rom/rom_error.h"

namespace vorn::platform {

namespace {

int Descriptor(FileHandle file) {
    return static_cast<int>(file);
}

FileKind KindOf(mode_t mode) {
    if (S_ISREG(mode)) {
        return FileKind::Regular;
    }
    if (S_ISDIR(mode)) {
        return FileKind::Folder;
    }
    if (S_ISFIFO(mode)) {
        return FileKind::NamedPipe;
    }
    if (S_ISSOCK(mode)) {
        return FileKind::Socket;
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return FileKind::Device;
    }
    return FileKind::Other;
}

OpenResult Failed(int error) {
    OpenResult result;
    result.failure = SystemReason(error);
    return result;
}

Result Moved(std::int64_t count) {
    Result result;
    result.count = count;
    return result;
}

Result Refused(int error) {
    Result result;
    result.failure = SystemReason(error);
    return result;
}

}  // namespace

OpenResult Open(const std::string& path, bool writable, bool create) {
    // O_NONBLOCK: opening a named pipe for reading would otherwise wait for a writer.
    // O_NOCTTY keeps a terminal from becoming the program's controlling terminal.
    int flags = (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if (create) {
        flags |= O_CREAT;
    }
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        // A Unix socket cannot be opened at all (ENXIO, "No such device or address"): say what
        // it is, as for a FIFO or a device.
        struct stat named {};
        if (error == ENXIO && ::stat(path.c_str(), &named) == 0 && S_ISSOCK(named.st_mode)) {
            OpenResult socket;
            socket.kind = FileKind::Socket;
            return socket;
        }
        return Failed(error);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return Failed(error);
    }
    OpenResult result;
    result.kind = KindOf(info.st_mode);
    if (result.kind != FileKind::Regular) {
        ::close(fd);
        return result;
    }
    // O_NONBLOCK may stay: it does not change how a plain file is read and written.
    result.file = fd;
    return result;
}

void Close(FileHandle file) {
    ::close(Descriptor(file));
}

Result ReadAt(FileHandle file, std::int64_t offset, std::uint8_t* out, std::size_t count) {
    for (;;) {
        const ssize_t got = ::pread(Descriptor(file), out, count, static_cast<off_t>(offset));
        if (got >= 0) {
            return Moved(got);
        }
        if (errno != EINTR) {
            return Refused(errno);
        }
    }
}

Result WriteAt(FileHandle file, std::int64_t offset, const std::uint8_t* data, std::size_t count) {
    for (;;) {
        const ssize_t put = ::pwrite(Descriptor(file), data, count, static_cast<off_t>(offset));
        if (put >= 0) {
            return Moved(put);
        }
        if (errno != EINTR) {
            return Refused(errno);
        }
    }
}

Result Size(FileHandle file) {
    struct stat info {};
    if (::fstat(Descriptor(file), &info) != 0) {
        return Refused(errno);
    }
    return Moved(static_cast<std::int64_t>(info.st_size));
}

std::string SyncToDisk(FileHandle file) {
#ifdef __APPLE__
    // On macOS fsync only hands the bytes to the drive, which may keep them in its own cache;
    // F_FULLFSYNC waits until the drive has written them. Some file systems (network shares)
    // do not know it and refuse; fsync is the most they offer. Never built or run by the
    // test command, which has no macOS machine.
    if (::fcntl(Descriptor(file), F_FULLFSYNC) == 0) {
        return std::string();
    }
#endif
    if (::fsync(Descriptor(file)) != 0) {
        return SystemReason(errno);
    }
    return std::string();
}

}  // namespace vorn::platform
