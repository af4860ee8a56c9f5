#include "data/DataTextReader.h"

#include "data/DataSet.h"
#include "text/Cp932.h"
#include "text/Text.h"

#include <algorithm>
#include <cmath>

namespace kl {

namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

// Whether the item holds nothing but ASCII and full-width blanks.
bool isBlankItem(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] == ' ')
            ++i;
        else if (s.substr(i, 3) == kIdeographicSpace)
            i += 3;
        else
            return false;
    }
    return true;
}

// Saved pasted data are written quoted; without unquoting they would read back as 0.
std::string_view unquote(std::string_view item) {
    std::string_view core = item;
    while (!core.empty() && core.back() == ' ')
        core.remove_suffix(1);
    if (core.size() >= 2 && core.front() == '"' && core.back() == '"') return core.substr(1, core.size() - 2);
    return item;
}

// The first comma or line end at or after from; npos when there is none.
std::size_t itemEnd(std::string_view s, std::size_t from) {
    for (std::size_t i = from; i < s.size(); ++i)
        if (s[i] == ',' || s[i] == '\r' || s[i] == '\n') return i;
    return std::string_view::npos;
}

// The segment to fill for an estimate of p percent: 1 + the largest k in 0..19 with 5k <= p.
int segmentFor(double p) {
    int k = 0;
    if (p > 0 && std::isfinite(p)) k = static_cast<int>(std::min(19.0, std::floor(p / 5.0)));
    while (k < 19 && 5.0 * (k + 1) <= p)
        ++k;
    while (k > 0 && 5.0 * k > p)
        --k;
    return 1 + k;
}

} // namespace

bool DataTextReader::FirstLine::count(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r' || ch == '\n') return true;
        if (startsCharacter(ch)) ++chars;
        if (ch == ' ') {
            if (started) ++separators, ++trailing;
        } else if (text.substr(i, 3) == kIdeographicSpace) {
            i += 2; // a blank that separates nothing

        } else {
            started = true;
            trailing = 0;
            if (ch == ',') ++separators;
        }
    }
    return false;
}

DataTextReader::DataTextReader(std::size_t sizeForEstimate, const DataReadHooks& hooks)
    : hooks_(hooks), size_(sizeForEstimate > 0 ? static_cast<double>(sizeForEstimate) : 1.0) {}

bool DataTextReader::feed(std::string_view text) {
    if (stage_ == Stage::Done) return false;
    pending_.append(text);
    if (!bomChecked_ && pending_.size() >= 3) {
        if (pending_.starts_with("\xEF\xBB\xBF")) pending_.erase(0, 3);
        bomChecked_ = true;
    }
    if (stage_ == Stage::FirstLine && bomChecked_) readFirstLine(false);
    if (stage_ == Stage::Items) readItems(false);
    return stage_ != Stage::Done;
}

DataReadResult DataTextReader::finish() {
    if (!bomChecked_ && pending_.starts_with("\xEF\xBB\xBF")) pending_.erase(0, 3);
    bomChecked_ = true;
    // An end-of-file mark closing the text is not part of it.
    if (stage_ != Stage::Done && pending_.size() > pos_ && pending_.back() == '\x1A') pending_.pop_back();
    if (stage_ == Stage::FirstLine) readFirstLine(true);
    if (stage_ == Stage::Items) readItems(true);
    if (result_.columns > 1) {
        result_.refusal = ReadRefusal::SeveralColumns;
        result_.messages.push_back(severalColumnsMessage(result_.columns));
        return std::move(result_);
    }
    result_.itemsRead = static_cast<int>(values_.size());
    // A cancel is a cancel however few values were read by then (the key may be held from the start).
    if (cancelled_) {
        result_.status = ReadStatus::Cancelled;
        result_.messages.push_back(readCancelledMessage());
    } else if (result_.itemsRead < kMinDataValues) {
        result_.status = ReadStatus::Refused;
        result_.refusal = ReadRefusal::TooFew;
        result_.messages.push_back(tooFewValuesMessage());
    } else {
        result_.status = ReadStatus::Ok;
        result_.values = std::move(values_);
    }
    return std::move(result_);
}

