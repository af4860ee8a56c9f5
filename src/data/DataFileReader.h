#pragma once
// The data-file reading rules: one column of values in a CSV or text file, at least 10 and at most
// 40,000 of them. Pure over the file's bytes; the window layer shows the messages, draws the
// progress segments and answers the cancel poll.

#include "data/Message.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

enum class ReadStatus {
    Ok,        // values hold the items read; messages may hold the 40,000 caution
    Refused,   // nothing changes; messages say why
    Cancelled, // the user cancelled after 10 or more items: the window empties, then shows messages
};

enum class ReadRefusal { None, BadData, SeveralColumns, TooFew };

struct DataReadHooks {
    // Called with the segment to fill (1..20) whenever it grows; segments never empty during a read.
    std::function<void(int segment)> fillSegment;
    // Polled before each item; true cancels the read.
    std::function<bool()> cancelRequested;
};

struct DataReadResult {
    ReadStatus status = ReadStatus::Refused;
    ReadRefusal refusal = ReadRefusal::None;
    std::vector<std::string> values; // only filled when status is Ok
    std::vector<Message> messages;   // to show, in order
    int columns = 1;                 // columns counted on the first line
    int itemsRead = 0;               // non-empty items taken before the read ended
    bool capped = false;             // another item followed the 40,000th
    int segment = 0;                 // last segment filled
};

// The rules' messages, also used by the paste and typed-entry roads.
Message badDataFileMessage(); // "不正なデータ": binary or unreadable content
Message severalColumnsMessage(int columns);
Message tooFewValuesMessage();  // "BAD DATA": fewer than 10 values
Message valueCapMessage();      // "caution": the first 40,000 values were taken
Message readCancelledMessage(); // "CAUTION": the read was cancelled

// Columns of a first line: commas and ASCII blanks of the trimmed line, plus one.
int firstLineColumns(std::string_view firstLine);

// Reads the file's bytes (CP932, UTF-8 with or without BOM, UTF-16 with BOM).
DataReadResult readDataFile(std::string_view fileBytes, const DataReadHooks& hooks = {});

// The same rules over already decoded UTF-8 text; fileSize is the byte size the progress
// estimate divides by.
DataReadResult readDataText(std::string_view text, std::size_t fileSize, const DataReadHooks& hooks = {});

} // namespace kl
