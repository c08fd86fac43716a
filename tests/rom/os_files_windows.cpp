// SPDX-License-Identifier: MIT
// Test files on Windows.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <aclapi.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "tests/rom/os_files.h"

namespace vorn::test {

namespace {

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(std::max(size, 0)));
    return wide;
}

// The system's message for an error, without its closing period and line break.
std::string Message(DWORD error) {
    char* text = nullptr;
    ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = text != nullptr ? text : "";
    ::LocalFree(text);
    while (!message.empty() && std::strchr(" .\r\n", message.back()) != nullptr) {
        message.pop_back();
    }
    return message;
}

bool SetAccessList(const std::string& path, PACL list, SECURITY_INFORMATION inheritance) {
    std::wstring wide = Wide(path);
    return ::SetNamedSecurityInfoW(wide.data(), SE_FILE_OBJECT,
                                   DACL_SECURITY_INFORMATION | inheritance, nullptr, nullptr, list,
                                   nullptr) == ERROR_SUCCESS;
}

}  // namespace

void MakeReadOnly(const std::string& path) {
    if (!::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY)) {
        throw std::runtime_error("cannot make " + path + " read-only");
    }
}

void MakeUnreadable(const std::string& path) {
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0,
                                    &everyone)) {
        throw std::runtime_error("cannot name everyone");
    }
    alignas(DWORD) unsigned char buffer[256];
    const auto list = reinterpret_cast<PACL>(buffer);
    const bool denied = ::InitializeAcl(list, sizeof buffer, ACL_REVISION) &&
                        ::AddAccessDeniedAce(list, ACL_REVISION, GENERIC_ALL, everyone) &&
                        SetAccessList(path, list, PROTECTED_DACL_SECURITY_INFORMATION);
    ::FreeSid(everyone);
    if (!denied) {
        throw std::runtime_error("cannot make " + path + " unreadable");
    }
}

bool MakeReadWrite(const std::string& path) {
    // No access list at all: everyone may do everything.
    const bool listed = SetAccessList(path, nullptr, UNPROTECTED_DACL_SECURITY_INFORMATION);
    return ::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL) && listed;
}

std::string OsReason(Failure failure) {
    switch (failure) {
        case Failure::NoSuchFile:
            return Message(ERROR_FILE_NOT_FOUND);
        case Failure::NoSuchFolder:
        case Failure::NotAFolder:
            return Message(ERROR_PATH_NOT_FOUND);
        case Failure::IsAFolder:
            // Windows has no words of its own for it; the library uses the C library's.
            return std::strerror(EISDIR);
        case Failure::AccessDenied:
            return Message(ERROR_ACCESS_DENIED);
    }
    return std::string();
}

UnwrittenPipe::UnwrittenPipe(const TempDir&) {
    static std::atomic<int> made{0};
    path_ = "\\\\.\\pipe\\vorn-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
            std::to_string(made++);
    // Each client that connects takes one instance for good: the server end never lets go.
    for (int instance = 0; instance < 8; ++instance) {
        const HANDLE end =
            ::CreateNamedPipeW(Wide(path_).c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT,
                               PIPE_UNLIMITED_INSTANCES, 0, 0, 0, nullptr);
        if (end == INVALID_HANDLE_VALUE) {
            throw std::runtime_error("cannot make the named pipe " + path_);
        }
        serverEnds_.push_back(reinterpret_cast<std::intptr_t>(end));
    }
}

UnwrittenPipe::~UnwrittenPipe() {
    for (const std::intptr_t end : serverEnds_) {
        ::CloseHandle(reinterpret_cast<HANDLE>(end));
    }
}

std::string NullDevice() {
    return "NUL";
}

std::string OpenHandles(const std::vector<std::string>& files) {
    std::string held;
    for (const std::string& file : files) {
        const HANDLE alone = ::CreateFileW(Wide(file).c_str(), GENERIC_READ, 0, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (alone != INVALID_HANDLE_VALUE) {
            ::CloseHandle(alone);
        } else if (::GetLastError() == ERROR_SHARING_VIOLATION) {
            held += file + " is held open; ";
        }
    }
    return held;
}

}  // namespace vorn::test
