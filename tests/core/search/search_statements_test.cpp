#include "core/search/search_statements.h"

#include "core/catalogue/schema.h"
#include "core/catalogue/sqlite_database.h"

#include "devtools/temp_folder.h"

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
              " AND SNAME='山田太郎' AND KNAME='ﾔﾏﾀﾞﾀﾛｳ'");

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
    EXPECT_EQ(parcelClause(kanaOnly, MatchMode::Contains), "WHERE KNAME like '%ﾔﾏﾀﾞ%'");
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
    EXPECT_EQ(mapSheetStatement(""), "SELECT * FROM MAP ");
    EXPECT_EQ(boundaryPointStatement(""), "SELECT * FROM FTEN ");
    EXPECT_EQ(controlPointStatement(""), "SELECT * FROM ZTEN ");
    EXPECT_EQ(registeredDrawingsStatement(), "SELECT * FROM FILE");
}

TEST(SingleNameStatementTest, NameIsComparedExactlyInDoubleQuotes)
{
    EXPECT_EQ(mapSheetStatement("Ⅳ-12"), "SELECT * FROM MAP WHERE MAPNAME=\"Ⅳ-12\"");
    EXPECT_EQ(boundaryPointStatement("K1"), "SELECT * FROM FTEN WHERE TENNAME=\"K1\"");
    EXPECT_EQ(controlPointStatement("T'2\""), "SELECT * FROM ZTEN WHERE TENNAME=\"T'2\"\"\"");
}

// The statements as SQLite reads them: what a search finds.
class StatementOnCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
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
    }

    int count(const std::string& statement) { return m_db.GetTable(statement).Count(); }

    // conditions: oaza, koaza, lot number, owner, owner kana
    int parcels(ParcelConditions conditions, MatchMode mode)
    {
        return count(parcelStatement(conditions, mode));
    }

    test::TempFolder m_folder;
    catalogue::TSQLiteDatabase m_db{(m_folder / "c.db").string()};
};

TEST_F(StatementOnCatalogueTest, ExactIsCaseSensitiveLikeIsNot)
{
    EXPECT_EQ(parcels({"", "", "", "Yamada", ""}, MatchMode::Exact), 1);
    EXPECT_EQ(parcels({"", "", "", "yamada", ""}, MatchMode::Prefix), 2);
    EXPECT_EQ(parcels({"", "", "12", "", ""}, MatchMode::Prefix), 2);
    EXPECT_EQ(parcels({"", "", "12", "", ""}, MatchMode::Exact), 0);
    EXPECT_EQ(parcels({"本町", "東", "", "", ""}, MatchMode::Prefix), 2);
    EXPECT_EQ(parcels({}, MatchMode::Exact), 4);
}

TEST_F(StatementOnCatalogueTest, TypedWildcardsActInLikeForms)
{
    EXPECT_EQ(parcels({"", "", "1_", "", ""}, MatchMode::Prefix), 3); // 12-3, 120, 1_2
    EXPECT_EQ(parcels({"", "", "", "%", ""}, MatchMode::Contains), 4);
}

TEST_F(StatementOnCatalogueTest, QuotesInValuesFindTheRowInsteadOfFailing)
{
    EXPECT_EQ(parcels({"", "", "", "O'Neil", ""}, MatchMode::Exact), 1);
    EXPECT_EQ(parcels({"", "", "", "'", ""}, MatchMode::Contains), 1);
    EXPECT_EQ(count(controlPointStatement("T\"1")), 1);
    EXPECT_EQ(count(mapSheetStatement("x' OR '1'='1")), 0);
}

TEST_F(StatementOnCatalogueTest, SheetSearchIsExactWhateverTheMode)
{
    EXPECT_EQ(count(mapSheetStatement("12")), 1);
    EXPECT_EQ(count(mapSheetStatement("")), 2);
}

} // namespace
} // namespace ft::search
