#pragma once

#include <string>

namespace zolt {

// How the editor shows its messages: the window shows message boxes captioned
// with the program's name; tests capture and answer them.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void Notify(const std::string& text) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
};

}  // namespace zolt
