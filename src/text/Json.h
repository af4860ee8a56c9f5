#pragma once
// A small JSON writer for the machine-readable output of the batch commands: keys in the order
// they are written, numbers with the shortest text that reads back to the same double, non-finite
// numbers as null, strings as UTF-8 with the required escapes.

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace kl {

class JsonWriter {
  public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next member of the current object.
    JsonWriter& key(std::string_view name);

    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(double number);
    JsonWriter& value(std::int64_t number);
    JsonWriter& value(int number) { return value(static_cast<std::int64_t>(number)); }
    JsonWriter& value(std::size_t number) { return value(static_cast<std::int64_t>(number)); }
    JsonWriter& value(bool flag);
    JsonWriter& null();

    // key(name).value(v) in one call.
    template <typename T> JsonWriter& member(std::string_view name, const T& v) { return key(name).value(v); }

    // True once every object and array begun has been ended.
    bool complete() const { return stack_.empty() && wroteTop_; }

  private:
    void beforeValue();

    std::ostream& out_;
    struct Level {
        bool object;
        bool first;
    };
    std::vector<Level> stack_;
    bool afterKey_ = false;
    bool wroteTop_ = false;
};

// The text of a double as JSON writes it: shortest round-trip form, "null" when not finite.
std::string jsonNumber(double number);
// A JSON string literal, quotes included.
std::string jsonString(std::string_view text);

} // namespace kl
