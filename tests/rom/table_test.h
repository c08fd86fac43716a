// SPDX-License-Identifier: MIT
#pragma once

// Tables of rows that become one GoogleTest case each, named after the row.

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <string_view>

namespace vorn::test {

// A row of a table: its first member, `name`, is the words that say which case it is. A failing
// case shows them as its parameter.
struct Row {
    const char* name;
};

inline std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << '"' << row.name << '"';
}

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
