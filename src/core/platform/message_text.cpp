#include "core/platform/message_text.h"

#include "core/platform/cp932.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace ft::platform {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void appendHex(std::string& text, unsigned char byte)
{
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0x0F];
}

} // namespace

std::string hexBytes(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const unsigned char byte : bytes) {
        if (!text.empty())
            text += ' ';
        appendHex(text, byte);
    }
    return text;
}

std::string cp932ForMessage(std::string_view cp932)
{
    try {
        return cp932ToUtf8(cp932);
    } catch (const EncodingError&) {
        std::string shown;
        for (const unsigned char byte : cp932) {
            if (byte >= 0x20 && byte < 0x7F) {
                shown += static_cast<char>(byte);
            } else {
                shown += "\\x";
                appendHex(shown, byte);
            }
        }
        return shown;
    }
}

std::string messageAsUtf8(std::string_view message)
{
    // Stateless: a sequence cut off at the end is an error, not something
    // kept back for a next chunk that never comes.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded =
        utf8(QByteArrayView(message.data(), static_cast<qsizetype>(message.size())));
    if (!utf8.hasError())
        return std::string(message);
    try {
        return cp932ToUtf8(message);
    } catch (const EncodingError&) {
        return decoded.toStdString();
    }
}

} // namespace ft::platform
