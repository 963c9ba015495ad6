#include "editor/window/run_editor.h"

#include "editor/document/paths.h"
#include "editor/document/startup.h"
#include "editor/window/editor_dialog.h"

namespace zolt {

LeadBytes SystemLeadBytes() {
    std::array<bool, 256> lead{};
    for (int c = 0; c < 256; ++c) {
        lead[static_cast<std::size_t>(c)] = IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(c)) != 0;
    }
    return LeadBytes::FromFlags(lead);
}

MessageBoxSink::MessageBoxSink() {
    char path[MAX_PATH + 1] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    caption_ = SplitPath(path).base;
}

void MessageBoxSink::Notify(const std::string& text) {
    MessageBoxA(owner_, text.c_str(), caption_.c_str(), MB_OK | MB_ICONWARNING);
}

bool MessageBoxSink::AskYesNo(const std::string& text) {
    return MessageBoxA(owner_, text.c_str(), caption_.c_str(), MB_YESNO | MB_ICONWARNING) == IDYES;
}

INT_PTR StartEditor(HINSTANCE instance, std::string_view argumentText, MessageSink& messages) {
    ProgramDocument doc;
    const StartupResult start = CheckStartup(argumentText, CurrentDirectory(), doc);
    if (!start.Ok()) {
        messages.Notify(start.message);
        ClearDocument(doc);
        return 0;
    }
    INT_PTR result = 0;
    {
        EditorDialog dialog(instance, doc, start.programPath, messages);
        result = dialog.Run();
    }
    ClearDocument(doc);
    return result;
}

}  // namespace zolt
