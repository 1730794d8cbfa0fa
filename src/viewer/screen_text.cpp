#include "viewer/screen_text.h"

#include "core/platform/cp932.h"

#include <algorithm>

namespace ft::viewer {

QString screenText(std::string_view cp932)
{
    // Lot numbers and most point names are ASCII, which CP932 keeps as it is;
    // they are made while drawing, for every label in view.
    if (std::all_of(cp932.begin(), cp932.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(cp932.data(), static_cast<qsizetype>(cp932.size()));
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
