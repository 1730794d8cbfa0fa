#include "core/formats/converter_support.h"

#include "core/formats/text_helpers.h"
#include "core/platform/cp932.h"
#include "core/platform/message_text.h"
#include "core/platform/path_text.h"
#include "core/platform/trace_log.h"

#include <optional>

namespace ft::formats {

SourceFileError::SourceFileError(std::filesystem::path file, std::string text,
                                 const platform::Message& reason)
    : std::runtime_error(platform::pathText(file) + ": " + reason.english().toStdString()),
      platform::MarkedFailure(
          platform::Message(QT_TRANSLATE_NOOP("findTavla", "%1 cannot be read: %2"),
                            {QString::fromStdString(platform::pathText(file)), reason.text()}),
          std::string()),
      m_file(std::move(file)), m_text(std::move(text))
{
}

platform::Message inRecord(std::size_t recordNumber, const platform::Message& reason)
{
    if (recordNumber == 0)
        return reason;
    return platform::Message(QT_TRANSLATE_NOOP("findTavla", "record %1: %2"),
                             {QString::number(recordNumber), reason.text()});
}

platform::Message notANumber(const std::string& cp932)
{
    return platform::Message(QT_TRANSLATE_NOOP("findTavla", "'%1' is not a valid number"),
                             {QString::fromStdString(platform::cp932ForMessage(cp932))});
}

std::string IntegerOrNull(std::string_view field)
{
    const std::optional<int> value = IntOf(TrimBlanks(field));
    return value ? std::to_string(*value) : std::string("NULL");
}

std::string Utf8Of(std::string_view cp932)
{
    if (const std::size_t zero = cp932.find('\0'); zero != std::string_view::npos)
        throw platform::EncodingError(platform::Message(
            QT_TRANSLATE_NOOP("findTavla", "Zero byte (NUL) at byte %1"), {QString::number(zero)}));
    return platform::cp932ToUtf8(cp932);
}

std::string TraceTextOf(const std::filesystem::path& path)
{
    return platform::utf8ToCp932Escaped(platform::pathText(path));
}

void TraceStatement(platform::TraceLog& trace, std::string_view utf8Statement)
{
    trace.writeLine(platform::utf8ToCp932Escaped(utf8Statement));
}

} // namespace ft::formats
