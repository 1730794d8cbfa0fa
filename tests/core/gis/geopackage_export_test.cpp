// GeoPackage exports of data sets the builder writes, read back through
// GDAL: the coordinate systems, the axis order, parcels without a usable
// outline, chosen parcels, and a file that is written whole or not at all.
#include "core/gis/geopackage_export.h"

#include "core/platform/cp932.h"
#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace ft::gis {
namespace {

namespace fs = std::filesystem;
using test::DataSetBuilder;
using workspace::Datum;

TEST(EpsgCodeTest, EachDatumNumbersItsZonesFromZoneI)
{
    struct Case {
        Datum datum;
        int zone;
        WorldDatumRealisation world;
        int epsg;
    };
    const auto j2011 = WorldDatumRealisation::Jgd2011;
    const auto j2000 = WorldDatumRealisation::Jgd2000;
    for (const Case& c : {Case{Datum::Japanese, 1, j2011, 30161},
                          {Datum::Japanese, 19, j2000, 30179},
                          Case{Datum::World, 1, j2011, 6669},
                          {Datum::World, 9, j2011, 6677},
                          Case{Datum::World, 19, j2011, 6687},
                          {Datum::World, 1, j2000, 2443},
                          Case{Datum::World, 19, j2000, 2461}})
        EXPECT_EQ(epsgCodeOf(c.datum, c.zone, c.world), c.epsg) << c.zone;
    EXPECT_THROW(epsgCodeOf(Datum::World, 0, j2011), std::invalid_argument);
    EXPECT_THROW(epsgCodeOf(Datum::World, 20, j2011), std::invalid_argument);
}

// A feature read back: its text fields and its geometry as WKT.
struct ReadFeature {
    std::map<std::string, std::string> fields;
    std::string wkt;
};

struct ReadLayer {
    int epsg = 0; // 0: no coordinate system
    std::vector<ReadFeature> features;
};

std::map<std::string, ReadLayer> readBack(const fs::path& file)
{
    GDALDatasetUniquePtr dataset(
        GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!dataset)
        throw std::runtime_error("cannot open " + file.string());
    std::map<std::string, ReadLayer> layers;
    for (OGRLayer* layer : dataset->GetLayers()) {
        ReadLayer& read = layers[layer->GetName()];
        if (const OGRSpatialReference* system = layer->GetSpatialRef())
            read.epsg = std::stoi(system->GetAuthorityCode(nullptr));
        for (const auto& feature : *layer) {
            ReadFeature& out = read.features.emplace_back();
            for (int i = 0; i < feature->GetFieldCount(); ++i)
                out.fields[feature->GetFieldDefnRef(i)->GetNameRef()] =
                    feature->IsFieldSetAndNotNull(i) ? feature->GetFieldAsString(i) : "<null>";
            if (const OGRGeometry* geometry = feature->GetGeometryRef())
                out.wkt = geometry->exportToWkt();
        }
    }
    return layers;
}

class GeoPackageExportTest : public ::testing::Test {
protected:
    ExportDrawing drawing(int fileNo, const DataSetBuilder& set)
    {
        set.write();
        return {fileNo, set.basePath().string(), std::nullopt};
    }
    ExportReport exportAll(const ExportSelection& selection, const ExportProgress& progress = {})
    {
        return exportGeoPackage(selection, m_file, ExportOptions{}, progress);
    }

