#include "platform/script/Transcript.h"

#include "text/Text.h"

namespace kl {

void Transcript::line(std::string_view text) {
    out_ << text << '\n';
    out_.flush();
}

std::string Transcript::quoted(std::string_view text) {
    return "\"" + escapeForTranscript(text) + "\"";
}

} // namespace kl
