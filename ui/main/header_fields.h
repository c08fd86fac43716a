// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "rom/room_header.h"
#include "ui/toolkit/desktop.h"

namespace vorn::toolkit {
class ComboBox;
class TextBox;
}  // namespace vorn::toolkit

namespace vorn::ui {

// One field of the room header as the main window shows it: the control and the label that
// names it, how the record's value becomes the control's text, and how a text is read back.
//
// A text that is exactly what the last load or save left in the control is unedited and
// stands for the value it came from, even where it could not show that value faithfully (a
// pointer cut to six characters, FFFFFFFF for a pointer outside the ROM). Only a text that
// differs is read.
class HeaderField {
  public:
    HeaderField(std::string label, RecordField field) : label_(std::move(label)), field_(field) {}
    virtual ~HeaderField() = default;
    HeaderField(const HeaderField&) = delete;
    HeaderField& operator=(const HeaderField&) = delete;

    RecordField Field() const { return field_; }
    // The caption that names the field in messages: "Foreground".
    const std::string& Label() const { return label_; }

    // Shows the record's value; the text it leaves is the unedited one.
    void Show(const RoomHeader& header);
    // The value to save: the shown one for an unedited text, else the value the text names;
    // nothing when the text names no value of the field.
    std::optional<std::uint32_t> ValueToSave() const;
    // After a save wrote `value`: the text shown now is the unedited one, standing for it.
    void Saved(std::uint32_t value);
    // Why the save was refused, for a text that names no value.
    virtual toolkit::MessageText Refusal() const;
    virtual std::string Text() const = 0;

  protected:
    virtual void Display(std::uint32_t value) = 0;
    virtual std::optional<std::uint32_t> Read(const std::string& text) const = 0;
    // What the field accepts, for the refusal: "a hexadecimal offset (...)".
    virtual std::string Accepts() const = 0;

  private:
    std::string label_;
    RecordField field_;
    std::string shownText_;
    std::uint32_t shownValue_ = 0;
};

// A pointer in a text box, shown as the ROM offset it designates; a typed offset is written
// back as offset + 0x08000000. A typed offset must lie in the cartridge ROM's 32 MiB (0 to
// 1FFFFFF, pointers 08000000 to 09FFFFFF): a GBA address typed for an offset would otherwise
// be stored as a pointer to nowhere.
class PointerField : public HeaderField {
  public:
    // How the stored pointer becomes the offset shown.
    using Decode = std::int32_t (*)(std::uint32_t value);
    PointerField(std::string label, RecordField field, toolkit::TextBox& box, Decode decode)
        : HeaderField(std::move(label), field), box_(box), decode_(decode) {}
    std::string Text() const override;
    toolkit::MessageText Refusal() const override;

  protected:
    void Display(std::uint32_t value) override;
    std::optional<std::uint32_t> Read(const std::string& text) const override;
    std::string Accepts() const override;

  private:
    toolkit::TextBox& box_;
    Decode decode_;
};

// A byte shown by selecting the item at its position in a list of 0 to FF.
class ByteListField : public HeaderField {
  public:
    ByteListField(std::string label, RecordField field, toolkit::ComboBox& list)
        : HeaderField(std::move(label), field), list_(list) {}
    std::string Text() const override;

  protected:
    void Display(std::uint32_t value) override;
    std::optional<std::uint32_t> Read(const std::string& text) const override;
    std::string Accepts() const override;

    toolkit::ComboBox& list_;
};

// Music: 16 bits in a list of 0 to FF. FFFF (no music) shows an empty text, and an empty text
// writes it; a value without an item of its own shows its hexadecimal text.
class MusicField : public ByteListField {
  public:
    using ByteListField::ByteListField;

  protected:
    void Display(std::uint32_t value) override;
    std::optional<std::uint32_t> Read(const std::string& text) const override;
    std::string Accepts() const override;
};

}  // namespace vorn::ui
