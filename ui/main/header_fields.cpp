// SPDX-License-Identifier: MIT
#include "ui/main/header_fields.h"

#include <algorithm>

#include "rom/hex.h"
#include "rom/rom_file.h"
#include "ui/toolkit/combo_box.h"
#include "ui/toolkit/controls.h"

namespace vorn::ui {

namespace {
constexpr std::uint32_t kLargestByte = 0xFF;
constexpr std::uint32_t kNoMusic = 0xFFFF;
// The cartridge ROM space is 32 MiB from 0x08000000 on: pointers 08000000 to 09FFFFFF.
constexpr std::int32_t kLargestRomOffset = 0x1FFFFFF;

bool InCartridge(std::int32_t offset) {
    return offset >= 0 && offset <= kLargestRomOffset;
}

// Eight digits, as a GBA address is written.
std::string AddressText(std::uint32_t address) {
    std::string digits = FormatHex(static_cast<std::int32_t>(address));
    return std::string(8 - std::min<std::size_t>(digits.size(), 8), '0') + digits;
}
}  // namespace

void HeaderField::Show(const RoomHeader& header) {
    shownValue_ = header.Get(field_);
    Display(shownValue_);
    shownText_ = Text();
}

std::optional<std::uint32_t> HeaderField::ValueToSave() const {
    const std::string text = Text();
    if (text == shownText_) {
        return shownValue_;
    }
    return Read(text);
}

void HeaderField::Saved(std::uint32_t value) {
    shownValue_ = value;
    shownText_ = Text();
}

toolkit::MessageText HeaderField::Refusal() const {
    return toolkit::MessageText(label_ + " ")
        .Typed(Text())
        .Plain(" is not " + Accepts() + ". Nothing was saved.");
}

std::string PointerField::Text() const {
    return box_.Text();
}

void PointerField::Display(std::uint32_t value) {
    box_.SetText(FormatHex(decode_(value)));  // a graphics pointer's box cuts it to six
}

std::optional<std::uint32_t> PointerField::Read(const std::string& text) const {
    const std::optional<std::int32_t> offset = ParseHexIgnoringBlanks(text);
    if (!offset || !InCartridge(*offset)) {
        return std::nullopt;
    }
    return EncodePtr(*offset);
}

toolkit::MessageText PointerField::Refusal() const {
    const std::optional<std::int32_t> typed = ParseHexIgnoringBlanks(Text());
    if (!typed) {
        return HeaderField::Refusal();
    }
    toolkit::MessageText message(Label() + " ");
    message.Typed(Text()).Plain(" would be stored as the pointer " +
                                AddressText(EncodePtr(*typed)) +
                                ", outside the cartridge ROM (08000000 to 09FFFFFF). The box "
                                "takes a file offset from 0 to 1FFFFFF");
    // A GBA address copied from a debugger or a hex editor is the likeliest slip.
    const auto address = static_cast<std::uint32_t>(*typed);
    if (address >= RomBase && address - RomBase <= kLargestRomOffset) {
        message.Plain(": for the GBA address " + AddressText(address) + " type " +
                      FormatHex(static_cast<std::int32_t>(address - RomBase)));
    }
    return message.Plain(". Nothing was saved.");
}

std::string PointerField::Accepts() const {
    return "a hexadecimal offset (digits 0-9 and A-F, at most eight)";
}

std::string ByteListField::Text() const {
    return list_.Text();
}

void ByteListField::Display(std::uint32_t value) {
    list_.SetListIndex(static_cast<int>(value));
}

std::optional<std::uint32_t> ByteListField::Read(const std::string&) const {
    const std::optional<std::uint32_t> value = list_.NamedValue();
    if (!value || *value > kLargestByte) {
        return std::nullopt;
    }
    return value;
}

std::string ByteListField::Accepts() const {
    return "a value from 0 to FF";
}

void MusicField::Display(std::uint32_t value) {
    if (value <= kLargestByte) {
        list_.SetListIndex(static_cast<int>(value));
    } else if (value == kNoMusic) {
        list_.SetListIndex(toolkit::ComboBox::kNone);
    } else {
        list_.ShowUnlisted(FormatHex(static_cast<std::int32_t>(value)));
    }
}

std::optional<std::uint32_t> MusicField::Read(const std::string& text) const {
    if (text.find_first_not_of(" \t") == std::string::npos) {
        return kNoMusic;
    }
    const std::optional<std::uint32_t> value = list_.NamedValue();
    if (!value || *value > kNoMusic) {
        return std::nullopt;
    }
    return value;
}

std::string MusicField::Accepts() const {
    return "a value from 0 to FFFF (leave it empty for no music)";
}

}  // namespace vorn::ui
