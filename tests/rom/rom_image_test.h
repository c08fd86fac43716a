// SPDX-License-Identifier: MIT
#pragma once

// What the ROM tests share: a fresh temporary folder for each case with the image written
// into it, also for the cases of a table (tests/rom/table_test.h).

#include <gtest/gtest.h>

#include <string>

#include "rom/rom_file.h"
#include "tests/rom/table_test.h"
#include "tests/support/image_builder.h"
#include "tests/support/temp_dir.h"

namespace vorn::test {

class RomImageTest : public ::testing::Test {
  protected:
    // Writes `image` to rom.gba in the case's folder and returns its path.
    const std::string& WriteImage(const ImageBuilder& image) {
        path_ = image.WriteTo(dir_.File("rom.gba"));
        return path_;
    }
    RomFile OpenImage(const ImageBuilder& image) { return RomFile::Open(WriteImage(image)); }

    // The path WriteImage wrote to, and what the file there holds now.
    const std::string& ImagePath() const { return path_; }
    ByteVector FileBytes() const { return ReadFileBytes(path_); }

    const TempDir& Dir() const { return dir_; }

  private:
    TempDir dir_;
    std::string path_ = dir_.File("rom.gba");
};

template <typename TableRow>
class RomImageTableTest : public RomImageTest, public ::testing::WithParamInterface<TableRow> {};

}  // namespace vorn::test
