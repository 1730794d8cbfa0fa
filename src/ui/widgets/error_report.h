#pragma once

#include "core/platform/operator.h"

#include <QString>

#include <exception>
#include <utility>

namespace ft::app {

// The text an exception shows the operator: a sentence that says what failed
// and what to do, then the library's or the catalogue layer's own text, if
// any, as a paragraph of its own (platform::failureText).
QString exceptionMessage(const std::exception& error);
// The text of a failure that is no std::exception.
QString unknownErrorMessage();

// Runs one command of a window, the default error report around it: whatever
// the command throws ends it, leaves what it did so far, and is shown to the
// operator as a message. Qt must never see an exception unwind through its
// event loop, so every handler of every window runs through here.
template <typename Command> void runCommand(platform::Operator& op, Command&& command)
{
    try {
        std::forward<Command>(command)();
    } catch (const std::exception& error) {
        op.reportError(exceptionMessage(error));
    } catch (...) {
        op.reportError(unknownErrorMessage());
    }
}

} // namespace ft::app
