// SPDX-License-Identifier: MIT
#pragma once

// The room header as the main window shows it, written down here once more from the format
// (not from the window's code), so that the fuzzer's properties can tell which bytes a field
// owns and how its text is to be compared.

#include <cstddef>
#include <string>

namespace vorn::fuzz {

enum class FieldKind { DataPointer, EnemyPointer, Byte, Music };

struct FieldSpec {
    const char* control;
    FieldKind kind;
    std::size_t at;  // in the 60-byte record
    std::size_t width;
};

inline constexpr FieldSpec kFields[] = {
    {"txtForeground", FieldKind::DataPointer, 0x08, 4},
    {"txtBG", FieldKind::DataPointer, 0x10, 4},
    {"txtTileData", FieldKind::DataPointer, 0x0C, 4},
    {"txtClipdata", FieldKind::DataPointer, 0x14, 4},
    {"txtEnTable1", FieldKind::EnemyPointer, 0x20, 4},
    {"txtEnTable2", FieldKind::EnemyPointer, 0x28, 4},
    {"txtEnTable3", FieldKind::EnemyPointer, 0x2C, 4},
    {"cboTileset", FieldKind::Byte, 0x00, 1},
    {"cboSwitch", FieldKind::Byte, 0x1D, 1},
    {"cboEn1", FieldKind::Byte, 0x24, 1},
    {"cboEn2", FieldKind::Byte, 0x25, 1},
    {"cboMX", FieldKind::Byte, 0x35, 1},
    {"cboMY", FieldKind::Byte, 0x36, 1},
    {"cboTide", FieldKind::Byte, 0x1C, 1},
    {"cboMusic", FieldKind::Music, 0x3A, 2},
    {"cboBehavior", FieldKind::Byte, 0x39, 1},
};

// Whether byte `i` of the record belongs to no shown field (layers, unshown bytes).
bool IsUnshownByte(std::size_t i);

// A text as a person means it: for a pointer, blanks anywhere do not count; for a list,
// blanks around it; case and leading zeros never count. "No music" reads the same as FFFF.
std::string Canonical(const std::string& text, FieldKind kind);

// Whether the window can show the value that a canonical text names as that same text: an
// offset of at most six digits, or FFFFFFFF in an enemy table box.
bool ShowsFaithfully(const std::string& canonical, FieldKind kind);

// The value a text names, read independently of the program: hexadecimal digits only after
// surrounding blanks (or, `decimal`, decimal digits); nothing otherwise.
bool ReadsAs(const std::string& text, bool decimal, unsigned long& value);

}  // namespace vorn::fuzz
