#include "viewer/screen_text.h"

#include "core/platform/cp932.h"

namespace ft::viewer {

QString screenText(std::string_view cp932)
{
    try {
        return QString::fromStdString(platform::cp932ToUtf8(cp932));
    } catch (const platform::EncodingError&) {
        QString shown;
        for (const unsigned char byte : cp932)
            shown += byte < 0x80 ? QChar(char16_t{byte}) : QChar(QChar::ReplacementCharacter);
        return shown;
    }
}

} // namespace ft::viewer
