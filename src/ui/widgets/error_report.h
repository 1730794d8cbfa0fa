#pragma once

#include "core/platform/operator.h"

#include <QString>

#include <exception>
#include <utility>

namespace ft::app {

// The text an exception shows the operator. Messages are UTF-8; a message
// that is not (one that quotes raw CP932 survey text) is read as CP932.
QString exceptionMessage(const std::exception& error);

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
        op.reportError(QStringLiteral("不明なエラーが起きました"));
    }
}

} // namespace ft::app
