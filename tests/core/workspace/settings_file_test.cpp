#include "core/workspace/settings_file.h"

#include "devtools/temp_folder.h"

#include <gtest/gtest.h>

namespace ft::workspace {
namespace {

// 測地系 in CP932.
const std::string kDatumSection = "\x91\xAA\x92\x6E\x8C\x6E";

TEST(SettingsFile, SavedDatumIsOneOnlyWhenTheFileSaysOne)
{
    test::TempFolder temp;
    const auto file = temp / "FindTavla.ini";
    EXPECT_EQ(readSavedDatum(file), Datum::World); // no file

    const auto withValue = [&](const std::string& value) {
        test::writeBytes(file, "[" + kDatumSection + "]\r\nT=" + value + "\r\n");
        return datumCode(readSavedDatum(file));
    };
    EXPECT_EQ(withValue("1"), 1);
    EXPECT_EQ(withValue(" 1 "), 1);
    EXPECT_EQ(withValue("2"), 2);
    EXPECT_EQ(withValue("0"), 2);
    EXPECT_EQ(withValue("7"), 2);
    EXPECT_EQ(withValue("-1"), 2);
    EXPECT_EQ(withValue("1x"), 2);
    EXPECT_EQ(withValue(""), 2);

    // The section name must be the CP932 bytes; the UTF-8 spelling is another section.
    test::writeBytes(file, "[測地系]\nT=1\n");
    EXPECT_EQ(readSavedDatum(file), Datum::World);
    test::writeBytes(file, "[" + kDatumSection + "]\nt=1\n"); // keys are case-sensitive
    EXPECT_EQ(readSavedDatum(file), Datum::World);
}

TEST(SettingsFile, WrittenDatumReadsBackAsCp932ProfileText)
{
    test::TempFolder temp;
    const auto file = temp / "settings" / "FindTavla.ini";
    writeSavedDatum(file, Datum::World);
    EXPECT_EQ(test::readBytes(file), "[" + kDatumSection + "]\r\nT=2\r\n");
    EXPECT_EQ(readSavedDatum(file), Datum::World);
    writeSavedDatum(file, Datum::Japanese);
    EXPECT_EQ(readSavedDatum(file), Datum::Japanese);
    EXPECT_FALSE(std::filesystem::exists(temp / "settings" / "FindTavla.ini.tmp"));
}

TEST(SettingsFile, AFolderInTheFilesPlaceReadsAsDefaultsAndRefusesWrites)
{
    test::TempFolder temp;
    const auto file = temp / "FindTavla.ini";
    std::filesystem::create_directory(file);
    EXPECT_EQ(readSavedDatum(file), Datum::World);
    const WindowPlacement current{0, 1, -1, -1, -1, -1, 198, 120, 1169, 767};
    EXPECT_EQ(readPlacement(file, "TfindTavlaF", current).normalLeft, 198);
    EXPECT_THROW(writeSavedDatum(file, Datum::Japanese), std::filesystem::filesystem_error);
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST(SettingsFile, WritingKeepsEveryOtherSectionAndKey)
{
    test::TempFolder temp;
    const auto file = temp / "FindTavla.ini";
    test::writeBytes(file,
                     "[other]\r\nkey=value\r\n[" + kDatumSection + "]\r\nT=1\r\nX=\x82\xA0\r\n");
    writeSavedDatum(file, Datum::World);
    WindowPlacement placement;
    placement.normalLeft = 10;
    placement.normalTop = 20;
    writePlacement(file, "TfindTavlaF", placement);

    const std::string text = test::readBytes(file);
    EXPECT_NE(text.find("[other]\r\nkey=value\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[" + kDatumSection + "]\r\nT=2\r\nX=\x82\xA0\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("[TfindTavlaF]\r\nPlaceFlags=0\r\n"), std::string::npos) << text;
    EXPECT_EQ(readSavedDatum(file), Datum::World);
}

TEST(SettingsFile, PlacementReadsBackAndKeepsCurrentValuesForMissingOrNegativeKeys)
{
    test::TempFolder temp;
    const auto file = temp / "FindTavla.ini";
    WindowPlacement current;
    current.flags = 1;
    current.showCmd = 1;
    current.normalLeft = 198;
    current.normalTop = 120;

    const WindowPlacement none = readPlacement(file, "TfindTavlaF", current);
    EXPECT_EQ(none.normalLeft, 198);
    EXPECT_EQ(none.normalTop, 120);

    WindowPlacement saved{2, 3, -4, -5, 6, 7, 10, 20, 30, 40};
    writePlacement(file, "TfindTavlaF", saved);
    const WindowPlacement read = readPlacement(file, "TfindTavlaF", current);
    EXPECT_EQ(read.flags, 2u);
    EXPECT_EQ(read.showCmd, 3u);
    EXPECT_EQ(read.minX, -4);
    EXPECT_EQ(read.minY, -5);
    EXPECT_EQ(read.maxX, 6);
    EXPECT_EQ(read.maxY, 7);
    EXPECT_EQ(read.normalLeft, 10);
    EXPECT_EQ(read.normalTop, 20);
    EXPECT_EQ(read.normalRight, 30);
    EXPECT_EQ(read.normalBottom, 40);
    EXPECT_EQ(readPlacement(file, "OtherWindow", current).normalLeft, 198);

    test::writeBytes(
        file, "[TfindTavlaF]\r\nPlaceFlags=-1\r\nPlaceShowCmd=-2\r\nPlaceNormalPos.Left=5\r\n");
    const WindowPlacement negative = readPlacement(file, "TfindTavlaF", current);
    EXPECT_EQ(negative.flags, 1u);
    EXPECT_EQ(negative.showCmd, 1u);
    EXPECT_EQ(negative.normalLeft, 5);
    EXPECT_EQ(negative.normalTop, 120);
}

} // namespace
} // namespace ft::workspace
