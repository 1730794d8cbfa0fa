#include "core/search/registered_names.h"
#include "core/search/search_statements.h"
#include "core/search/search_text.h"

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"

#include "devtools/temp_folder.h"

#include "support/catalogue_engines.h"

#include <gtest/gtest.h>

namespace ft::search {
namespace {

TEST(ParcelStatementTest, EmptyFieldsSelectEveryRowAndKeepTheBlank)
{
    EXPECT_EQ(parcelStatement({}, MatchMode::Prefix), "SELECT * FROM CHIBAN ");
    EXPECT_EQ(parcelStatement({}, MatchMode::Exact), "SELECT * FROM CHIBAN ");
}

TEST(ParcelStatementTest, ConditionFormsOfTheThreeModes)
{
    ParcelConditions koazaOnly;
    koazaOnly.koaza = "東";
    EXPECT_EQ(parcelStatement(koazaOnly, MatchMode::Exact),
              "SELECT * FROM CHIBAN WHERE KOAZA='東'");
    EXPECT_EQ(parcelStatement(koazaOnly, MatchMode::Prefix),
              "SELECT * FROM CHIBAN WHERE KOAZA like '東%'");
    EXPECT_EQ(parcelStatement(koazaOnly, MatchMode::Contains),
              "SELECT * FROM CHIBAN WHERE KOAZA like '%東%'");
}

TEST(ParcelStatementTest, FieldsJoinInFixedOrderWhateverIsFilled)
{
    const ParcelConditions all{"本町", "東", "12-3", "山田太郎", "ﾔﾏﾀﾞﾀﾛｳ"};
    EXPECT_EQ(parcelStatement(all, MatchMode::Exact),
              "SELECT * FROM CHIBAN WHERE OOAZA='本町' AND KOAZA='東' AND CHIBAN='12-3'"
              " AND SNAME='山田太郎' AND FOLDKANA(KNAME)=FOLDKANA('ﾔﾏﾀﾞﾀﾛｳ')");

    ParcelConditions oazaAndLot;
    oazaAndLot.oaza = "本町";
    oazaAndLot.chiban = "12";
    EXPECT_EQ(parcelStatement(oazaAndLot, MatchMode::Prefix),
              "SELECT * FROM CHIBAN WHERE OOAZA like '本町%' AND CHIBAN like '12%'");

    ParcelConditions lotAndOwner;
    lotAndOwner.chiban = "5";
    lotAndOwner.owner = "山田";
    EXPECT_EQ(parcelClause(lotAndOwner, MatchMode::Prefix),
              "WHERE CHIBAN like '5%' AND SNAME like '山田%'");

    ParcelConditions kanaOnly;
    kanaOnly.ownerKana = "ﾔﾏﾀﾞ";
    EXPECT_EQ(parcelClause(kanaOnly, MatchMode::Contains),
              "WHERE FOLDKANA(KNAME) like FOLDKANA('%ﾔﾏﾀﾞ%')");
}

TEST(ParcelStatementTest, SingleQuotesAreDoubledDoubleQuotesKept)
{
    ParcelConditions owner;
    owner.owner = "O'Neil \"Jr\"";
    EXPECT_EQ(parcelClause(owner, MatchMode::Exact), "WHERE SNAME='O''Neil \"Jr\"'");
    EXPECT_EQ(parcelClause(owner, MatchMode::Contains), "WHERE SNAME like '%O''Neil \"Jr\"%'");
}

TEST(SingleNameStatementTest, EmptyNameSelectsEveryRow)
{
    for (const MatchMode mode : {MatchMode::Exact, MatchMode::Prefix, MatchMode::Contains}) {
        EXPECT_EQ(mapSheetStatement("", mode), "SELECT * FROM MAP ");
        EXPECT_EQ(boundaryPointStatement("", mode), "SELECT * FROM FTEN ");
        EXPECT_EQ(controlPointStatement("", mode), "SELECT * FROM ZTEN ");
    }
    EXPECT_EQ(registeredDrawingsStatement(), "SELECT * FROM FILE");
}

TEST(SingleNameStatementTest, NameIsASingleQuotedValueInTheFormOfTheMode)
{
    EXPECT_EQ(mapSheetStatement("Ⅳ-12", MatchMode::Exact),
              "SELECT * FROM MAP WHERE MAPNAME='Ⅳ-12'");
    EXPECT_EQ(boundaryPointStatement("K1", MatchMode::Prefix),
              "SELECT * FROM FTEN WHERE TENNAME like 'K1%'");
    EXPECT_EQ(controlPointStatement("T'2\"", MatchMode::Contains),
              "SELECT * FROM ZTEN WHERE TENNAME like '%T''2\"%'");
}

// The statements as each engine reads them: what a search finds.
class StatementOnCatalogueTest : public ::testing::TestWithParam<test::Engine> {
protected:
    void SetUp() override
    {
        FT_SKIP_WITHOUT_SERVER(GetParam());
        catalogue::CreateSchemaIfMissing(m_db);
        for (const char* row : {
                 "('本町', '東', '12-3', 1, 'Yamada', 'ﾔﾏﾀﾞ', 12, 3, 0, 1)",
                 "('本町', '東', '120', 1, 'yamada', 'ﾔﾏﾀﾞ', 120, 0, 0, 1)",
                 "('本町', '西', '1_2', 1, 'O''Neil', 'ｵﾆｰﾙ', 0, 0, 0, 2)",
                 "('新町', '', '７', 1, '100%', '', 7, 0, 0, 2)",
             })
            m_db.ExecSQL(std::string("INSERT INTO CHIBAN VALUES ") + row);
        m_db.ExecSQL("INSERT INTO MAP VALUES ('12', 1, 500, 12, 0, 1)");
        m_db.ExecSQL("INSERT INTO MAP VALUES ('123', 1, 500, 123, 0, 1)");
        m_db.ExecSQL("INSERT INTO ZTEN VALUES ('T\"1', 3, 0, 0)");
        m_db.ExecSQL("INSERT INTO FTEN VALUES ('K1-2', 4, 1, 2, 1)");
    }

