#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <deque>
#include <string>
#include <vector>

#include "editor/document/message_sink.h"
#include "editor/document/program_document.h"
#include "editor/window/editor_dialog.h"

#include "threads.h"

namespace window_test {

// Takes the editor's messages instead of showing message boxes, as the texts
// the boxes would show, and answers its questions from a queue (No when the
// queue is empty). Called on the dialog's thread, read on the test's.
class CapturedMessages : public zolt::MessageSink {
  public:
    void Notify(const zolt::Message& message) override;
    bool AskYesNo(const zolt::Message& message) override;
    void Answer(bool yes);
    std::vector<std::string> Shown();
    std::vector<std::string> Asked();

  private:
    Mutex mutex_;
    std::vector<std::string> shown_;
    std::vector<std::string> asked_;
    std::deque<bool> answers_;
};

// A small stick in a scratch folder: the program file and what start-up needs.
struct Stick {
    std::string root;
    std::string program;
};
Stick WriteStick(const std::string& name, const std::string& programText,
                 const std::string& actionCfg = "DANCE 1 0 ; my dance\r\n");
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

struct TreeNode {
    std::string text;
    LPARAM data;
    std::vector<TreeNode> children;
    bool operator==(const TreeNode&) const = default;
};

struct ListRow {
    std::string text;
    int image;
    LPARAM data;
    bool operator==(const ListRow&) const = default;
};

// The editor dialog on a thread of its own, driven from the test's thread
// with real mouse and keyboard input.
class Editor {
  public:
    explicit Editor(const std::string& programPath);
    ~Editor();

    HWND Dialog() const { return hwnd_; }
    HWND Control(int id) const { return GetDlgItem(hwnd_, id); }
    zolt::ProgramDocument& Document() { return doc_; }
    const zolt::DragState& Drag() const { return dialog_.load()->Drag(); }
    const zolt::Palette& PaletteItems() const { return dialog_.load()->PaletteItems(); }
    CapturedMessages& Messages() { return messages_; }

    std::vector<TreeNode> Tree() const;
    std::string SelectedTreeText() const;
    bool SelectTreeItem(const std::string& path);  // "Touch/Head sensor" or "Bedtime"
    std::vector<ListRow> CodeList() const;
    std::vector<ListRow> PaletteRows() const;
    std::vector<std::string> CodeLines() const;  // the selected record's lines
    std::string Status() const;
    void ChooseCategory(int index);

    // Screen points.
    POINT ItemPoint(int listId, int index) const;
    POINT ControlPoint(int id, int dx, int dy) const;  // from the control's top left

    void MoveTo(POINT point);
    void Click(POINT point);
    // Button down at `from`, moves in steps to `to`; the button stays down.
    void DragTo(POINT from, POINT to);
    void Release();
    void Drag(POINT from, POINT to) {
        DragTo(from, to);
        Release();
    }
    void Key(WORD vk);
    // Keys as an owner types them: "Tab Home Alt+Up Ctrl+Z".
    void Press(const std::string& keys);
    void Settle() const;

    bool Running() const;
    INT_PTR WaitForEnd();
    // Saves a screenshot of the whole screen as a BMP file, when the tests
    // were given a folder for them.
    void Screenshot(const std::string& name) const;

  private:
    zolt::ProgramDocument doc_;
    CapturedMessages messages_;
    std::atomic<zolt::EditorDialog*> dialog_{nullptr};
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> failed_{false};
    HWND hwnd_ = nullptr;
    POINT lastPoint_{};
    std::unique_ptr<Thread> thread_;
    INT_PTR result_ = -100;
};

}  // namespace window_test
