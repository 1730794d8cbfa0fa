// findTavla-cli export run as a program on the registered samples, the file
// read back with ogrinfo as a GIS user's tools read it.

#include "core/catalogue/sqlite_database.h"
#include "devtools/temp_folder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

namespace ft::cli {
namespace {

namespace fs = std::filesystem;

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

Finished runProgram(const QString& program, const QStringList& args,
                    const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

QString text(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

bool holds(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class CliExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_environment.insert(QStringLiteral("XDG_DATA_HOME"), text(m_folder / "data"));
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), text(m_folder / "config"));
        ASSERT_EQ(cli({QStringLiteral("register"), QStringLiteral(FT_SAMPLES_DIR)}).status, 0);
    }

    Finished cli(const QStringList& args)
    {
        return runProgram(QStringLiteral(FT_CLI_EXECUTABLE), args, m_environment);
    }
    // ogrinfo's summary of one layer, or its list of layers.
    std::string ogrinfo(const QStringList& args)
    {
        const Finished run = runProgram(QStringLiteral("ogrinfo"),
                                        QStringList{QStringLiteral("-ro")} + args, m_environment);
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out;
    }
    int fileNumber(const char* catalogue)
    {
        catalogue::TSQLiteDatabase db((m_folder / "data/findTavla" / catalogue).string());
        return std::stoi(db.GetTable("SELECT FILENO FROM FILE").Fields(0));
    }
    int parcelRows(const char* catalogue)
    {
        catalogue::TSQLiteDatabase db((m_folder / "data/findTavla" / catalogue).string());
        return std::stoi(db.GetTable("SELECT COUNT(*) FROM CHIBAN WHERE MODE=1").Fields(0));
    }

    test::TempFolder m_folder;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

TEST_F(CliExportTest, TheWorldDatumSamplesReadBackInPlace)
{
    const fs::path file = m_folder / "world.gpkg";
    const Finished exported = cli({QStringLiteral("--datum"), QStringLiteral("2"),
                                   QStringLiteral("export"), text(file), QStringLiteral("--all")});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_TRUE(holds(exported.out, " 2 図面を出力しました (EPSG:6677)")) << exported.out;

    const std::string layers = ogrinfo({QStringLiteral("-q"), text(file)});
    for (const char* layer :
         {"drawings (Polygon)", "parcels (Multi Polygon)", "undetermined_parcels",
          "boundary_points (Point)", "control_points (Point)", "map_sheets (Polygon)",
          "sheet_frames (Line String)"})
        EXPECT_TRUE(holds(layers, layer)) << layer << "\n" << layers;

    const std::string parcels =
        ogrinfo({QStringLiteral("-so"), text(file), QStringLiteral("parcels")});
    EXPECT_TRUE(holds(parcels, "Feature Count: " + std::to_string(parcelRows("Dorsawrd.db"))))
        << parcels;
    EXPECT_TRUE(holds(parcels, "ID[\"EPSG\",6677]")) << parcels;

    // Wakaba's parcel 201 starts at its point ２－１, X -34760.000 (north)
    // and Y -8700.000 (east) in WAKABA.pnt: the file holds x east, y north.
    const std::string lot201 = ogrinfo({QStringLiteral("-q"), text(file), QStringLiteral("parcels"),
                                        QStringLiteral("-where"),
                                        QStringLiteral("lot_half = '201' AND oaza = '大字若葉'")});
    EXPECT_TRUE(holds(lot201, "MULTIPOLYGON (((-8700 -34760,")) << lot201;
}

TEST_F(CliExportTest, TheJapaneseDatumAndADrawingNumberNotRegistered)
{
    const fs::path file = m_folder / "tokyo.gpkg";
    const Finished exported =
        cli({QStringLiteral("--datum"), QStringLiteral("1"), QStringLiteral("export"), text(file),
             QStringLiteral("--drawing"), QString::number(fileNumber("Dorsajpn.db")),
             QStringLiteral("99")});
    EXPECT_EQ(exported.status, 1);
    EXPECT_TRUE(holds(exported.err, "図面 99 は出力できません")) << exported.err;

    const std::string parcels =
        ogrinfo({QStringLiteral("-so"), text(file), QStringLiteral("parcels")});
    EXPECT_TRUE(holds(parcels, "Feature Count: " + std::to_string(parcelRows("Dorsajpn.db"))))
        << parcels;
    EXPECT_TRUE(holds(parcels, "ID[\"EPSG\",30169]")) << parcels;

    EXPECT_EQ(cli({QStringLiteral("export"), text(file)}).status, 2);
}

} // namespace
} // namespace ft::cli
