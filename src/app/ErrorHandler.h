#pragma once
// The program-wide error handler: every user action runs inside run(), so no exception crosses
// the Qt event loop. Failures that no handler dealt with itself end in one of the reactions below.

#include "platform/Services.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace kl {

// Malformed file contents: the user is told, the operation is abandoned, the program goes on.
class BadDataError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A failure while filling the frequency-table list: the list is cleared and the program goes on.
class TableListError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class FailureClass { TableList, OutOfMemory, SystemFailure, BadData, Other };

// The class a caught exception falls into (call inside a catch block).
FailureClass classifyCurrentException();

class ErrorHandler {
  public:
    // endProgram ends the program (after the pause and closing files); onTableList clears LIST2
    // and disables BUTTON3.
    ErrorHandler(Services& services, std::function<void()> endProgram,
                 std::function<void()> onTableList = {});

    // Runs an action; returns false when it failed and the failure was reported.
    bool run(const std::function<void()>& action);

    // The reaction to one failure class (also used directly by callers that caught it).
    void react(FailureClass failure);

    void setTableListReaction(std::function<void()> f) { onTableList_ = std::move(f); }
    bool ended() const { return ended_; }

  private:
    void endAfterError();

    Services& services_;
    std::function<void()> endProgram_;
    std::function<void()> onTableList_;
    bool ended_ = false;
};

} // namespace kl
