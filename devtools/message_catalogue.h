#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace ft::devtools {

// One message of a Qt Linguist .ts file.
struct CatalogueMessage {
    QString context;
    QString source;
    QString translation;
    // The translation's type attribute: empty when finished, otherwise
    // "unfinished", "obsolete" or "vanished".
    QString state;
};

// Every message of a .ts file, in file order. Throws std::runtime_error
// when the file cannot be read or is not well-formed XML.
std::vector<CatalogueMessage> readTsFile(const QString& path);

// The placeholders (%1, %2, ...) a text uses, sorted, each once.
QStringList placeholdersOf(const QString& text);

} // namespace ft::devtools
