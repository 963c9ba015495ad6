#include "win32ui/language.h"

#include <cstdlib>
#include <string>

#include "win32ui/text.h"

namespace win32ui {

namespace {

Language shown = Language::English;

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// "ja" or "en", as the environment or the switch names a language.
bool Named(std::string_view name, Language& language) {
    if (name == "ja") {
        language = Language::Japanese;
        return true;
    }
    if (name == "en") {
        language = Language::English;
        return true;
    }
    return false;
}

// Windows Vista and later: the thread's own texts (a message box's buttons,
// an edit box's menu) follow the shown language too. XP has no such call.
void SetThreadTexts(LANGID language) {
    using SetThreadUILanguageFn = LANGID(WINAPI*)(LANGID);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const FARPROC found =
        kernel != nullptr ? GetProcAddress(kernel, "SetThreadUILanguage") : nullptr;
    // Through void* as GetProcAddress's answers are meant to be used.
    const auto set = reinterpret_cast<SetThreadUILanguageFn>(reinterpret_cast<void*>(found));
    if (set != nullptr) {
        set(language);
    }
}

}  // namespace

std::string_view ChooseLanguage(std::string_view argumentText) {
    Language language = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE
                            ? Language::Japanese
                            : Language::English;
    if (const char* forced = std::getenv("ZOLT_LANGUAGE")) {
        Named(forced, language);
    }
    constexpr std::string_view kSwitch = "/lang:";
    if (argumentText.substr(0, kSwitch.size()) == kSwitch) {
        const std::string_view rest = argumentText.substr(kSwitch.size());
        const std::size_t end = rest.find_first_of(" \t");
        if (Named(rest.substr(0, end), language)) {
            argumentText = end == std::string_view::npos ? std::string_view() : rest.substr(end);
            argumentText.remove_prefix(
                std::min(argumentText.find_first_not_of(" \t"), argumentText.size()));
        }
    }
    SetLanguage(language);
    return argumentText;
}

void SetLanguage(Language language) {
    shown = language;
    SetThreadTexts(ShownLanguageId());
}

Language ShownLanguage() {
    return shown;
}

LANGID ShownLanguageId() {
    return shown == Language::Japanese ? kJapanese : kEnglish;
}

HRSRC FindShownResource(HINSTANCE instance, LPCSTR type, LPCSTR name) {
    HRSRC found = FindResourceExA(instance, type, name, ShownLanguageId());
    if (found == nullptr) {
        found = FindResourceExA(instance, type, name, kEnglish);
    }
    return found != nullptr ? found : FindResourceA(instance, name, type);
}

const DLGTEMPLATE* LoadDialogTemplate(HINSTANCE instance, int templateId) {
    const HRSRC found = FindShownResource(instance, MAKEINTRESOURCEA(5) /* RT_DIALOG */,
                                          MAKEINTRESOURCEA(templateId));
    const HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    return loaded != nullptr ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

HMENU LoadShownMenu(HINSTANCE instance, int menuId) {
    const HRSRC found =
        FindShownResource(instance, MAKEINTRESOURCEA(4) /* RT_MENU */, MAKEINTRESOURCEA(menuId));
    const HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    return loaded != nullptr ? LoadMenuIndirectA(LockResource(loaded)) : nullptr;
}

int ShowMessageBox(HWND owner, const std::wstring& text, const std::string& caption, UINT type) {
    return MessageBoxExW(owner, text.c_str(), WideText(caption).c_str(), type, ShownLanguageId());
}

}  // namespace win32ui
