#include "editor/document/startup.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "editor/document/paths.h"
#include "editor/document/program_parser.h"
#include "editor/document/stick_layout.h"
#include "editor/document/text_file.h"

namespace zolt {

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsSupportedModel(int model) {
    return model == 210 || model == 220 || model == 310;
}

}  // namespace

std::string_view ArgumentText(std::string_view commandLine) {
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        i = commandLine.find('"', 1);
        i = i == std::string_view::npos ? commandLine.size() : i + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t') {
            ++i;
        }
    }
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) {
        ++i;
    }
    return commandLine.substr(i);
}

std::string ProgramPathFor(std::string_view argumentText, std::string_view currentDir) {
    while (!argumentText.empty() && IsCSpace(argumentText.front())) {
        argumentText.remove_prefix(1);
    }
    const std::string_view location = argumentText.empty() ? kDefaultProgramLocation : argumentText;
    return MakeFullPath(location, currentDir);
}

std::optional<UnplacedProgram> FindUnplacedProgram(const std::string& programPath,
                                                   fileio::FileOps& files) {
    const std::string temp = SaveTempPath(programPath);
    if (programPath.size() > kMaxPathLength || temp.size() > kMaxPathLength ||
        files.State(programPath) != fileio::FileState::Missing) {
        return std::nullopt;
    }
    const std::optional<std::uint64_t> size = files.Size(temp);
    if (!size) {
        return std::nullopt;
    }
    ProgramDocument doc;
    bool whole = false;
    try {
        whole = ReadProgramFile(temp, doc) && ParseProgram(doc) && doc.RecordCount() > 0;
    } catch (const std::bad_alloc&) {
        whole = false;
    }
    ClearDocument(doc);
    if (!whole) {
        return std::nullopt;
    }
    return UnplacedProgram{temp, *size};
}

Message UnplacedProgramNote(const UnplacedProgram& found) {
    return MakeMessage(MessageId::UnplacedProgramNote, {found.path});
}

StartupResult CheckStartup(std::string_view argumentText, std::string_view currentDir,
                           ProgramDocument& doc) {
    StartupResult result;
    result.programPath = ProgramPathFor(argumentText, currentDir);
    const std::string& path = result.programPath;

    // Every file the editor derives from the program path must fit a path of
    // 259 characters; a cut-off path would name another file.
    const std::string derived[] = {path,
                                   BackupPath(path),
                                   SaveTempPath(path),
                                   BackupTempPath(path),
                                   ActionExtPath(path),
                                   ActionCfgPath(path),
                                   MarkerPath(path, 210)};
    bool pathsFit = true;
    for (const std::string& p : derived) {
        pathsFit = pathsFit && p.size() <= kMaxPathLength;
    }
    ParseResult parsed;
    try {
        if (!pathsFit || !ReadProgramFile(path, doc)) {
            result.message = MakeMessage(MessageId::CantOpenProgram, {path});
            return result;
        }
        parsed = ParseProgram(doc);
    } catch (const std::bad_alloc&) {
        // Too large for the memory there is: as if it could not be opened.
        ClearDocument(doc);
        result.message = MakeMessage(MessageId::CantOpenProgram, {path});
        return result;
    }
    if (!parsed) {
        result.message = MakeMessage(MessageId::InvalidSyntax,
                                     {path, std::to_string(parsed.lineNumber)}, parsed.reason);
        return result;
    }
    if (doc.RecordCount() == 0) {
        result.message = MakeMessage(MessageId::NotZoltEnabled, {path});
        return result;
    }

    // Only the first line is read for the tag, however long the list is.
    const std::string extPath = ActionExtPath(path);
    std::string firstLine;
    if (ReadFirstLine(extPath, firstLine, kMaxLineLength) != ReadResult::Ok) {
        result.message = MakeMessage(MessageId::MissingActionExt, {extPath});
        return result;
    }
    firstLine.resize(std::min(firstLine.size(), firstLine.find('\0')));
    const std::size_t tag = firstLine.find("ERS-");
    if (tag == std::string::npos) {
        result.message = MakeMessage(MessageId::NoErsTag, {extPath});
        return result;
    }
    result.model = ReadLeadingInt(std::string_view(firstLine).substr(tag + 4));
    if (!IsSupportedModel(result.model)) {
        result.message = MakeMessage(MessageId::BadErsTag, {extPath});
        return result;
    }
    if (!FileCanBeOpened(MarkerPath(path, result.model))) {
        result.message = MakeMessage(MessageId::ModelMismatch, {std::to_string(result.model)});
        return result;
    }
    return result;
}

}  // namespace zolt
