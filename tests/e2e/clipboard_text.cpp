// SPDX-License-Identifier: MIT
// The text of the Windows clipboard, in UTF-8, as Windows programs copy and paste it. Under
// Wine the desktop tests use it in place of the X clipboard, which Wine keeps in step with
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

namespace {

int Print() {
    const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    const auto* text = data != nullptr ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
    if (text == nullptr) {
        return 1;
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    ::GlobalUnlock(data);
    _setmode(_fileno(stdout), _O_BINARY);  // the line ends as they are
    std::fwrite(utf8.data(), 1, utf8.size() - 1, stdout);
    return 0;
}

int Set() {
    _setmode(_fileno(stdin), _O_BINARY);
    const std::string utf8((std::istreambuf_iterator<char>(std::cin)),
                           std::istreambuf_iterator<char>());
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    const HGLOBAL memory =
        ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size) * sizeof(wchar_t));
    auto* text = memory != nullptr ? static_cast<wchar_t*>(::GlobalLock(memory)) : nullptr;
    if (text == nullptr) {
        return 1;
    }
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, text, size);
    ::GlobalUnlock(memory);
    // The clipboard takes the memory; it stays there after this program ends.
    return ::EmptyClipboard() && ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const bool set = argc == 2 && std::strcmp(argv[1], "--set") == 0;
    // Setting needs a window to own the clipboard; a message-only one does.
    const HWND owner = set ? ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                               nullptr, nullptr, nullptr)
                           : nullptr;
    if (!::OpenClipboard(owner)) {
        return 1;
    }
    const int status = set ? Set() : Print();
    ::CloseClipboard();
    return status;
}
