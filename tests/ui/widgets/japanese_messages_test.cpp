// The core's English messages as the windows show them.

#include "ui/widgets/japanese_messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

namespace ft::widgets {
namespace {

TEST(JapaneseMessagesTest, KnownPhrasesReadInJapaneseKeepingPathsAndNumbers)
{
    const std::filesystem::filesystem_error removal(
        "Cannot remove the working file", "/d/findTavla.zu2",
        std::make_error_code(std::errc::permission_denied));
    struct Case {
        std::string english;
        const char* japanese;
    };
    const Case cases[] = {
        {"convertMapToDB failed for /d/A01.map",
         "/d/A01.map を取り込めませんでした（convertMapToDB）"},
        {"record 3: '12x' is not a valid number", "3件目のレコード: 「12x」は数値ではありません"},
        {"another registration is running on /d; try again when it has ended",
         "/d では別の登録が実行中です。終わってからもう一度実行してください"},
        {removal.what(),
         "作業ファイルを削除できません: アクセスが許可されていません [/d/findTavla.zu2]"},
        {"カタログ /d/Dorsawrd.db は他のfindTavlaが使用中です (the catalogue is in use by another "
         "findTavla; try again when it has finished)",
         "カタログ /d/Dorsawrd.db "
         "は他のfindTavlaが使用中です。終わってからもう一度実行してください"},
        {"Unknown error", "不明なエラーが起きました"},
        // Japanese already, or the catalogue layer's own text: unchanged.
        {"3件登録しました", "3件登録しました"},
        {"no such table: MAP", "no such table: MAP"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(japaneseMessage(QString::fromStdString(c.english)).toStdString(), c.japanese);
}

} // namespace
} // namespace ft::widgets
