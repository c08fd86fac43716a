// SPDX-License-Identifier: MIT
// The text of the Windows clipboard, in UTF-8, as Windows programs copy and paste it. Under
// Wine the desktop tests use it in place of the X clipboard, which Wine brings in step with
// the Windows one only on its own time.
//
//   clipboard-text          prints the text; exits with 1 when there is none
//   clipboard-text --set    puts the text read from standard input on the clipboard

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    const bool set = argc == 2 && std::strcmp(argv[1], "--set") == 0;
    // Setting needs a window to own the clipboard; a message-only one does.
    if (!::OpenClipboard(set ? ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                                 nullptr, nullptr, nullptr)
                             : nullptr)) {
        return 1;
    }
    _setmode(_fileno(stdin), _O_BINARY);  // the line ends as they are
    _setmode(_fileno(stdout), _O_BINARY);
    bool done = false;
    if (set) {
        const std::string utf8((std::istreambuf_iterator<char>(std::cin)), {});
        const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
        // The clipboard takes the memory, which stays there after this program ends.
        const HGLOBAL memory =
            ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size) * sizeof(wchar_t));
        if (auto* text = memory ? static_cast<wchar_t*>(::GlobalLock(memory)) : nullptr) {
            ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, text, size);
            ::GlobalUnlock(memory);
            done = ::EmptyClipboard() && ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        }
    } else if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(::GlobalLock(data))) {
            const int size =
                ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
            std::string utf8(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
            ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
            ::GlobalUnlock(data);
            std::fwrite(utf8.data(), 1, utf8.size() - 1, stdout);
            done = size > 0;
        }
    }
    ::CloseClipboard();
    return done ? 0 : 1;
}
