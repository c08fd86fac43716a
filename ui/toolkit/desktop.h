// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vorn::toolkit {

// A message in two versions: what the message box shows, with a long quote of what the user
// typed and a long path shortened so that the box stays readable, and the full text, which the
// box offers behind "Show Details..." when the two differ.
class MessageText {
  public:
    MessageText() = default;
    explicit MessageText(const std::string& plain) { Plain(plain); }

    MessageText& Plain(const std::string& text);
    // Typed text in double quotes; a long one is cut to about 60 characters' width, then "…"
    // and its full length.
    MessageText& Typed(const std::string& text);
    // A path in double quotes; a long one loses its middle.
    MessageText& Path(const std::string& path);

    const std::string& Shown() const { return shown_; }
    const std::string& Full() const { return full_; }

  private:
    std::string shown_;
    std::string full_;
};

// What the windows need of the desktop beyond their controls: a modal message box and the Open
// dialog. The application installs the real one; tests a scripted one, which never waits.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // A modal message box: the text, one OK button, no icon, the application's title as
    // caption; `details`, when not empty, a longer version to read and copy.
    virtual void ShowMessage(const std::string& text, const std::string& details) = 0;
    void ShowMessage(const std::string& text) { ShowMessage(text, std::string()); }
    void Tell(const MessageText& message) {
        ShowMessage(message.Shown(), message.Shown() != message.Full() ? message.Full() : "");
    }

    // The modal Open dialog; `filter` in Qt's form ("GBA roms (*.GBA *.gba)"), `start` the
    // previous choice or empty. Returns the chosen full path, or empty when cancelled.
    virtual std::string AskOpenFile(const std::string& title, const std::string& filter,
                                    const std::string& start) = 0;
};

// The common Open dialog as an object a window owns: a title, a filter and the last choice,
// where it opens again.
class OpenDialog {
  public:
    explicit OpenDialog(Desktop& desktop) : desktop_(desktop) {}

    std::string DialogTitle;
    std::string Filter;
    // The chosen full path after ShowOpen, or empty when the user cancelled.
    std::string FileName;

    void ShowOpen() {
        FileName = desktop_.AskOpenFile(DialogTitle, Filter, lastChoice_);
        if (!FileName.empty()) {
            lastChoice_ = FileName;
        }
    }

  private:
    Desktop& desktop_;
    std::string lastChoice_;
};

}  // namespace vorn::toolkit