    test::TempFolder m_folder;
    fs::path m_file = m_folder / "out.gpkg";
};

TEST_F(GeoPackageExportTest, ParcelsKeepTheirRecordsAndLoseOnlyAnOutlineThatIsNotThere)
{
    DataSetBuilder set = DataSetBuilder::smallValidSet(m_folder.path(), "A01");
    // Parcel 1 closes; parcel 2 names a point the point file lacks; parcel 3
    // does not come back to its start. The builder's second outline carries
    // the labels of parcel 2 but the number of parcel 1: it belongs to none.
    set.addOutline({"2", "1", "大字山田", "１２－４", {{"Ｐ２"}, {"Ｑ９"}, {"Ｐ３"}, {"Ｐ２"}}, {}})
        .addOutline({"3", "1", "大字山田", "１３", {{"Ｐ１"}, {"Ｐ２"}, {"Ｐ３"}}, {}})
        .addParcel({"大字山田", "字下野", "１５", "", ""}); // parcel 4: no outline

    const ExportReport report = exportAll({{drawing(7, set)}, {}});

    ASSERT_TRUE(report.written);
    EXPECT_EQ(report.epsgCodes, std::vector<int>{6677});
    EXPECT_EQ(report.parcels.withoutOutline, 1u);
    EXPECT_EQ(report.parcels.outlineMissingPoints, 1u);
    EXPECT_EQ(report.parcels.openOutline, 1u);
    EXPECT_EQ(report.parcels.unlinkedOutlines, 1u);
    const auto layers = readBack(m_file);
    std::vector<std::string> names;
    for (const auto& [name, layer] : layers) {
        names.push_back(name);
        EXPECT_EQ(layer.epsg, name == "undetermined_parcels" ? 0 : 6677) << name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"boundary_points", "control_points", "drawings",
                                               "map_sheets", "parcels", "sheet_frames",
                                               "undetermined_parcels"}));

    const std::vector<ReadFeature>& parcels = layers.at("parcels").features;
    ASSERT_EQ(parcels.size(), 4u);
    // x is the easting (second value), y the northing (first value).
    EXPECT_EQ(parcels[0].wkt,
              "MULTIPOLYGON (((2050 1050,2100 1050,2100 1100,2050 1100,2050 1050)))");
    EXPECT_EQ(parcels[0].fields.at("lot"), "１２－３");
    EXPECT_EQ(parcels[0].fields.at("lot_half"), "12-3");
    EXPECT_EQ(parcels[0].fields.at("co_owners"), "山田　太郎、山田　次郎");
    EXPECT_EQ(parcels[0].fields.at("drawing"), "7");
    EXPECT_EQ(parcels[0].fields.at("path"), set.basePath().string());
    EXPECT_EQ(parcels[1].fields.at("outline"), "missing points: Ｑ９");
    EXPECT_EQ(parcels[2].fields.at("outline"), "open");
    EXPECT_EQ(parcels[3].fields.at("outline"), "none");
    for (std::size_t i = 1; i < parcels.size(); ++i)
        EXPECT_EQ(parcels[i].wkt, "") << i;

    EXPECT_EQ(layers.at("undetermined_parcels").features.size(), 2u);
    EXPECT_EQ(layers.at("undetermined_parcels").features[1].fields.at("group"), "1");
    EXPECT_EQ(layers.at("boundary_points").features[0].wkt, "POINT (2050 1050)");
    EXPECT_EQ(layers.at("map_sheets").features[1].wkt,
              "POLYGON ((2000 1200,2200 1200,2200 1400,2000 1400,2000 1200))");
    EXPECT_EQ(layers.at("sheet_frames").features.size(), 2u);
    EXPECT_EQ(layers.at("drawings").features[0].fields.at("zone"), "9");
}

// Registration stores no parcel row for a record without a lot number; the
// layers hold one feature per row the catalogue holds, and the report counts
// the records left out.
TEST_F(GeoPackageExportTest, RecordsWithoutALotAreLeftOutAsRegistrationLeavesThem)
{
    DataSetBuilder set = DataSetBuilder::smallValidSet(m_folder.path(), "A01");
    // A lot of one full-width blank is a lot to registration, and stays.
    set.addParcel({"大字山田", "字下野", "", "", ""})
        .addParcel({"大字山田", "字下野", "　", "", ""})
        .addParcel({"大字山田", "字下野", "", "", ""});

    const ExportReport report = exportAll({{drawing(7, set)}, {}});

    EXPECT_EQ(report.parcels.withoutLot, 2u);
    const auto layers = readBack(m_file);
    EXPECT_EQ(layers.at("parcels").features.size(), 4u);
    const std::vector<std::string> lines = summaryLines(report);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("Records without a lot number, 2 records,") != std::string::npos;
    }));
}

