// SPDX-License-Identifier: MIT
#include "ui/toolkit/rom_command.h"

#include "rom/rom_error.h"
#include "rom/rom_file.h"
#include "ui/toolkit/desktop.h"

namespace vorn::toolkit {

bool RunRomCommand(Desktop& desktop, const std::string& path,
                   const std::function<void(RomFile&)>& steps, const std::string& ifChangedOnDisk) {
    try {
        // The file was chosen with File > Open; if it has gone since, say so rather than
        // make an empty file in its place.
        RomFile file = RomFile::Open(path, RomFile::IfMissing::Fail);
        steps(file);
        file.Close();
        return true;
    } catch (const RomChanged& error) {
        desktop.ShowMessage(ifChangedOnDisk.empty() ? error.what() : ifChangedOnDisk);
        return false;
    } catch (const RomError& error) {
        desktop.ShowMessage(error.what());
        return false;
    }
}

}  // namespace vorn::toolkit
