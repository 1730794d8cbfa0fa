#include "core/platform/operator_message.h"

#include "core/platform/message_text.h"

#include <QCoreApplication>
#include <QTranslator>

#include <algorithm>
#include <memory>
#include <new>
#include <system_error>

namespace ft::platform {
namespace {

// %1 ... %99 replaced by their arguments in one pass, so that an argument
// holding "%2" (a path may) is left as it is.
QString substitute(const QString& pattern, const QStringList& arguments)
{
    QString text;
    text.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c != u'%' || i + 1 >= pattern.size() || !pattern[i + 1].isDigit()) {
            text += c;
            continue;
        }
        qsizetype end = i + 1;
        int number = 0;
        while (end < pattern.size() && pattern[end].isDigit() && end < i + 3)
            number = number * 10 + pattern[end++].digitValue();
        if (number >= 1 && number <= arguments.size()) {
            text += arguments[number - 1];
            i = end - 1;
        } else {
            text += c;
        }
    }
    return text;
}

QString fromLibrary(const char* text)
{
    return QString::fromStdString(messageAsUtf8(text));
}

} // namespace

Message::Message(const char* source, QStringList arguments)
    : m_source(source), m_arguments(std::move(arguments))
{
}

QString Message::english() const
{
    return substitute(QString::fromUtf8(m_source), m_arguments);
}

QString Message::text() const
{
    return substitute(QCoreApplication::translate(kMessageContext, m_source), m_arguments);
}

QString messageText(const char* source, QStringList arguments)
{
    return Message(source, std::move(arguments)).text();
}

MessageError::MessageError(Message message)
    : std::runtime_error(message.english().toStdString()),
      MarkedFailure(std::move(message), std::string())
{
}

MessageError::MessageError(Message message, const std::string& detail)
    : std::runtime_error(detail.empty() ? message.english().toStdString() : detail),
      MarkedFailure(std::move(message), detail)
{
}

SystemFailure::SystemFailure(int error, Message message)
    : std::system_error(error, std::generic_category(), message.english().toStdString()),
      MarkedFailure(std::move(message), std::generic_category().message(error))
{
}

QString FailureText::joined() const
{
    if (detail.isEmpty())
        return sentence;
    return sentence + QStringLiteral("\n\n") + detail;
}

FailureText failureText(const std::exception& error)
{
    if (const auto* marked = dynamic_cast<const MarkedFailure*>(&error))
        return {marked->message().text(), fromLibrary(marked->detail().c_str())};
    if (dynamic_cast<const std::bad_alloc*>(&error)) {
        return {Message(QT_TRANSLATE_NOOP("findTavla",
                                          "There is not enough memory. Close other programs "
                                          "and try again."))
                    .text(),
                fromLibrary(error.what())};
    }
    if (dynamic_cast<const std::system_error*>(&error)) {
        return {Message(QT_TRANSLATE_NOOP("findTavla",
                                          "A file or folder could not be used. Check that it "
                                          "exists and that you may read and write it."))
                    .text(),
                fromLibrary(error.what())};
    }
    // A text the program raised in Japanese (the export's reasons, say) says
    // itself whole.
    const QString raised = fromLibrary(error.what());
    if (std::any_of(raised.begin(), raised.end(), [](QChar c) { return c.unicode() >= 0x3000; }))
        return {raised, QString()};
    return {Message(QT_TRANSLATE_NOOP("findTavla", "The command could not be completed.")).text(),
            raised};
}

bool loadJapaneseTexts(QCoreApplication& application)
{
    // Parented to the application, so it lives exactly as long.
    auto translator = std::make_unique<QTranslator>(&application);
    if (!translator->load(QStringLiteral(":/i18n/findtavla_ja.qm")))
        return false;
    QCoreApplication::installTranslator(translator.release());
    return true;
}

} // namespace ft::platform
