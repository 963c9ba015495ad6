#include "win32ui/text.h"

#include <algorithm>
#include <vector>

#include "messages/message.h"
#include "win32ui/language.h"

namespace win32ui {

namespace {

std::string Converted(const WCHAR* text, int length, UINT codePage) {
    const int n = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(std::max(n, 0)), '\0');
    WideCharToMultiByte(codePage, 0, text, length, converted.data(), n, nullptr, nullptr);
    return converted;
}

std::wstring Converted(std::string_view text, UINT codePage) {
    const int length = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring converted(static_cast<std::size_t>(std::max(n, 0)), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, converted.data(), n);
    return converted;
}

// The text as it stands in the string table.
std::wstring TableText(HINSTANCE instance, UINT id) {
    // A string table block holds sixteen texts, each its length in UTF-16
    // units followed by its units.
    const HRSRC block = FindShownResource(instance, MAKEINTRESOURCEA(6) /* RT_STRING */,
                                          MAKEINTRESOURCEA((id >> 4) + 1));
    const HGLOBAL loaded = block != nullptr ? LoadResource(instance, block) : nullptr;
    const auto* units =
        loaded != nullptr ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (units == nullptr) {
        return {};
    }
    const WCHAR* end = units + SizeofResource(instance, block) / sizeof(WCHAR);
    for (UINT skip = id & 15; skip > 0 && units < end; --skip) {
        units += 1 + *units;
    }
    if (units >= end || units + 1 + *units > end) {
        return {};
    }
    return std::wstring(units + 1, *units);
}

// Texts are filled in UTF-8, where a place's mark cannot be part of another
// character, and shown as UTF-16.
std::string Utf8(const std::wstring& text) {
    return Converted(text.c_str(), static_cast<int>(text.size()), CP_UTF8);
}

std::string Utf8FromAnsi(const std::string& text) {
    return Utf8(Converted(text, CP_ACP));
}

}  // namespace

std::string LoadText(HINSTANCE instance, UINT id) {
    return NarrowText(TableText(instance, id).c_str());
}

std::wstring LoadWideText(HINSTANCE instance, UINT id) {
    return TableText(instance, id);
}

std::wstring WideText(std::string_view text) {
    return Converted(text, CP_ACP);
}

std::wstring FormatWideText(const std::wstring& pattern, const std::vector<std::wstring>& values) {
    std::vector<std::string> utf8;
    for (const std::wstring& value : values) {
        utf8.push_back(Utf8(value));
    }
    return Converted(messages::FillPlaces(Utf8(pattern), utf8), CP_UTF8);
}

std::wstring MessageWideText(HINSTANCE instance, UINT firstId, const messages::Message& message) {
    messages::Message utf8 = message;
    for (std::string& value : utf8.values) {
        value = Utf8FromAnsi(value);
    }
    return Converted(
        messages::Text(utf8,
                       [instance, firstId](int id) {
                           return Utf8(TableText(instance, firstId + static_cast<UINT>(id)));
                       }),
        CP_UTF8);
}

std::string FormatText(const std::string& pattern, std::initializer_list<std::string> values) {
    return messages::FillPlaces(pattern, std::vector<std::string>(values));
}

std::string NarrowText(const wchar_t* text) {
    return Converted(text, lstrlenW(text), CP_ACP);
}

std::string FileTimeText(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FILETIME local{};
    SYSTEMTIME time{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
        !FileTimeToSystemTime(&local, &time)) {
        return "";
    }
    char date[64] = "";
    char clock[64] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, clock, sizeof clock);
    return std::string(date) + " " + clock;
}

}  // namespace win32ui