TEST_F(GeoPackageExportTest, ZonesGetLayersOfTheirOwnAndADrawingWithoutAZoneIsRefused)
{
    DataSetBuilder nine = DataSetBuilder::smallValidSet(m_folder.path(), "Z09");
    DataSetBuilder ten = DataSetBuilder::smallValidSet(m_folder.path(), "Z10");
    ten.setHeader({"10"});
    DataSetBuilder none = DataSetBuilder::smallValidSet(m_folder.path(), "Z00");
    none.setHeader({"0"});
    const ExportSelection selection{{drawing(1, nine), drawing(2, ten), drawing(3, none)}, {4}};

    const ExportReport report =
        exportGeoPackage(selection, m_file, {Datum::World, WorldDatumRealisation::Jgd2000});

    EXPECT_EQ(report.epsgCodes, (std::vector<int>{2451, 2452}));
    ASSERT_EQ(report.refused.size(), 2u);
    EXPECT_EQ(report.refused[0].fileNo, 4);
    EXPECT_EQ(report.refused[1].fileNo, 3);
    EXPECT_NE(report.refused[1].reason.find("KEI"), std::string::npos);
    const auto layers = readBack(m_file);
    EXPECT_EQ(layers.size(), 14u);
    EXPECT_EQ(layers.at("parcels_2451").epsg, 2451);
    EXPECT_EQ(layers.at("parcels_2452").epsg, 2452);
    EXPECT_EQ(layers.at("parcels_2452").features.size(), 3u);
    EXPECT_EQ(layers.at("drawings_2452").features[0].fields.at("drawing"), "2");
}

TEST_F(GeoPackageExportTest, ChosenParcelsAloneWithTheirDrawing)
{
    DataSetBuilder set = DataSetBuilder::smallValidSet(m_folder.path(), "A01");
    ExportDrawing chosen = drawing(5, set);
    const std::string oaza = platform::utf8ToCp932("大字山田");
    chosen.parcels = ParcelKeys{{oaza, platform::utf8ToCp932("字上野"), "12-3"},
                                {oaza, platform::utf8ToCp932("字下野"), "14-1"},
                                {oaza, platform::utf8ToCp932("字上野"), "99"}};

    const ExportReport report = exportAll({{chosen}, {}});

    EXPECT_EQ(report.missingParcels, 1u);
    // The drawing's outline of no parcel concerns none of the chosen ones.
    EXPECT_EQ(report.parcels.unlinkedOutlines, 0u);
    for (const std::string& line : summaryLines(report))
        EXPECT_EQ(line.find("結び付かない"), std::string::npos) << line;
    const auto layers = readBack(m_file);
    ASSERT_EQ(layers.size(), 3u);
    ASSERT_EQ(layers.at("parcels").features.size(), 1u);
    EXPECT_EQ(layers.at("parcels").features[0].fields.at("lot_half"), "12-3");
    ASSERT_EQ(layers.at("undetermined_parcels").features.size(), 1u);
    EXPECT_EQ(layers.at("undetermined_parcels").features[0].fields.at("lot_half"), "14-1");
    EXPECT_EQ(layers.at("drawings").features.size(), 1u);
}

TEST_F(GeoPackageExportTest, TheFileIsReplacedOnlyByACompleteExport)
{
    test::writeBytes(m_file, "older");
    const DataSetBuilder set = DataSetBuilder::smallValidSet(m_folder.path(), "A01");
    const ExportSelection selection{{drawing(1, set)}, {}};
    const auto entries = [this] {
        return std::distance(fs::directory_iterator(m_folder.path()), fs::directory_iterator());
    };
    const auto before = entries();

    const ExportReport cancelled =
        exportAll(selection, [](std::size_t, std::size_t) { return false; });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_FALSE(cancelled.written);
    const ExportReport nothing = exportAll({{}, {1}});
    EXPECT_FALSE(nothing.written);
    EXPECT_THROW(exportGeoPackage(selection, m_folder / "no/such/folder.gpkg", {}), ExportError);
    EXPECT_EQ(test::readBytes(m_file), "older");
    EXPECT_EQ(entries(), before); // nothing half-written is left beside it

    EXPECT_TRUE(exportAll(selection).written);
    EXPECT_EQ(readBack(m_file).at("parcels").features.size(), 3u);
}

} // namespace
} // namespace ft::gis
