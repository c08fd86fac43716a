// SPDX-License-Identifier: MIT
#include "ui/rom_command.h"

#include "rom/rom_error.h"
#include "rom/rom_file.h"
#include "ui/toolkit/desktop.h"

namespace vorn::ui {

bool RunRomCommand(toolkit::Desktop& desktop, const std::string& path,
                   const std::function<void(RomFile&)>& steps,
                   const toolkit::MessageText& ifChangedOnDisk) {
    try {
        // The file was chosen with File > Open; if it has gone since, say so rather than
        // make an empty file in its place.
        RomFile file = RomFile::Open(path, RomFile::IfMissing::Fail);
        steps(file);
        file.Close();
        return true;
    } catch (const RomChanged& error) {
        desktop.Tell(ifChangedOnDisk.Full().empty() ? FailureMessage(error) : ifChangedOnDisk);
        return false;
    } catch (const RomError& error) {
        desktop.Tell(FailureMessage(error));
        return false;
    }
}

toolkit::MessageText FailureMessage(const RomError& error) {
    return toolkit::MessageText("Cannot " + error.Action() + " ")
        .Path(error.Path())
        .Plain(":\n" + error.Reason() + ".");
}

}  // namespace vorn::ui
