#include "text/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace kl {

std::string jsonNumber(double number) {
    if (!std::isfinite(number)) return "null";
    if (number == 0) return "0"; // no "-0"
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, number);
    if (ec != std::errc{}) return "null";
    return std::string(buffer, end);
}

std::string jsonString(std::string_view text) {
    std::string s;
    s.reserve(text.size() + 2);
    s += '"';
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            s += "\\\"";
            break;
        case '\\':
            s += "\\\\";
            break;
        case '\n':
            s += "\\n";
            break;
        case '\r':
            s += "\\r";
            break;
        case '\t':
            s += "\\t";
            break;
        default:
            if (c < 0x20) {
                char u[8];
                std::snprintf(u, sizeof u, "\\u%04x", c);
                s += u;
            } else {
                s += static_cast<char>(c);
            }
        }
    }
    s += '"';
    return s;
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (stack_.empty()) {
        wroteTop_ = true;
        return;
    }
    Level& level = stack_.back();
    if (!level.first) out_ << ',';
    level.first = false;
}

JsonWriter& JsonWriter::beginObject() {
    beforeValue();
    out_ << '{';
    stack_.push_back({true, true});
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    out_ << '}';
    if (!stack_.empty()) stack_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    beforeValue();
    out_ << '[';
    stack_.push_back({false, true});
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    out_ << ']';
    if (!stack_.empty()) stack_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    beforeValue();
    out_ << jsonString(name) << ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    beforeValue();
    out_ << jsonString(text);
    return *this;
}

JsonWriter& JsonWriter::value(double number) {
    beforeValue();
    out_ << jsonNumber(number);
    return *this;
}

JsonWriter& JsonWriter::value(std::int64_t number) {
    beforeValue();
    out_ << number;
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    beforeValue();
    out_ << (flag ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::null() {
    beforeValue();
    out_ << "null";
    return *this;
}

} // namespace kl
