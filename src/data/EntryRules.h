#pragma once
// The rules of typed entry and editing: what Enter in the entry field submits, which entries are
// stored (and as what), and which rows the calculate button keeps.

#include "data/Message.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

// The longest entry in characters and the most decimals an entry may have.
inline constexpr std::size_t kMaxEntryLength = 10;
inline constexpr std::size_t kMaxEntryDecimals = 4;

// When the field's text holds CR LF: the text without any CR LF, trimmed of blanks (ASCII and
// full-width). nullopt when there is no CR LF (nothing is submitted yet).
std::optional<std::string> submittedEntry(std::string_view fieldText);

struct EntryVerdict {
    bool accepted = false;
    std::string text;               // what is stored when accepted
    std::optional<Message> refusal; // shown when refused
};

// Checks a submitted, non-empty entry, in this order: a comma, blank, tab or double quote inside
// it is refused (it would break the saved CSV); a value of 0 is stored as "0"; more than 10
// characters is refused; more than 4 characters after the last point is refused.
EntryVerdict checkEntry(std::string_view entry);

// The rows the calculate button keeps, trimmed, in order: empty rows and rows that do not start
// with a number are dropped; every written number (0.0 and -0 included) stays.
std::vector<std::string> compactRows(const std::vector<std::string>& rows);

// The messages of the entry handlers.
Message entryRangeMessage();
Message entryDecimalsMessage();
Message entryCharacterMessage();
Message dataFullMessage();
Message insertFullMessage();

} // namespace kl
