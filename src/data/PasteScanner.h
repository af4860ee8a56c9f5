#pragma once
// Splits clipboard text into numeric tokens for the paste import: ASCII digits, ".", "+" and "-"
// make up tokens, every other byte separates them. Tokens keep their text exactly as pasted.
// Pure over the text; the window layer draws the progress blocks and answers the cancel poll.

#include "data/Message.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

inline constexpr int kMaxPastedValues = 10000;
// A run of more separators than this (after the first one) ends the scan.
inline constexpr int kMaxSeparatorRun = 150;
inline constexpr int kMinPasteValues = 10;

enum class PasteStatus {
    Ok,         // values hold the tokens (at most 10,000); messages may hold the cap caution
    NoData,     // no token at all
    TooFew,     // 1 to 9 tokens
    OutOfRange, // a token below -199
    TooLong,    // a token longer than 9 characters
    Cancelled,  // the cancel key was down at a poll
};

struct PasteHooks {
    // Called with the number of blocks (1..20) whenever it changes.
    std::function<void(int blocks)> showBlocks;
    // Polled whenever the bar gains a block and once after the scan; true cancels.
    std::function<bool()> cancelRequested;
};

struct PasteResult {
    PasteStatus status = PasteStatus::NoData;
    std::vector<std::string> values; // the first 10,000 tokens, only when status is Ok
    int tokens = 0;                  // tokens found before the scan ended
    bool capped = false;             // more than 10,000 tokens were found
    std::vector<Message> messages;   // to show, in order (failure or cap caution)
};

// Scans UTF-8 clipboard text: it is taken as its CP932 bytes, so a double-byte character (a
// full-width digit too) only ever separates.
PasteResult scanPasteText(std::string_view utf8Text, const PasteHooks& hooks = {});
// The same over CP932 bytes.
PasteResult scanPasteBytes(std::string_view cp932Text, const PasteHooks& hooks = {});

// The blocks of the progress bar for position i of L: one per started 5 %.
int pasteProgressBlocks(long long i, long long length);

// The import's questions and messages.
Message pasteConfirmation();
Message pasteNoClipboardMessage();
Message pasteNoDataMessage();
Message pasteRangeMessage();
Message pasteTooFewMessage();
Message pasteTooLongMessage();
Message pasteCapMessage();
Message pasteCancelledMessage();

} // namespace kl
