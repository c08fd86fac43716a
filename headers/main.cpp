// SPDX-License-Identifier: MIT
// vorn-headers: the room headers and enemy lists of a ROM image as text, for version control
// and scripts. Beside the editor, with the editor's guarantees: one write path, the game
// checked in the same open as every write, nothing written over another program's change.
//
//   vorn-headers export ROM [-o FILE]
//   vorn-headers diff A B
//   vorn-headers import ROM FILE [--dry-run]

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "headers/commands.h"

namespace {

using vorn::headers::CommandError;
using vorn::headers::ExitStatus;

constexpr char kUsage[] =
    "usage: vorn-headers export ROM [-o FILE]\n"
    "       vorn-headers diff A B\n"
    "       vorn-headers import ROM FILE [--dry-run]\n";

constexpr char kHelp[] =
    "\n"
    "Room headers and enemy lists of a ROM image as JSON text.\n"
    "\n"
    "  export ROM [-o FILE]       write the text (to the standard output, or FILE)\n"
    "  diff A B                   one line per field that differs; A and B are each an image\n"
    "                             or a text; exit status 1 when they differ\n"
    "  import ROM FILE [--dry-run]\n"
    "                             write the rooms and lists the text changed since its export\n"
    "                             (FILE - reads the standard input); --dry-run only says what\n"
    "\n"
    "Exit status: 0 done, 1 diff found differences, 2 bad input, 3 a write refused or failed;\n"
    "nothing is written unless every change can be. See vorn-headers(1).\n";

struct Arguments {
    std::vector<std::string> operands;
    std::string output = "-";
    bool dryRun = false;
};

// One line: what is wrong, and how the command is called.
CommandError Usage(const std::string& problem, const std::string& command) {
    std::string usage = "see vorn-headers --help";
    if (command == "export") {
        usage = "usage: vorn-headers export ROM [-o FILE]";
    } else if (command == "diff") {
        usage = "usage: vorn-headers diff A B";
    } else if (command == "import") {
        usage = "usage: vorn-headers import ROM FILE [--dry-run]";
    }
    return CommandError(ExitStatus::BadInput, problem + "; " + usage);
}

// Operands and the options `command` takes, in any order; "--" ends the options.
Arguments Parse(const std::string& command, const std::vector<std::string>& words) {
    Arguments arguments;
    bool options = true;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (options && word == "--") {
            options = false;
        } else if (options && command == "export" && (word == "-o" || word == "--output")) {
            if (++i == words.size()) {
                throw Usage(word + " needs a file name", command);
            }
            arguments.output = words[i];
        } else if (options && command == "import" && word == "--dry-run") {
            arguments.dryRun = true;
        } else if (options && word.size() > 1 && word[0] == '-') {
            throw Usage(command + " has no option " + word, command);
        } else {
            arguments.operands.push_back(word);
        }
    }
    return arguments;
}

ExitStatus Run(const std::vector<std::string>& words) {
    if (words.empty()) {
        throw Usage("no command given", "");
    }
    const std::string& command = words[0];
    const auto isHelp = [](const std::string& word) { return word == "--help" || word == "-h"; };
    if (command == "help" || std::find_if(words.begin(), words.end(), isHelp) != words.end()) {
        std::cout << kUsage << kHelp;
        return ExitStatus::Ok;
    }
    const Arguments arguments = Parse(command, {words.begin() + 1, words.end()});
    const std::vector<std::string>& operands = arguments.operands;
    const auto require = [&](std::size_t count) {
        if (operands.size() != count) {
            throw Usage(command + " takes " + std::to_string(count) + " file name" +
                            (count == 1 ? "" : "s") + ", not " + std::to_string(operands.size()),
                        command);
        }
    };
    if (command == "export") {
        require(1);
        return vorn::headers::Export(operands[0], arguments.output, std::cout);
    }
    if (command == "diff") {
        require(2);
        return vorn::headers::Diff(operands[0], operands[1], std::cout);
    }
    if (command == "import") {
        require(2);
        return vorn::headers::Import(operands[0], operands[1], arguments.dryRun, std::cout);
    }
    throw Usage("no command " + command, command);
}

}  // namespace

int main(int argc, char** argv) {
    ExitStatus status;
    try {
        status = Run({argv + 1, argv + argc});
    } catch (const CommandError& error) {
        std::cerr << "vorn-headers: " << error.what() << '\n';
        status = error.Status();
    } catch (const std::exception& error) {
        std::cerr << "vorn-headers: " << error.what() << '\n';
        status = ExitStatus::BadInput;
    }
    return static_cast<int>(status);
}