    int count(const std::string& statement) { return m_db.GetTable(statement).Count(); }

    // conditions: oaza, koaza, lot number, owner, owner kana
    int parcels(ParcelConditions conditions, MatchMode mode)
    {
        return count(parcelStatement(conditions, mode));
    }

    test::TempFolder m_folder;
    test::EngineCatalogue m_catalogue{GetParam(), m_folder.path()};
    catalogue::CatalogueDatabase& m_db = *m_catalogue;
};

TEST_P(StatementOnCatalogueTest, ExactIsCaseSensitiveLikeIsNot)
{
    EXPECT_EQ(parcels({"", "", "", "Yamada", ""}, MatchMode::Exact), 1);
    EXPECT_EQ(parcels({"", "", "", "yamada", ""}, MatchMode::Prefix), 2);
    EXPECT_EQ(parcels({"", "", "12", "", ""}, MatchMode::Prefix), 2);
    EXPECT_EQ(parcels({"", "", "12", "", ""}, MatchMode::Exact), 0);
    EXPECT_EQ(parcels({"本町", "東", "", "", ""}, MatchMode::Prefix), 2);
    EXPECT_EQ(parcels({}, MatchMode::Exact), 4);
}

TEST_P(StatementOnCatalogueTest, TypedWildcardsActInLikeForms)
{
    EXPECT_EQ(parcels({"", "", "1_", "", ""}, MatchMode::Prefix), 3); // 12-3, 120, 1_2
    EXPECT_EQ(parcels({"", "", "", "%", ""}, MatchMode::Contains), 4);
}

TEST_P(StatementOnCatalogueTest, QuotesInValuesFindTheRowInsteadOfFailing)
{
    EXPECT_EQ(parcels({"", "", "", "O'Neil", ""}, MatchMode::Exact), 1);
    EXPECT_EQ(parcels({"", "", "", "'", ""}, MatchMode::Contains), 1);
    EXPECT_EQ(count(controlPointStatement("T\"1", MatchMode::Exact)), 1);
    EXPECT_EQ(count(mapSheetStatement("x' OR '1'='1", MatchMode::Exact)), 0);
}

TEST_P(StatementOnCatalogueTest, SheetAndPointSearchesHonourTheMode)
{
    EXPECT_EQ(count(mapSheetStatement("12", MatchMode::Exact)), 1);
    EXPECT_EQ(count(mapSheetStatement("12", MatchMode::Prefix)), 2);
    EXPECT_EQ(count(mapSheetStatement("23", MatchMode::Contains)), 1);
    EXPECT_EQ(count(mapSheetStatement("23", MatchMode::Prefix)), 0);
    EXPECT_EQ(count(boundaryPointStatement("-2", MatchMode::Contains)), 1);
    EXPECT_EQ(count(mapSheetStatement("", MatchMode::Exact)), 2);
}

// A name is a value: typed as the compared column it lists nothing, typed as
// FILENO it is not compared with the drawing number.
TEST_P(StatementOnCatalogueTest, NamesAreValuesNeverColumns)
{
    m_db.ExecSQL("INSERT INTO MAP VALUES ('7', 7, 500, 7, 0, 1)");
    for (const MatchMode mode : {MatchMode::Exact, MatchMode::Prefix}) {
        EXPECT_EQ(count(mapSheetStatement("MAPNAME", mode)), 0);
        EXPECT_EQ(count(mapSheetStatement("FILENO", mode)), 0);
        EXPECT_EQ(count(boundaryPointStatement("TENNAME", mode)), 0);
        EXPECT_EQ(count(controlPointStatement("TENNAME", mode)), 0);
    }
}

// What an input method types and what registration stored: the same text
// after the CP932 round trip, and for every field but oaza and koaza after
// the half-width folding registration applies.
TEST_P(StatementOnCatalogueTest, TypedTextIsSpelledAsTheCatalogueSpellsIt)
{
    // As registration stores them: decoded from CP932 (－ U+FF0D, ～ U+FF5E),
    // lot number and owner folded to half width, oaza and koaza as read.
    m_db.ExecSQL("INSERT INTO CHIBAN VALUES ('東\uFF0D町', '１丁目', '101', 1, '佐藤\uFF5E', '', "
                 "101, 0, 0, 3)");
    m_db.ExecSQL("INSERT INTO MAP VALUES ('IV-12', 3, 500, 0, 0, 1)");
    struct Case {
        ParcelConditions typed;
        int found;
    };
    const Case cases[] = {
        {{"", "", "１０１", "", ""}, 1},         // full-width digits fold
        {{"東\u2212町", "", "", "", ""}, 1},     // an input method's minus sign
        {{"", "", "", "佐藤\u301C", ""}, 1},     // and its wave dash
        {{"", "1丁目", "", "", ""}, 0},          // koaza is not folded ...
        {{"", "１丁目", "", "", ""}, 1},         // ... so as typed it matches
        {{"", "", "", "佐藤\U0001F600", ""}, 0}, // no CP932: used as typed
    };
    for (const Case& c : cases)
        EXPECT_EQ(parcels(c.typed, MatchMode::Exact), c.found)
            << c.typed.oaza << c.typed.koaza << c.typed.chiban << c.typed.owner;
    EXPECT_EQ(count(mapSheetStatement("ＩＶ－１２", MatchMode::Exact)), 1);
    EXPECT_EQ(searchText("\u301C", WidthFolding::None), "\uFF5E");
    EXPECT_EQ(searchText("ａ\U0001F600", WidthFolding::HalfWidth), "ａ\U0001F600");
}

// Owner kana in hiragana, katakana or half-width katakana find each other,
// in every mode; the stored rows are not changed.
TEST_P(StatementOnCatalogueTest, OwnerKanaMatchesWhateverKanaWasTyped)
{
    m_db.ExecSQL("INSERT INTO CHIBAN VALUES ('', '', '1', 1, '', 'ヤマダ タロウ', 0, 0, 0, 5)");
    m_db.ExecSQL("INSERT INTO CHIBAN VALUES ('', '', '2', 1, '', 'やまだ はなこ', 0, 0, 0, 5)");
    m_db.ExecSQL("INSERT INTO CHIBAN VALUES ('', '', '3', 1, '', 'ﾊﾟｰｸ', 0, 0, 0, 5)");
    const auto kana = [this](const char* typed, MatchMode mode) {
        return parcels({"", "", "", "", typed}, mode);
    };
    for (const char* typed : {"やまだ", "ヤマダ", "ﾔﾏﾀﾞ"})
        EXPECT_EQ(kana(typed, MatchMode::Prefix), 4) << typed; // with the two ﾔﾏﾀﾞ above
    EXPECT_EQ(kana("ﾀﾛｳ", MatchMode::Contains), 1);
    EXPECT_EQ(kana("たろう", MatchMode::Prefix), 0);
    EXPECT_EQ(kana("ぱーく", MatchMode::Exact), 1);
    EXPECT_EQ(kana("パーク", MatchMode::Exact), 1);
    EXPECT_EQ(kana("ﾊﾟｰ", MatchMode::Exact), 0);
    EXPECT_EQ(m_db.GetTable("SELECT * FROM CHIBAN WHERE KNAME='ﾊﾟｰｸ'").Count(), 1);
}

// SQLite refuses a like pattern over its limit with a message that tells the
// operator nothing; the statement is refused first, naming the field. A
// pattern at the limit runs, and = has no limit.
TEST_P(StatementOnCatalogueTest, ATypedTextTooLongForLikeIsRefusedNamingTheField)
{
    if (GetParam() == test::Engine::Embedded) {
        EXPECT_THROW(count("SELECT * FROM MAP WHERE MAPNAME like '" +
                           std::string(kLikePatternLimit + 1, 'a') + "'"),
                     catalogue::ESQLiteException);
    }
    using Make = std::string (*)(const std::string&, MatchMode);
    const std::pair<const char*, Make> fields[] = {
        {"大字名称",
         [](const std::string& t, MatchMode m) {
             return parcelStatement({t, "", "", "", ""}, m);
         }},
        {"小字名称",
         [](const std::string& t, MatchMode m) {
             return parcelStatement({"", t, "", "", ""}, m);
         }},
        {"地番",
         [](const std::string& t, MatchMode m) {
             return parcelStatement({"", "", t, "", ""}, m);
         }},
        {"所有者",
         [](const std::string& t, MatchMode m) {
             return parcelStatement({"", "", "", t, ""}, m);
         }},
        {"所有者カナ",
         [](const std::string& t, MatchMode m) {
             return parcelStatement({"", "", "", "", t}, m);
         }},
        {"地図番号", [](const std::string& t, MatchMode m) { return mapSheetStatement(t, m); }},
        {"筆界点名称",
         [](const std::string& t, MatchMode m) { return boundaryPointStatement(t, m); }},
        {"図根点名称",
         [](const std::string& t, MatchMode m) { return controlPointStatement(t, m); }},
    };
    const std::string prefixAtLimit(kLikePatternLimit - 1, 'a');
    const std::string containsAtLimit(kLikePatternLimit - 2, 'a');
    for (const auto& [label, make] : fields) {
        EXPECT_EQ(count(make(prefixAtLimit, MatchMode::Prefix)), 0) << label;
        EXPECT_EQ(count(make(containsAtLimit, MatchMode::Contains)), 0) << label;
        EXPECT_EQ(count(make(prefixAtLimit + "aaa", MatchMode::Exact)), 0) << label;
        try {
            make(prefixAtLimit, MatchMode::Contains);
            ADD_FAILURE() << label << ": not refused";
        } catch (const SearchTextTooLong& error) {
            EXPECT_EQ(std::string(error.what()), "The search text for " + std::string(label) +
                                                     " is too long. Shorten it and search again.");
        }
    }
    // The kana pattern is the folded text: ｶﾞ (6 bytes) folds to ガ (3).
    std::string voiced;
    for (std::size_t i = 0; i < containsAtLimit.size() / 3; ++i)
        voiced += "ｶﾞ";
    EXPECT_EQ(parcels({"", "", "", "", voiced}, MatchMode::Contains), 0);
}

// The names the oaza and koaza lists offer: each once, in order, none empty;
// the koaza names narrowed to the typed oaza (after the CP932 round trip).
TEST_P(StatementOnCatalogueTest, RegisteredNamesOfferEachOnceNarrowedByTheTypedOaza)
{
    m_db.ExecSQL("INSERT INTO CHIBAN VALUES ('東\uFF5E町', '北', '1', 1, '', '', 1, 0, 0, 3)");
    using Names = std::vector<std::string>;
    EXPECT_EQ(registeredOazaNames(m_db), (Names{"新町", "本町", "東\uFF5E町"}));
    EXPECT_EQ(registeredKoazaNames(m_db, ""), (Names{"北", "東", "西"}));
    EXPECT_EQ(registeredKoazaNames(m_db, "本町"), (Names{"東", "西"}));
    EXPECT_EQ(registeredKoazaNames(m_db, "東\u301C町"), Names{"北"});
    EXPECT_EQ(registeredKoazaNames(m_db, "本"), Names{});
}

INSTANTIATE_TEST_SUITE_P(Engines, StatementOnCatalogueTest,
                         ::testing::Values(test::Engine::Embedded, test::Engine::Server),
                         test::engineName);

} // namespace
} // namespace ft::search
