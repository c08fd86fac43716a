// SPDX-License-Identifier: MIT
#include "ui/toolkit/open_dialog.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "ui/toolkit/desktop.h"

namespace vorn::toolkit {

void OpenDialog::ShowOpen() {
    FileName = desktop_.AskOpenFile(DialogTitle, Filter, lastChoice_);
    if (!FileName.empty()) {
        lastChoice_ = FileName;
    }
}

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) {
        parts.push_back(part);
    }
    return parts;
}

std::string Cased(std::string text, int (*convert)(int)) {
    for (char& c : text) {
        c = static_cast<char>(convert(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

std::string QtFileFilter(const std::string& filter) {
    const std::vector<std::string> parts = Split(filter, '|');
    std::string result;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::vector<std::string> patterns;
        for (const std::string& raw : Split(parts[i + 1], ';')) {
            const std::string pattern = Trimmed(raw);
            for (const std::string& variant :
                 {pattern, Cased(pattern, ::toupper), Cased(pattern, ::tolower)}) {
                if (!variant.empty() &&
                    std::find(patterns.begin(), patterns.end(), variant) == patterns.end()) {
                    patterns.push_back(variant);
                }
            }
        }
        std::string joined;
        for (const std::string& pattern : patterns) {
            joined += (joined.empty() ? "" : " ") + pattern;
        }
        result += (result.empty() ? "" : ";;") + Trimmed(parts[i]) + " (" + joined + ")";
    }
    return result;
}

}  // namespace vorn::toolkit
