#pragma once

#include <QString>
#include <QStringList>

#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

class QCoreApplication;

namespace ft::platform {

// Every text the program raises for the operator is English source text,
// marked where it is raised with
//     QT_TRANSLATE_NOOP("findTavla", "Cannot open %1")
// (or QCoreApplication::translate with the same context) so that lupdate
// finds it; its Japanese lives in translations/findtavla_ja.ts and is what
// the windows and the command-line tool show. One context for the whole
// program: the same sentence raised in two places has one Japanese text.
inline constexpr char kMessageContext[] = "findTavla";

// One marked text and the arguments of its %1, %2, ... placeholders.
class Message {
public:
    // `source` is a marked literal: it must outlive the message.
    explicit Message(const char* source, QStringList arguments = {});

    const char* source() const { return m_source; }
    const QStringList& arguments() const { return m_arguments; }
    // The English source text with its arguments: what trace logs keep.
    QString english() const;
    // The text in the language the program loaded (Japanese in the
    // programs; English where no translation is loaded, as in unit tests).
    QString text() const;

private:
    const char* m_source;
    QStringList m_arguments;
};

// The text of a marked message in the language the program loaded:
// Message(source, arguments).text().
QString messageText(const char* source, QStringList arguments = {});

// What a failure meant for the operator carries beside its what(): the
// marked sentence it shows, and the library's or the design's own text that
// follows the sentence unchanged as a detail paragraph. A mixin, so that a
// failure can stay the std::system_error or catalogue error its callers
// catch.
class MarkedFailure {
public:
    virtual ~MarkedFailure() = default;

    const Message& message() const { return m_message; }
    const std::string& detail() const { return m_detail; }

protected:
    MarkedFailure(Message message, std::string detail)
        : m_message(std::move(message)), m_detail(std::move(detail))
    {
    }
    MarkedFailure(const MarkedFailure&) = default;
    MarkedFailure& operator=(const MarkedFailure&) = default;

private:
    Message m_message;
    std::string m_detail;
};

// An error the operator is told of. Its what() is English, for trace logs
// and callers.
class MessageError : public std::runtime_error, public MarkedFailure {
public:
    // what() is the message in English; there is no detail.
    explicit MessageError(Message message);
    // what() is `detail` (a library's text or a designed English text),
    // which the operator sees after the message; the English message when
    // there is none.
    MessageError(Message message, const std::string& detail);
};

// A file operation the system refused, as the std::system_error its callers
// catch: what() is the message in English and the system's reason, the
// operator sees the marked sentence and the system's reason as its detail.
class SystemFailure : public std::system_error, public MarkedFailure {
public:
    SystemFailure(int error, Message message);
};

// What the operator is shown for a failure: a sentence that says what failed
// and what to do first, a library's or designed text after it.
struct FailureText {
    QString sentence;
    QString detail; // empty when there is none
    // The sentence, then the detail as a paragraph of its own.
    QString joined() const;
};

// The failure text of any exception: a MarkedFailure's own; for any other
// (a library's std::system_error, a filesystem error, running out of
// memory) a general sentence with the library's text as the detail, except
// for a text the program raised in Japanese, which is shown whole.
FailureText failureText(const std::exception& error);

// Loads the program's Japanese texts (built into the program) and Qt's own
// (its dialogs' buttons), whatever the locale. False when the program's
// texts could not be loaded; the program then speaks English.
bool loadJapaneseTexts(QCoreApplication& application);

} // namespace ft::platform
