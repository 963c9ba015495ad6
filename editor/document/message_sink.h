#pragma once

#include "editor/document/messages.h"

namespace zolt {

// How the editor shows its messages: the window shows message boxes captioned
// with the program's name; tests capture and answer them.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void Notify(const Message& message) = 0;
    virtual bool AskYesNo(const Message& message) = 0;
};

}  // namespace zolt
