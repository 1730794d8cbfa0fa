#pragma once

#include <QString>

namespace ft::widgets {

// The core words its messages in English: the command-line tool prints them
// as they are, and the trace logs keep them. The windows show them in
// Japanese: every known English phrase of the core's messages (why a data
// set could not be registered, why a file could not be opened, written or
// locked, the system's error texts) is replaced by its Japanese wording;
// paths, names and numbers stay as they are. Text that is Japanese already,
// and the catalogue layer's own messages, pass unchanged.
//
// A new English message that can reach a window needs its phrase here.
QString japaneseMessage(const QString& message);

} // namespace ft::widgets
