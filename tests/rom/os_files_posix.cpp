// SPDX-License-Identifier: MIT
// Test files on Linux and macOS.

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "tests/rom/os_files.h"

namespace vorn::test {

namespace {

void ChangeMode(const std::string& path, mode_t mode) {
    if (::chmod(path.c_str(), mode) != 0) {
        throw std::runtime_error("cannot change the mode of " + path);
    }
}

}  // namespace

void MakeReadOnly(const std::string& path) {
    ChangeMode(path, 0444);
}

void MakeUnreadable(const std::string& path) {
    ChangeMode(path, 0000);
}

bool MakeReadWrite(const std::string& path) {
    return ::chmod(path.c_str(), 0644) == 0;
}

std::string OsReason(Failure failure) {
    switch (failure) {
        case Failure::NoSuchFile:
        case Failure::NoSuchFolder:
            return std::strerror(ENOENT);
        case Failure::NotAFolder:
            return std::strerror(ENOTDIR);
        case Failure::IsAFolder:
            return std::strerror(EISDIR);
        case Failure::AccessDenied:
            return std::strerror(EACCES);
    }
    return std::string();
}

UnwrittenPipe::UnwrittenPipe(const TempDir& dir) : path_(dir.File("pipe.gba")) {
    if (::mkfifo(path_.c_str(), 0644) != 0) {
        throw std::runtime_error("cannot make the named pipe " + path_);
    }
}

UnwrittenPipe::~UnwrittenPipe() = default;

std::string NullDevice() {
    return "/dev/null";
}

std::string BoundSocket(const TempDir& dir) {
    const std::string path = dir.File("listening.gba");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);  // the socket's file stays
    if (!bound || path.size() >= sizeof address.sun_path) {
        throw std::runtime_error("cannot bind a socket at " + path);
    }
    return path;
}

std::string OpenHandles(const std::vector<std::string>&) {
#ifdef __APPLE__
    const char* descriptors = "/dev/fd";
#else
    const char* descriptors = "/proc/self/fd";
#endif
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(descriptors)) {
        ++count;
    }
    return std::to_string(count) + " descriptors";
}

}  // namespace vorn::test
