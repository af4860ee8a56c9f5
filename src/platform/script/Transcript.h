#pragma once
// The transcript of a scripted run: one event a line, UTF-8, in the order things happen.

#include <ostream>
#include <string>
#include <string_view>

namespace kl {

class Transcript {
  public:
    explicit Transcript(std::ostream& out) : out_(out) {}
    // Writes one line and flushes it, so a run that ends abruptly keeps everything before.
    void line(std::string_view text);
    // A text in double quotes with \r \n \t " and \ escaped.
    static std::string quoted(std::string_view text);

  private:
    std::ostream& out_;
};

} // namespace kl
