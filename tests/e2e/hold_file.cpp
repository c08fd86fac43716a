// SPDX-License-Identifier: MIT
// Another Windows program that holds a file open, as an emulator or a hex editor may: opened
// for reading and writing without letting anyone else open it (share mode none), or letting
// others read and write it too (share mode read-write). It writes "holding" to its output
// once the file is open, and closes it when the release file appears.
//
//   hold-file <path> <none|read-write> <release file>

#include <windows.h>
// (shellapi.h needs windows.h first)
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

int main() {
    int argc = 0;
    // The wide command line: the path may hold any character.
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 4) {
        std::fprintf(stderr, "usage: hold-file <path> <none|read-write> <release file>\n");
        return 2;
    }
    const DWORD share = std::wcscmp(argv[2], L"none") == 0 ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
    const HANDLE file = ::CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, share, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "hold-file: cannot open the file (error %lu)\n", ::GetLastError());
        return 1;
    }
    std::printf("holding\n");
    std::fflush(stdout);
    while (::GetFileAttributesW(argv[3]) == INVALID_FILE_ATTRIBUTES) {
        ::Sleep(50);
    }
    ::CloseHandle(file);
    return 0;
}
