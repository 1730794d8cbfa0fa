// What every catalogue converter shares: missing files, and content that
// cannot be converted.
#include "core/conversion/file_transaction.h"
#include "core/conversion/header_converter.h"
#include "core/conversion/map_converter.h"
#include "core/conversion/parcel_converters.h"
#include "core/conversion/point_converters.h"

#include "converter_fixture.h"

#include <functional>

namespace ft::formats {
namespace {

using test::DataSetBuilder;
using test::SurveyFile;

struct Converter {
    const char* name;
    SurveyFile source;
    bool resultWhenMissing;
};

const std::vector<Converter> kConverters{
    {"storeFileName", SurveyFile::Header, false},
    {"convertAtrToDB", SurveyFile::Parcels, true},
    {"convertCosToDB", SurveyFile::Owners, true},
    {"convertUndToDB", SurveyFile::GroupedParcels, true},
    {"convertMapToDB", SurveyFile::MapSheets, false},
    {"convertPntToDB", SurveyFile::Points, false},
    {"convertTcpToDB", SurveyFile::ControlPoints, true},
};

class ConverterContractTest : public ConverterTest {
protected:
    bool run(SurveyFile source, const DataSetBuilder& set)
    {
        const auto file = set.path(source);
        switch (source) {
        case SurveyFile::Header:
            return storeFileName(db, trace, 1, set.basePath(), "t");
        case SurveyFile::Parcels:
            return convertAtrToDB(db, trace, 1, file);
        case SurveyFile::Owners:
            return convertCosToDB(db, trace, 1, file);
        case SurveyFile::GroupedParcels:
            return convertUndToDB(db, trace, trace2, 1, file);
        case SurveyFile::MapSheets:
            return convertMapToDB(db, trace, 1, file);
        case SurveyFile::Points:
            return convertPntToDB(db, trace, trace2, 1, file);
        case SurveyFile::ControlPoints:
            return convertTcpToDB(db, trace, 1, file);
        default:
            throw std::logic_error("no converter");
        }
    }

    int allRows()
    {
        return count("FILE") + count("CHIBAN") + count("MAP") + count("FTEN") + count("ZTEN");
    }
};

TEST_F(ConverterContractTest, MissingSourceFileWritesNothing)
{
    DataSetBuilder set(folder.path(), "none");
    for (const Converter& converter : kConverters) {
        EXPECT_EQ(run(converter.source, set), converter.resultWhenMissing) << converter.name;
        EXPECT_FALSE(db.InTransaction()) << converter.name;
    }
    EXPECT_EQ(allRows(), 0);
    EXPECT_TRUE(traceLines().empty());
}

TEST_F(ConverterContractTest, TextThatIsNotCp932FailsTheFileWithItsName)
{
    // The first record is good, the second holds a lead byte cut off by the
    // comma that follows it.
    DataSetBuilder set = DataSetBuilder::smallValidSet(folder.path(), "E");
    set.addRawLine(SurveyFile::Parcels, "9,1,\x82,k,1")
        .addRawLine(SurveyFile::GroupedParcels, "9,,,1")
        .addRawLine(SurveyFile::GroupedParcels, "9,1,\x82,k,1")
        .addRawLine(SurveyFile::Owners, "9,1,\x82,k,1,1")
        .addRawLine(SurveyFile::Owners, "1,a,b")
        .addRawLine(SurveyFile::MapSheets, "\x82,500")
        .addRawLine(SurveyFile::Points, "\x82\xff,1,2,0,1")
        .addRawLine(SurveyFile::ControlPoints, "\x82,1,2")
        .clear(SurveyFile::Header)
        .addRawLine(SurveyFile::Header, "H,1,9,0,\x82,0,k,0,2");
    set.write();

    for (const Converter& converter : kConverters) {
        try {
            run(converter.source, set);
            ADD_FAILURE() << converter.name << " gave no error";
        } catch (const SourceFileError& error) {
            EXPECT_EQ(error.file(), set.path(converter.source)) << converter.name;
            EXPECT_NE(std::string(error.what()).find(set.path(converter.source).string()),
                      std::string::npos);
        }
        EXPECT_FALSE(db.InTransaction()) << converter.name;
        EXPECT_EQ(traceLines().back(), "Rollback") << converter.name;
    }
    EXPECT_EQ(allRows(), 0);
}

TEST_F(ConverterContractTest, AZeroByteInAValueFailsTheFileNamingTheRecord)
{
    // SQLite would read the statement only up to the zero byte.
    const std::string nul(1, '\0');
    DataSetBuilder set = DataSetBuilder::smallValidSet(folder.path(), "Z");
    set.addRawLine(SurveyFile::Parcels, "9,1,a" + nul + "b,k,1")
        .addRawLine(SurveyFile::GroupedParcels, "9,,,1")
        .addRawLine(SurveyFile::GroupedParcels, "9,1,a" + nul + "b,k,1")
        .addRawLine(SurveyFile::Owners, "9,1,a,k,1,1")
        .addRawLine(SurveyFile::Owners, "1,a" + nul + ",b")
        .addRawLine(SurveyFile::MapSheets, "M" + nul + "1,500")
        .addRawLine(SurveyFile::Points, "P" + nul + "Q,1,2,0,1")
        .addRawLine(SurveyFile::ControlPoints, "Z" + nul + ",1,2")
        .clear(SurveyFile::Header)
        .addRawLine(SurveyFile::Header, "H,1,9,0,a" + nul + ",0,k,0,2");
    set.write();

    for (const Converter& converter : kConverters) {
        // The offending line is the file's last.
        const std::string bytes = set.bytesOf(converter.source);
        std::size_t lines = 0;
        for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
             at = bytes.find("\r\n", at + 2))
            ++lines;
        try {
            run(converter.source, set);
            ADD_FAILURE() << converter.name << " gave no error";
        } catch (const SourceFileError& error) {
            EXPECT_EQ(error.file(), set.path(converter.source)) << converter.name;
            EXPECT_NE(std::string(error.what()).find("record " + std::to_string(lines) + ": "),
                      std::string::npos)
                << error.what();
        }
        EXPECT_FALSE(db.InTransaction()) << converter.name;
    }
    EXPECT_EQ(allRows(), 0);
}

TEST_F(ConverterContractTest, SmallValidSetConvertsCompletely)
{
    DataSetBuilder set = DataSetBuilder::smallValidSet(folder.path(), "S");
    set.write();
    for (const Converter& converter : kConverters)
        EXPECT_TRUE(run(converter.source, set)) << converter.name;
    EXPECT_EQ(count("FILE"), 1);
    EXPECT_EQ(count("CHIBAN"), 3 + 2 + 2);
    EXPECT_EQ(count("MAP"), 2);
    EXPECT_EQ(count("FTEN"), 6);
    EXPECT_EQ(count("ZTEN"), 2);
}

TEST_F(ConverterContractTest, AnyErrorInsideAFileRollsBackBeforeItGoesOn)
{
    // An error the converters do not expect (out of memory, say) goes to the
    // caller, but never leaves the catalogue inside the file's transaction.
    EXPECT_THROW(RunFileTransaction(db, trace, folder / "x.atr",
                                    [&] {
                                        db.ExecSQL("INSERT INTO ZTEN VALUES ('a', 1,0,0); ");
                                        throw std::logic_error("unexpected");
                                    }),
                 std::logic_error);
    EXPECT_FALSE(db.InTransaction());
    EXPECT_EQ(count("ZTEN"), 0);
    EXPECT_EQ(traceLines(), (std::vector<std::string>{"Rollback"}));
}

} // namespace
} // namespace ft::formats
