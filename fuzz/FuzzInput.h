#pragma once
// Helpers the fuzz targets share: taking typed pieces off the fuzzer's bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace kl::fuzz {

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}
    std::string_view rest() const { return rest_; }
    bool empty() const { return rest_.empty(); }
    std::uint8_t byte() {
        if (rest_.empty()) return 0;
        auto b = static_cast<std::uint8_t>(rest_[0]);
        rest_.remove_prefix(1);
        return b;
    }
    double number() {
        double d = 0;
        std::memcpy(&d, rest_.data(), std::min(sizeof d, rest_.size()));
        rest_.remove_prefix(std::min(sizeof d, rest_.size()));
        return d;
    }
    // A text up to the next NUL (or the end).
    std::string text() {
        auto end = rest_.find('\0');
        std::string s(rest_.substr(0, end));
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return s;
    }

  private:
    std::string_view rest_;
};

// A finding the sanitizers cannot see: two ways to the same result disagree.
inline void require(bool condition) {
    if (!condition) std::abort();
}

} // namespace kl::fuzz
