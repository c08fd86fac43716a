// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vorn::test {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes away. Readable by every user, so a child process that has dropped root's
// privileges can reach the files in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a file named `name` inside the folder (the file is not created).
    std::string File(const std::string& name) const;

  private:
    std::string path_;
};

}  // namespace vorn::test
