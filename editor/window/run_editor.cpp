#include "editor/window/run_editor.h"

#include "editor/document/paths.h"
#include "editor/document/program_save.h"
#include "editor/document/startup.h"
#include "editor/resources/resource.h"
#include "editor/window/editor_dialog.h"
#include "win32ui/text.h"

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

std::wstring MessageWideText(const Message& message) {
    return win32ui::MessageWideText(GetModuleHandleA(nullptr), IDS_MESSAGE_FIRST, message);
}

std::string MessageText(const Message& message) {
    return win32ui::NarrowText(MessageWideText(message).c_str());
}

void MessageBoxSink::Notify(const Message& message) {
    win32ui::ShowMessageBox(owner_, MessageWideText(message), caption_, MB_OK | MB_ICONWARNING);
}

bool MessageBoxSink::AskYesNo(const Message& message) {
    return win32ui::ShowMessageBox(owner_, MessageWideText(message), caption_,
                                   MB_YESNO | MB_ICONWARNING) == IDYES;
}

void OfferUnplacedProgram(const std::string& programPath, FileOps& files, MessageSink& messages) {
    const std::optional<UnplacedProgram> found = FindUnplacedProgram(programPath, files);
    if (!found) {
        return;
    }
    const PathParts program = SplitPath(programPath);
    if (messages.AskYesNo(
            MakeMessage(MessageId::RecoverProgram,
                        {programPath, found->path, std::to_string(found->size),
                         win32ui::FileTimeText(found->path), program.base + program.ext}))) {
        // The same one-step replace as a save's last step; when it fails the
        // start-up checks below say that the program file is missing.
        files.Replace(found->path, programPath);
    }
}

INT_PTR StartEditor(HINSTANCE instance, std::string_view argumentText, MessageSink& messages) {
    OfferUnplacedProgram(ProgramPathFor(argumentText, CurrentDirectory()), SystemFileOps(),
                         messages);
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
