#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "editor/document/message_sink.h"
#include "editor/document/paths.h"

namespace zolt {

// A message of the core as the window shows it: its text from the program's
// string table, in the language the program shows.
std::string MessageText(const Message& message);
std::wstring MessageWideText(const Message& message);

// Message boxes captioned with the program's own base name, warning icon.
class MessageBoxSink : public MessageSink {
  public:
    MessageBoxSink();
    void SetOwner(HWND owner) { owner_ = owner; }
    void Notify(const Message& message) override;
    bool AskYesNo(const Message& message) override;

  private:
    std::string caption_;
    HWND owner_ = nullptr;
};

// The lead bytes of the system's ANSI code page, as paths and names are read.
LeadBytes SystemLeadBytes();

// The editor's start-up: when the program file is missing and a save that was
// cut short left the new program beside it, the owner is asked first whether
// to put it in place; then the checks, then the editor dialog, run modally.
// Every failure is one message, after which the editor does not open. Returns
// the dialog's result, or 0 when it did not open.
INT_PTR StartEditor(HINSTANCE instance, std::string_view argumentText, MessageSink& messages);

}  // namespace zolt
