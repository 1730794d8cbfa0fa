#include "ui/widgets/error_report.h"

#include "core/platform/operator_message.h"

namespace ft::app {

QString exceptionMessage(const std::exception& error)
{
    // The catalogue layer separates the lines of its texts with a lone CR.
    QString text = platform::failureText(error).joined();
    text.replace(u'\r', u'\n');
    return text;
}

QString unknownErrorMessage()
{
    return platform::Message(QT_TRANSLATE_NOOP("findTavla", "An unknown error occurred.")).text();
}

} // namespace ft::app
