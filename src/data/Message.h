#pragma once
// A message box as a rule asks for it: the window layer shows it through Services::message.

#include "platform/MessageBox.h"

#include <string>

namespace kl {

struct Message {
    std::string caption;
    std::string text; // line breaks inside are CR LF
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::Information;

    bool operator==(const Message&) const = default;
};

} // namespace kl
