#include "app/AppState.h"

#include "text/Text.h"

namespace kl {

std::string AppState::stateLine() const {
    return "counter=" + std::to_string(counter) + " pasted=" + std::to_string(pasted) +
           " manual=" + std::to_string(manual) + " count=" + std::to_string(count()) +
           " decimals=" + std::to_string(data.decimalPlaces) + " sourcePath=\"" +
           escapeForTranscript(data.sourcePath) + "\" sourceName=\"" + escapeForTranscript(data.sourceName) +
           "\" found=" + (settingsFound ? "1" : "0") + " saved=" + (saved ? "1" : "0");
}

} // namespace kl
