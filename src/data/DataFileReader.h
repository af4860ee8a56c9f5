#pragma once
// The data-file reading rules: one column of values in a CSV or text file, at least 10 and at most
// 40,000 of them. Pure over the file's bytes; the window layer shows the messages, draws the
// progress segments and answers the cancel poll.

#include "data/Message.h"
#include "text/FileIO.h"

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

enum class ReadRefusal {
    None,
    BadData,
    SeveralColumns,
    TooFew,
    Unreadable, // the file could not be read: fileFailure says why
};

struct DataReadHooks {
    // Called with the segment to fill (1..20) whenever it grows; segments never empty during a read.
    std::function<void(int segment)> fillSegment;
    // Polled before each item; true cancels the read.
    std::function<bool()> cancelRequested;
    // Called once, when the file is open, judged text and its first line accepted: the items
    // follow. Not called when the read is refused before any item.
    std::function<void()> itemsBegin;
};

struct DataReadResult {
    ReadStatus status = ReadStatus::Refused;
    ReadRefusal refusal = ReadRefusal::None;
    std::vector<std::string> values;             // only filled when status is Ok
    std::vector<Message> messages;               // to show, in order
    int columns = 1;                             // columns counted on the first line
    int itemsRead = 0;                           // non-empty items taken before the read ended
    bool capped = false;                         // another item followed the 40,000th
    int segment = 0;                             // last segment filled
    ReadFailure fileFailure = ReadFailure::None; // why the file could not be read
    int fileError = 0;                           // errno of that failure
};

// The rules' messages, also used by the paste and typed-entry roads.
Message badDataFileMessage(); // "不正なデータ": binary or unreadable content
Message severalColumnsMessage(int columns);
Message tooFewValuesMessage();  // "BAD DATA": fewer than 10 values
Message valueCapMessage();      // "caution": the first 40,000 values were taken
Message readCancelledMessage(); // "CAUTION": the read was cancelled

// Columns of a first line: commas and ASCII blanks of the trimmed line, plus one.
int firstLineColumns(std::string_view firstLine);

// Reads the data file at path as a stream: a regular file only (anything else is refused at once,
// without blocking), read no further than the rules need (the 40,000th value and whether another
// non-empty item follows), so memory holds the values kept and not the file. A file that cannot
// be read is refused as holding no values: refusal Unreadable, the too-few message, and
// fileFailure saying why, for callers that name the cause.
DataReadResult readDataFileAt(const std::string& path, const DataReadHooks& hooks = {});

// A message naming why a data file could not be read (caption "CAN NOT READ").
Message unreadableFileMessage(ReadFailure failure, int errorNumber, const std::string& path);

// Reads the file's bytes (CP932, UTF-8 with or without BOM, UTF-16 with BOM).
DataReadResult readDataFile(std::string_view fileBytes, const DataReadHooks& hooks = {});

// The same rules over already decoded UTF-8 text; fileSize is the byte size the progress
// estimate divides by.
DataReadResult readDataText(std::string_view text, std::size_t fileSize, const DataReadHooks& hooks = {});

} // namespace kl
