#include "win32ui/text.h"

#include <vector>

#include "messages/message.h"
#include "win32ui/language.h"

namespace win32ui {

std::string LoadText(HINSTANCE instance, UINT id) {
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
    if (units >= end || units + 1 + *units > end || *units == 0) {
        return {};
    }
    const int length = static_cast<int>(*units);
    const int n = WideCharToMultiByte(CP_ACP, 0, units + 1, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, units + 1, length, text.data(), n, nullptr, nullptr);
    return text;
}

std::string FormatText(const std::string& pattern, std::initializer_list<std::string> values) {
    return messages::FillPlaces(pattern, std::vector<std::string>(values));
}

std::string NarrowText(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(n > 0 ? static_cast<std::size_t>(n) : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), n, nullptr, nullptr);
    narrow.resize(narrow.find('\0'));
    return narrow;
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
