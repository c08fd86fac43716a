// SPDX-License-Identifier: MIT
#include "ui/toolkit/open_dialog.h"

#include "ui/toolkit/desktop.h"

namespace vorn::toolkit {

void OpenDialog::ShowOpen() {
    FileName = desktop_.AskOpenFile(DialogTitle, Filter, lastChoice_);
    if (!FileName.empty()) {
        lastChoice_ = FileName;
    }
}

}  // namespace vorn::toolkit
