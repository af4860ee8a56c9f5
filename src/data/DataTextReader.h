#pragma once
// The data-file reading rules over decoded text given piece by piece: the first line's column
// check, then the items, up to the 40,000th value and whether another non-empty item follows.
// Holds the values taken and the text of the item being read, never the whole text.

#include "data/DataFileReader.h"

#include <string>
#include <string_view>
#include <vector>

namespace kl {

class DataTextReader {
  public:
    // sizeForEstimate is the size the progress estimate divides by.
    DataTextReader(std::size_t sizeForEstimate, const DataReadHooks& hooks);
    // The next piece of text, cut anywhere. False once the read has ended
    // (refused on the first line, cancelled, or the cap reached): no more text is needed.
    bool feed(std::string_view text);
    // The end of the text; the result of the read.
    DataReadResult finish();

  private:
    enum class Stage { FirstLine, Items, Done };

    struct FirstLine {
        bool started = false; // a non-blank character was seen
        int separators = 0;   // commas and ASCII blanks after the first non-blank character
        int trailing = 0;     // ASCII blanks among the blanks ending the line so far
        std::size_t chars = 0;
        // Counts text up to a line end; true when one was reached.
        bool count(std::string_view text);
        int columns() const { return separators - trailing + 1; }
    };

    void readFirstLine(bool atEnd);
    void readItems(bool atEnd);
    // One item: false when the read stops.
    bool take(std::string_view item);
    void compact();

    DataReadHooks hooks_;
    double size_;
    DataReadResult result_;
    Stage stage_ = Stage::FirstLine;
    std::string pending_;     // text not yet consumed
    std::size_t pos_ = 0;     // start of the item being read in pending_
    std::size_t counted_ = 0; // first line: bytes of pending_ counted
    bool bomChecked_ = false;
    bool itemOpen_ = false;    // an item starts at pos_ (its leading blanks were skipped)
    std::size_t searched_ = 0; // pending_ holds no item end before this
    FirstLine firstLine_;
    std::vector<std::string> values_;
    double nextSegmentAt_ = 0; // the estimate (percent) at which the progress bar may grow
    double itemChars_ = 0;
    bool cancelled_ = false;
};

} // namespace kl
