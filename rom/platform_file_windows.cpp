// SPDX-License-Identifier: MIT
// The file calls on Windows.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

#include "rom/platform_file.h"

namespace vorn::platform {

namespace {

HANDLE Handle(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

// The system's text for an error code, as UTF-8 without the closing period and line break
// (RomError adds its own period).
std::string Reason(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason;
    if (length > 0 && text != nullptr) {
        const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr,
                                               0, nullptr, nullptr);
        if (size > 0) {
            reason.resize(static_cast<std::size_t>(size));
            ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), reason.data(), size,
                                  nullptr, nullptr);
        }
    }
    ::LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.')) {
        reason.pop_back();
    }
    return reason.empty() ? "Windows error " + std::to_string(error) : reason;
}

OpenResult Failed(DWORD error) {
    OpenResult result;
    result.failure = Reason(error);
    return result;
}

Result Moved(DWORD count) {
    Result result;
    result.count = count;
    return result;
}

Result Refused(DWORD error) {
    Result result;
    result.failure = Reason(error);
    return result;
}

bool ToWide(const std::string& text, std::wstring& wide) {
    if (text.empty()) {
        wide.clear();
        return true;
    }
    const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) {
        return false;
    }
    wide.resize(static_cast<std::size_t>(size));
    return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                 static_cast<int>(text.size()), wide.data(), size) == size;
}

FileKind KindOf(DWORD type) {
    switch (type) {
        case FILE_TYPE_DISK:
            return FileKind::Regular;
        case FILE_TYPE_PIPE:
            return FileKind::NamedPipe;  // sockets are pipes to Windows as well
        case FILE_TYPE_CHAR:
            return FileKind::Device;
        default:
            return FileKind::Other;
    }
}

OVERLAPPED At(std::int64_t offset) {
    OVERLAPPED at{};
    const auto position = static_cast<std::uint64_t>(offset);
    at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    return at;
}

// ReadFile and WriteFile take a 32-bit count; the callers loop over what is left.
DWORD Chunk(std::size_t count) {
    return static_cast<DWORD>(std::min<std::size_t>(count, std::size_t{1} << 30));
}

}  // namespace

OpenResult Open(const std::string& path, bool writable, bool create) {
    std::wstring wide;
    if (!ToWide(path, wide)) {
        return Failed(ERROR_NO_UNICODE_TRANSLATION);
    }
    // Other programs may read and write the file while a command has it open, and rename or
    // delete it, as on POSIX.
    const HANDLE file =
        ::CreateFileW(wide.c_str(), writable ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // A folder cannot be opened as a file at all, and Windows says only "access denied":
        // name it for what it is, as POSIX does.
        const DWORD attributes = ::GetFileAttributesW(wide.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            OpenResult result;
            result.kind = FileKind::Folder;
            return result;
        }
        return Failed(error);
    }
    // A pipe, console or device: refused before anything is read from it.
    OpenResult result;
    result.kind = KindOf(::GetFileType(file));
    if (result.kind != FileKind::Regular) {
        ::CloseHandle(file);
        return result;
    }
    result.file = reinterpret_cast<FileHandle>(file);
    return result;
}

void Close(FileHandle file) {
    ::CloseHandle(Handle(file));
}

Result ReadAt(FileHandle file, std::int64_t offset, std::uint8_t* out, std::size_t count) {
    OVERLAPPED at = At(offset);
    DWORD got = 0;
    if (!::ReadFile(Handle(file), out, Chunk(count), &got, &at)) {
        const DWORD error = ::GetLastError();
        // Windows reports a read at or past the end as an error; POSIX reads 0 bytes there.
        return error == ERROR_HANDLE_EOF ? Moved(0) : Refused(error);
    }
    return Moved(got);
}

Result WriteAt(FileHandle file, std::int64_t offset, const std::uint8_t* data, std::size_t count) {
    OVERLAPPED at = At(offset);
    DWORD put = 0;
    if (!::WriteFile(Handle(file), data, Chunk(count), &put, &at)) {
        return Refused(::GetLastError());
    }
    return Moved(put);
}

Result Size(FileHandle file) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(Handle(file), &size)) {
        return Refused(::GetLastError());
    }
    Result result;
    result.count = size.QuadPart;
    return result;
}

std::string SyncToDisk(FileHandle file) {
    if (!::FlushFileBuffers(Handle(file))) {
        return Reason(::GetLastError());
    }
    return std::string();
}

}  // namespace vorn::platform
