// SPDX-License-Identifier: MIT
#pragma once

// What the ROM tests share: a fresh temporary folder for each case with the image written
// into it, and tables of rows that become one case each, named after the row.

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <string_view>

#include "rom/rom_file.h"
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

// A row of a table: its first member, `name`, is the words that say which case it is. A failing
// case shows them as its parameter.
struct Row {
    const char* name;
};

inline std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << '"' << row.name << '"';
}

template <typename TableRow>
class RomImageTableTest : public RomImageTest, public ::testing::WithParamInterface<TableRow> {};

template <typename TableRow>
class TableTest : public ::testing::TestWithParam<TableRow> {};

// Test names may hold letters, digits and underscores only: "FF FF 00 is an enemy" becomes
// FF_FF_00_is_an_enemy.
inline std::string CaseName(std::string_view words) {
    std::string name;
    for (const char c : words) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_') {
        name.pop_back();
    }
    return name;
}

struct RowName {
    template <typename TableRow>
    std::string operator()(const ::testing::TestParamInfo<TableRow>& info) const {
        return CaseName(info.param.name);
    }
};

}  // namespace vorn::test

// One case per row of `rows`, each named after its row.
#define VORN_TABLE(Suite, rows) \
    INSTANTIATE_TEST_SUITE_P(Rows, Suite, ::testing::ValuesIn(rows), ::vorn::test::RowName())
