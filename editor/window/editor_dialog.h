#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "editor/catalog/palette.h"
#include "editor/document/edit_history.h"
#include "editor/document/message_sink.h"
#include "editor/document/program_document.h"
#include "editor/document/program_writer.h"
#include "win32ui/controls.h"
#include "win32ui/dialog.h"

namespace zolt {

// The editor's windows are made of the shared dialog base and control
// wrappers.
using namespace win32ui;

// The status text that says why a line typed in the edit box, or a line of a
// paste, was refused.
UINT RefusalText(LineFault fault, bool pasted);

// The drag under way, if any.
struct DragState {
    enum class Mode { Idle, PaletteDrag, LineDrag };
    // The picture that follows the pointer: the dragged item's own, or an
    // image of the feedback strip, numbered as in the strip.
    enum class Feedback { ItemPicture = 0, DelPicture = 1, QuestionPicture = 2 };
    static constexpr int kHotspot = 8;

    Mode mode = Mode::Idle;
    Feedback feedback = Feedback::ItemPicture;
    ImageList itemPicture;
    const ImageList* feedbackPictures = nullptr;  // the dialog's
    std::vector<int> lines;                       // a line drag's lines, ascending
    std::string codeText;
};

// The editor's main window: the event tree, the code lines of the selected
// event, the palette with its category box, the status line and the save
// button.
class EditorDialog : public Dialog<EditorDialog> {
  public:
    EditorDialog(HINSTANCE instance, ProgramDocument& doc, std::string programPath,
                 MessageSink& messages);
    ~EditorDialog();

    INT_PTR Run();

    static const Route<EditorDialog> kRoutes[];

    // Read by the window tests.
    const DragState& Drag() const { return drag_; }
    const Palette& PaletteItems() const { return paletteItems_; }
    const ListView& CodeListRows() const { return codeList_; }
    const ListView& PaletteListRows() const { return paletteList_; }

  private:
    // Window set-up and the event tree.
    INT_PTR InitEditorDialog(WPARAM, LPARAM);
    void FitColumns();
    INT_PTR FitColumnsAgain(WPARAM, LPARAM);
    void AddEventToTree(const std::string& name, int index,
                        std::map<std::string, HTREEITEM>& roots);
    int SelectedRecord() const;
    ZoltRecord* SelectedRecordPtr();
    void FillCodeList(const ZoltRecord& record);
    INT_PTR ShowSelectedEvent(WPARAM, LPARAM);
    INT_PTR RefuseFocusSelection(WPARAM, LPARAM);
    // The lists ask the dialog for the rows they show.
    INT_PTR AnswerList(WPARAM, LPARAM);
    void SetStatus(const std::string& text);
    // Shows a text of the string table in the status line.
    void ShowStatus(UINT textId);

    // The palette.
    void FillCategoryBox();
    void RefillPalette();
    INT_PTR ChangeCategory(WPARAM, LPARAM);
    INT_PTR ShowPaletteHint(WPARAM, LPARAM);

    // Saving, cancelling, the About box, painting.
    INT_PTR Save(WPARAM, LPARAM);
    INT_PTR Cancel(WPARAM, LPARAM);
    INT_PTR SystemCommand(WPARAM, LPARAM);
    INT_PTR PaintMinimised(WPARAM, LPARAM);
    INT_PTR QueryDragIcon(WPARAM, LPARAM);

    // Drag and drop.
    void StartDragPicture(const ListView& source, int index, DragState::Mode mode);
    void EndDragPicture();
    void FinishDrag();
    INT_PTR BeginLineDrag(WPARAM, LPARAM);
    INT_PTR BeginPaletteDrag(WPARAM, LPARAM);
    INT_PTR DragHover(WPARAM, LPARAM);
    INT_PTR DropDrag(WPARAM, LPARAM);
    INT_PTR LoseCapture(WPARAM, LPARAM);
    INT_PTR DeleteKeyLine(WPARAM, LPARAM);

    // Editing from the keyboard, and the undo history of every edit.
    UINT ShortcutCommand(unsigned key, unsigned keys, HWND focus) const;
    INT_PTR Shortcut(WPARAM, LPARAM);
    INT_PTR AddDoubleClickedItem(WPARAM, LPARAM);
    INT_PTR ShowLineKeys(WPARAM, LPARAM);
    void AddPaletteItem(int index);
    // Makes the change; the `select` lines from where it leaves the eye
    // become the selection.
    void Edit(LineChange change, int select = 0);
    void UndoOrRedo(bool redo);
    void ShowTouched(const Touched& touched);

    // Changing what a line says.
    void EditLine(int index);
    void NewLine();
    INT_PTR AllowLineEdit(WPARAM, LPARAM);
    INT_PTR EditDoubleClickedLine(WPARAM, LPARAM);
    INT_PTR TakeLineEdit(WPARAM, LPARAM);

    // The commands of the context menus and their keys, on the marked lines
    // and palette items, and the clipboard.
    std::vector<int> MarkedLines() const;
    bool CanRun(UINT command) const;
    void RunCommand(UINT command);
    INT_PTR ShowContextMenu(WPARAM, LPARAM);
    void RemoveLines(const std::vector<int>& lines);
    void MoveMarkedLines(int step);
    void CopyLines();
    void CopyPaletteItem();
    void Paste();

    HINSTANCE instance_;
    ProgramDocument& doc_;
    std::string programPath_;
    MessageSink& messages_;

    StaticText status_;
    ComboBox categoryBox_;
    TreeView eventTree_;
    ListView paletteList_;
    ListView codeList_;
    ImageList kindImages_;
    ImageList feedbackImages_;
    HICON icon_ = nullptr;

    bool selectingFirstEvent_ = false;
    Palette paletteItems_;
    DragState drag_;
    EditHistory history_;
    struct LineEdit {
        bool allowed = false;  // the edit box opens only when the dialog opens it
        int newLine = -1;      // the new row being typed, if any
    } lineEdit_;
};

}  // namespace zolt
