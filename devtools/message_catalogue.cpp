#include "devtools/message_catalogue.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <stdexcept>

namespace ft::devtools {

std::vector<CatalogueMessage> readTsFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    QXmlStreamReader xml(&file);
    std::vector<CatalogueMessage> messages;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == u"name") {
            context = xml.readElementText();
        } else if (name == u"message") {
            messages.push_back({context, {}, {}, {}});
        } else if (name == u"source" && !messages.empty()) {
            messages.back().source = xml.readElementText();
        } else if (name == u"translation" && !messages.empty()) {
            messages.back().state = xml.attributes().value(QLatin1StringView("type")).toString();
            messages.back().translation = xml.readElementText();
        }
    }
    if (xml.hasError())
        throw std::runtime_error(path.toStdString() + ": " + xml.errorString().toStdString());
    return messages;
}

QStringList placeholdersOf(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%\\d+"));
    QStringList found;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
        found << match.captured();
    found.removeDuplicates();
    found.sort();
    return found;
}

} // namespace ft::devtools
