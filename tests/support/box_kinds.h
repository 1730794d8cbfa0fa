#pragma once

#include <QCoreApplication>
#include <QRegularExpression>
#include <QString>

#include <array>
#include <optional>

namespace ft::test {

// How a message reaches the screen: which Operator call shows it and with
// which icon.
enum class BoxKind { Question, WarningQuestion, Plain, Information, Warning, Error };

struct BoxMessage {
    const char* source; // the marked English source, or a designed text
    BoxKind kind;
};

// Every message that is shown in a box with a text of its own, and the box
// it belongs in. The first row that matches wins, so a message that names
// another (a stopped run's count) comes before it.
inline constexpr std::array kBoxMessages{
    BoxMessage{"全ドライブをスキャンします。よろしいですか？", BoxKind::Question},
    BoxMessage{"フォルダーを指定しますか？", BoxKind::WarningQuestion},
    BoxMessage{"The search for data sets was stopped.\nShow the %1 found so far in the list of "
               "target files?",
               BoxKind::Question},
    BoxMessage{"本当に削除しますか？", BoxKind::Question},
    BoxMessage{"Registration stopped.", BoxKind::Information},
    BoxMessage{"The %2 registered drawings of %1 were deleted.", BoxKind::Information},
    BoxMessage{"%1は登録できません", BoxKind::Warning},
    BoxMessage{"Data sets without all of .pol, .pnt, .atr", BoxKind::Warning},
    BoxMessage{"Folders that could not be read", BoxKind::Warning},
    BoxMessage{"The drawing viewer Tavla could not be started", BoxKind::Warning},
    BoxMessage{"%1件登録しました", BoxKind::Plain},
    BoxMessage{"まず図面データの場所を追加してください", BoxKind::Plain},
    BoxMessage{"見つかりません", BoxKind::Plain},
    BoxMessage{"No row is ticked", BoxKind::Plain},
    BoxMessage{"中間ファイル作成ができませんでした", BoxKind::Plain},
    BoxMessage{"The catalogue has changed since the search. Search again.", BoxKind::Plain},
    BoxMessage{"%1 drawings written to %2 (%3)", BoxKind::Plain},
    BoxMessage{"The catalogue %1 is in use by another findTavla; try again when it has finished.",
               BoxKind::Error},
    BoxMessage{"The catalogue %1 cannot be opened. If it is damaged, move it out of the data "
               "folder and register the data again; the other datum can be used meanwhile.",
               BoxKind::Error},
    BoxMessage{"%1 of the chosen rows are gone: another registration deleted them. Search again.",
               BoxKind::Error},
    BoxMessage{"The search text for %1 is too long. Shorten it and search again.", BoxKind::Error},
};

// True when the message fills one or more whole lines of `shown`, in its
// source or its loaded translation, each placeholder standing for text
// within a line.
inline bool showsMessage(const QString& shown, const char* source)
{
    QString pattern = QRegularExpression::escape(QCoreApplication::translate("findTavla", source));
    pattern.replace(QRegularExpression(QStringLiteral(R"(\\%\d)")), QStringLiteral("[^\n]*"));
    const QRegularExpression line(QStringLiteral("(?:^|\n)") + pattern +
                                  QStringLiteral("(?:\n|$)"));
    return line.match(shown).hasMatch();
}

// The box the message in `shown` belongs in, or nothing for a text no row
// names (library texts, reasons built from data).
inline std::optional<BoxKind> expectedBoxKind(const QString& shown)
{
    for (const BoxMessage& message : kBoxMessages)
        if (showsMessage(shown, message.source))
            return message.kind;
    return std::nullopt;
}

} // namespace ft::test