void DataTextReader::readFirstLine(bool atEnd) {
    // A closing end-of-file mark waits: it is not counted when the text ends after it.
    // So does a character whose bytes are still to come.
    std::size_t limit = pending_.size();
    if (!atEnd && limit > counted_ && pending_.back() == '\x1A') --limit;
    if (!atEnd) limit -= utf8IncompleteTail(std::string_view(pending_).substr(counted_, limit - counted_));
    const bool ended = firstLine_.count(std::string_view(pending_).substr(counted_, limit - counted_));
    counted_ = limit;
    if (!ended && !atEnd) {
        if (firstLine_.started && firstLine_.separators > firstLine_.trailing) {
            // Several columns whatever follows: only the count goes on, the text is not kept.
            pending_.erase(0, counted_);
            counted_ = 0;
        }
        return;
    }
    result_.columns = firstLine_.columns();
    if (result_.columns > 1) {
        stage_ = Stage::Done;
        return;
    }
    stage_ = Stage::Items;
    // Room for every value a text of this size can hold (two bytes a value at least, up to the
    // cap), so the list is not copied as it grows.
    values_.reserve(static_cast<std::size_t>(std::min(size_ / 2 + 1, static_cast<double>(kMaxDataValues))));
    if (hooks_.itemsBegin) hooks_.itemsBegin();
}

void DataTextReader::readItems(bool atEnd) {
    while (stage_ == Stage::Items) {
        if (!itemOpen_) {
            if (pos_ >= pending_.size()) break; // no item starts: the text ended, or more is to come
            itemOpen_ = true;
        }
        while (pos_ < pending_.size() && (pending_[pos_] == ' ' || pending_[pos_] == '\t'))
            ++pos_;
        std::size_t end = itemEnd(pending_, std::max(pos_, searched_));
        const bool crAtEnd = end != std::string::npos && pending_[end] == '\r' && end + 1 == pending_.size();
        if ((end == std::string::npos || crAtEnd) && !atEnd) {
            searched_ = end == std::string::npos ? pending_.size() : end;
            break; // the item's end, or what follows a CR, is still to come
        }
        if (hooks_.cancelRequested && hooks_.cancelRequested()) {
            cancelled_ = true;
            stage_ = Stage::Done;
            break;
        }
        if (end == std::string::npos) end = pending_.size();
        std::string_view item = std::string_view(pending_).substr(pos_, end - pos_);
        std::size_t next = end;
        if (next < pending_.size()) {
            if (pending_[next] == '\r' && next + 1 < pending_.size() && pending_[next + 1] == '\n') ++next;
            ++next;
        }
        const bool goOn = take(item);
        pos_ = next;
        searched_ = next;
        itemOpen_ = false;
        if (!goOn) stage_ = Stage::Done;
    }
    compact();
}

bool DataTextReader::take(std::string_view raw) {
    std::string_view item = unquote(raw);
    if (isBlankItem(item)) return true;
    if (static_cast<int>(values_.size()) == kMaxDataValues) {
        result_.capped = true;
        result_.messages.push_back(valueCapMessage());
        return false;
    }
    values_.emplace_back(item);
    const double chars = static_cast<double>(characterCount(item));
    itemChars_ += chars;
    const double allowance = static_cast<double>(firstLine_.chars) > chars + 1 ? 4.0 : 2.0;
    const double p = (static_cast<double>(values_.size()) * allowance + itemChars_) / size_ * 100.0;
    if (p < nextSegmentAt_) return true; // still within the segment shown
    const int segment = segmentFor(p);
    if (segment > result_.segment) {
        result_.segment = segment;
        if (hooks_.fillSegment) hooks_.fillSegment(segment);
    }
    nextSegmentAt_ = 5.0 * result_.segment; // segment s covers 5(s - 1) <= p < 5s
    return true;
}

// Drops the text already read so that only the item being read stays.
void DataTextReader::compact() {
    if (pos_ == 0) return;
    pending_.erase(0, pos_);
    searched_ = searched_ > pos_ ? searched_ - pos_ : 0;
    pos_ = 0;
}

} // namespace kl
