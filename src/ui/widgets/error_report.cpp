#include "ui/widgets/error_report.h"

#include "core/platform/message_text.h"

namespace ft::app {

QString exceptionMessage(const std::exception& error)
{
    return QString::fromStdString(platform::messageAsUtf8(error.what()));
}

} // namespace ft::app
