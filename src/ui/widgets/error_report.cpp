#include "ui/widgets/error_report.h"

#include "core/platform/cp932.h"

#include <QByteArrayView>
#include <QStringDecoder>

namespace ft::app {

QString exceptionMessage(const std::exception& error)
{
    const QByteArrayView bytes(error.what());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    try {
        return QString::fromStdString(platform::cp932ToUtf8(error.what()));
    } catch (const platform::EncodingError&) {
        return text; // neither encoding fits: show it with replacement marks
    }
}

} // namespace ft::app
