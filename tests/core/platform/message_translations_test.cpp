// Every message marked for the operator has a finished Japanese text, and the
// programs show it.

#include "core/platform/operator_message.h"
#include "devtools/message_catalogue.h"
#include "devtools/temp_folder.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <system_error>

namespace ft::platform {
namespace {

// The committed .ts file brought up to date with the sources, as
// `update_translations` would: a message marked in the code but missing from
// the file comes in unfinished, one no longer marked drops out.
std::vector<devtools::CatalogueMessage> updatedCatalogue(const test::TempFolder& temp)
{
    const QString copy = QString::fromStdString((temp.path() / "findtavla_ja.ts").string());
    EXPECT_TRUE(QFile::copy(QStringLiteral(FT_TS_FILE), copy));
    QProcess lupdate;
    lupdate.start(QStringLiteral(FT_LUPDATE),
                  {QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-no-obsolete"), QStringLiteral("-silent"),
                   QStringLiteral(FT_SOURCE_DIR "/src"), QStringLiteral("-ts"), copy});
    EXPECT_TRUE(lupdate.waitForFinished(120000));
    EXPECT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    return devtools::readTsFile(copy);
}

bool holdsJapanese(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

TEST(MessageTranslationsTest, EveryMarkedMessageHasAFinishedJapaneseTextWithItsPlaceholders)
{
    const test::TempFolder temp;
    const auto updated = updatedCatalogue(temp);
    const auto committed = devtools::readTsFile(QStringLiteral(FT_TS_FILE));
    ASSERT_FALSE(updated.empty());
    for (const devtools::CatalogueMessage& m : updated) {
        SCOPED_TRACE(m.source.toStdString());
        EXPECT_EQ(m.context, QString::fromLatin1(kMessageContext));
        EXPECT_TRUE(m.state.isEmpty()) << "not translated (" << m.state.toStdString() << ")";
        EXPECT_TRUE(holdsJapanese(m.translation)) << m.translation.toStdString();
        EXPECT_EQ(devtools::placeholdersOf(m.translation), devtools::placeholdersOf(m.source))
            << m.translation.toStdString();
    }
    // Nothing in the committed file that the code no longer raises.
    EXPECT_EQ(committed.size(), updated.size()) << "run the update_translations target";
}

// The texts the design gives are shown exactly as given: written out where
// they are raised, and never translated.
TEST(MessageTranslationsTest, TheDesignedTextsStayAsDesigned)
{
    const QString designed[] = {
        QStringLiteral("本当に削除しますか？"),
        QStringLiteral("見つかりません"),
        QStringLiteral("まず図面データの場所を追加してください"),
        QStringLiteral("中間ファイル作成ができませんでした"),
        QStringLiteral("全ドライブをスキャンします。よろしいですか？"),
        QStringLiteral("フォルダーを指定しますか？"),
        QStringLiteral("登録するフォルダの選択"),
        QStringLiteral("は登録できません"),
        QStringLiteral("件登録しました"),
        QStringLiteral("登録終了"),
        QStringLiteral(" Not found. Empty dataset"),
        QStringLiteral("Field not found in dataset: "),
        QStringLiteral("Table is at End of File"),
        QStringLiteral("Transaction already open"),
        QStringLiteral("Failed to open database \\\""),
        QStringLiteral("Error executing SQL statement"),
    };
    QString sources;
    QDirIterator files(QStringLiteral(FT_SOURCE_DIR "/src"), {QStringLiteral("*.cpp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        sources += QString::fromUtf8(file.readAll());
    }
    const auto catalogue = devtools::readTsFile(QStringLiteral(FT_TS_FILE));
    for (const QString& text : designed) {
        EXPECT_TRUE(sources.contains(text)) << text.toStdString();
        EXPECT_TRUE(std::none_of(catalogue.begin(), catalogue.end(),
                                 [&](const auto& m) { return m.source.contains(text); }))
            << text.toStdString() << " is translated";
    }
}

TEST(MessageTranslationsTest, TheProgramsShowTheBuiltInJapaneseText)
{
    int argc = 0;
    QCoreApplication application(argc, nullptr);
    ASSERT_TRUE(loadJapaneseTexts(application));
    const Message message(QT_TRANSLATE_NOOP("findTavla", "The command could not be completed."));
    EXPECT_EQ(message.english(), QStringLiteral("The command could not be completed."));
    EXPECT_EQ(message.text(), QStringLiteral("コマンドを最後まで実行できませんでした。"));
}

TEST(MessageTranslationsTest, ASentenceFirstAndTheLibraryTextUnchangedAsItsDetail)
{
    // An argument holding a placeholder is not filled in again.
    const MessageError marked(Message("%1 then %2", {QStringLiteral("a%2"), QStringLiteral("b")}));
    EXPECT_STREQ(marked.what(), "a%2 then b");
    EXPECT_EQ(failureText(marked).joined(), QStringLiteral("a%2 then b"));

    const MessageError designed(Message("The catalogue could not be read."),
                                "Error executing SQL statement. Error [11]: malformed");
    EXPECT_STREQ(designed.what(), "Error executing SQL statement. Error [11]: malformed");
    EXPECT_EQ(failureText(designed).joined(),
              QStringLiteral("The catalogue could not be read.\n\n"
                             "Error executing SQL statement. Error [11]: malformed"));

    const std::system_error library(std::make_error_code(std::errc::permission_denied), "open x");
    const FailureText fromLibrary = failureText(library);
    EXPECT_FALSE(fromLibrary.sentence.isEmpty());
    EXPECT_EQ(fromLibrary.detail, QString::fromUtf8(library.what()));
}

} // namespace
} // namespace ft::platform
