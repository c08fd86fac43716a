// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vorn::toolkit {

// A message for the user in two versions: what the message box shows, where a long quote of
// what the user typed or pasted and a long path are shortened, so that the box stays readable
// and on the screen; and the full text, which the box still offers to read and copy when the
// two differ.
class MessageText {
  public:
    MessageText() = default;
    explicit MessageText(const std::string& plain) { Plain(plain); }

    MessageText& Plain(const std::string& text);
    // What the user typed or pasted, in double quotes: a long one is shown cut to about 60
    // characters' width, then "…" and its full length.
    MessageText& Typed(const std::string& text);
    // A file's path, in double quotes; a long one is shown without its middle.
    MessageText& Path(const std::string& path);

    const std::string& Shown() const { return shown_; }
    const std::string& Full() const { return full_; }
    bool IsShortened() const { return shown_ != full_; }

  private:
    std::string shown_;
    std::string full_;
};

}  // namespace vorn::toolkit
