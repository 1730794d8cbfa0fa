// Writes the list of the operator's messages and their Japanese texts, read
// from the .ts files, as a Markdown table:
//     findtavla-messages-doc docs/messages.md translations/findtavla_ja.ts
// (the messages_doc target does this).

#include "devtools/message_catalogue.h"

#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <exception>

namespace {

// A table cell: the pipe would end it and a line break would end the row.
QString cell(QString text)
{
    text.replace(u'|', QStringLiteral("\\|"));
    text.replace(u'\n', QStringLiteral("<br>"));
    return text;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("usage: findtavla-messages-doc OUTPUT.md FILE.ts...\n", stderr);
        return 2;
    }
    QString doc = QStringLiteral(
        "# The operator's messages\n\n"
        "Made by `cmake --build build --target messages_doc` from translations/*.ts; "
        "do not edit by hand. Every message the windows and findTavla-cli raise is "
        "English source text marked in the code; the programs show its Japanese text. "
        "%1, %2, ... stand for the paths, names and numbers filled in.\n\n"
        "The texts the design gives (「本当に削除しますか？」, 「見つかりません」, the "
        "catalogue layer's English messages such as \"Field PATH Not found. Empty "
        "dataset\") are not translated and are not listed here; a catalogue layer "
        "or library text follows a message below as its detail paragraph.\n");
    try {
        for (int i = 2; i < argc; ++i) {
            const auto messages = ft::devtools::readTsFile(QString::fromLocal8Bit(argv[i]));
            doc += QStringLiteral("\n| # | English source | 日本語 |\n| --- | --- | --- |\n");
            int number = 0;
            for (const auto& message : messages) {
                doc += QStringLiteral("| %1 | %2 | %3 |\n")
                           .arg(++number)
                           .arg(cell(message.source), cell(message.translation));
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-messages-doc: %s\n", error.what());
        return 1;
    }
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(doc.toUtf8()) < 0 || !out.commit()) {
        std::fprintf(stderr, "findtavla-messages-doc: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
