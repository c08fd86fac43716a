#include "ui/toolkit/rom_command.h"

#include "rom/rom_error.h"
#include "rom/rom_file.h"
#include "ui/toolkit/desktop.h"

namespace vorn::toolkit {

bool RunRomCommand(Desktop& desktop, const std::string& path,
                   const std::function<void(RomFile&)>& steps) {
    try {
        RomFile file = RomFile::Open(path);
        steps(file);
        file.Close();
        return true;
    } catch (const RomError& error) {
        desktop.ShowMessage(error.what());
        return false;
    }
}

}  // namespace vorn::toolkit
