#pragma once

// Messages as values: the cores say what happened as an id of their
// program's message table with the texts that fill its numbered places, and
// each program turns that into text in the language it shows.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace messages {

struct Message {
    int id = -1;                      // -1: no message
    std::vector<std::string> values;  // %1, %2, ... in the order given
    // A message whose text fills the place after the values (the reason a
    // file was refused), or -1.
    int reason = -1;

    bool Empty() const { return id < 0; }
    bool operator==(const Message&) const = default;
};

// A pattern with numbered places (%1 to %9) filled in, so that each language
// can put them where its word order wants them. The values are taken as they
// are: a % in a path is never read as a place.
std::string FillPlaces(std::string_view pattern, const std::vector<std::string>& values);

// The message's text from a table of patterns by id.
std::string Text(const Message& message, const std::function<std::string(int)>& pattern);

// The pattern of `id` in a list of patterns numbered from 0; empty for an id
// the list lacks.
std::string_view Pattern(std::span<const std::string_view> patterns, int id);

// The message's text from such a list.
std::string Text(const Message& message, std::span<const std::string_view> patterns);

}  // namespace messages
