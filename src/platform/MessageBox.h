#pragma once
// The buttons, icon and answer of a message box, as rules name them (data/Message.h) and the
// services show them.

namespace kl {

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { Stop, Question, Exclamation, Information };
enum class Answer { Ok, Yes, No, Cancel };

} // namespace kl
