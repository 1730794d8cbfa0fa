#include "devtools/synthetic_survey.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace ft::bench {

namespace {

using ft::test::ControlPointRecord;
using ft::test::DataSetBuilder;
using ft::test::FrameVerticesRecord;
using ft::test::MapSheetRecord;
using ft::test::OutlineRecord;
using ft::test::OwnerGroup;
using ft::test::ParcelGroup;
using ft::test::ParcelRecord;
using ft::test::PointRecord;
using ft::test::SheetFrameRecord;

struct Place {
    std::string_view oaza;
    std::array<std::string_view, 2> koaza;
    std::string_view district;
};

constexpr std::array kPlaces{
    Place{"大字桜木", {"字東原", "字西原"}, "桜木地区"},
    Place{"大字若葉", {"字上川", "字下川"}, "若葉地区"},
    Place{"大字緑ケ丘", {"字北山", "字南山"}, "緑ケ丘地区"},
    Place{"大字本町", {"字宮前", "字宮後"}, "本町地区"},
};

struct Name {
    std::string_view kanji;
    std::string_view kana;
};

constexpr std::array kFamilyNames{
    Name{"山田", "ヤマダ"},   Name{"鈴木", "スズキ"},   Name{"佐藤", "サトウ"},
    Name{"高橋", "タカハシ"}, Name{"田中", "タナカ"},   Name{"伊藤", "イトウ"},
    Name{"渡辺", "ワタナベ"}, Name{"中村", "ナカムラ"}, Name{"小林", "コバヤシ"},
    Name{"加藤", "カトウ"},   Name{"吉田", "ヨシダ"}};

constexpr std::array kGivenNames{
    Name{"太郎", "タロウ"}, Name{"花子", "ハナコ"}, Name{"一郎", "イチロウ"},
    Name{"和子", "カズコ"}, Name{"健", "ケン"},     Name{"美智子", "ミチコ"},
    Name{"誠", "マコト"},   Name{"幸子", "サチコ"}, Name{"修", "オサム"}};

// Full-width digits and minus for texts that surveys write in full width.
std::string fullWidth(std::string_view ascii)
{
    static constexpr std::array<std::string_view, 10> kDigits{"０", "１", "２", "３", "４",
                                                              "５", "６", "７", "８", "９"};
    std::string text;
    for (const char c : ascii) {
        if (c >= '0' && c <= '9')
            text += kDigits[static_cast<std::size_t>(c - '0')];
        else if (c == '-')
            text += "－";
        else
            text += c;
    }
    return text;
}

std::string coordinate(double value)
{
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.3f", value);
    return text.data();
}

std::string ownerName(const Name& family, const Name& given, bool kana)
{
    return std::string(kana ? family.kana : family.kanji) + "　" +
           std::string(kana ? given.kana : given.kanji);
}

// Deterministic jitter in [-1, 1): the standard fixes mt19937's sequence, so
// the same seed writes the same files on every machine.
class Jitter {
public:
    explicit Jitter(std::uint32_t seed) : m_engine(seed) {}
    double next() { return static_cast<double>(m_engine() >> 8) / double(1 << 23) - 1.0; }

private:
    std::mt19937 m_engine;
};

struct Grid {
    int cols = 0;
    int rows = 0;
    int nodeCols() const { return cols + 1; }
    int nodeIndex(int row, int col) const { return row * nodeCols() + col; }
};

class SetWriter {
public:
    SetWriter(DataSetBuilder& set, const SyntheticSetOptions& options)
        : m_set(set), m_options(options), m_jitter(options.seed),
          m_place(kPlaces[static_cast<std::size_t>(options.setNumber - 1) % kPlaces.size()])
    {
        if (options.parcels < 1 || options.sheets < 1)
            throw std::invalid_argument("a synthetic set needs parcels and sheets");
        m_grid.cols = static_cast<int>(std::ceil(std::sqrt(double(options.parcels))));
        m_grid.rows = (options.parcels + m_grid.cols - 1) / m_grid.cols;
    }

    SyntheticSetSummary write()
    {
        writeHeader();
        writePoints();
        writeParcels();
        writeSheets();
        return m_summary;
    }

private:
    std::string pointName(int number) const
    {
        const std::string plain =
            std::to_string(m_options.setNumber) + "-" + std::to_string(number);
        return m_options.fullWidthPointNames ? fullWidth(plain) : "P" + std::to_string(number);
    }

    std::string lotNumber(int parcel) const
    {
        // Three neighbouring parcels share a parent number: 101, 101-2, 101-3, 102, ...
        const int parent = 100 * m_options.setNumber + parcel / 3 + 1;
        const int child = parcel % 3;
        return fullWidth(child == 0 ? std::to_string(parent)
                                    : std::to_string(parent) + "-" + std::to_string(child + 1));
    }

    std::string_view koazaOf(int col) const { return m_place.koaza[col < m_grid.cols / 2 ? 0 : 1]; }

    void writeHeader()
    {
        ft::test::HeaderRecord header;
        header.kei = "9";
        header.creater = "株式会社サンプル測量";
        header.chiku = std::string(m_place.district);
        header.datum = std::to_string(m_options.datum);
        m_set.setHeader(header);
    }

    void writePoints()
    {
        const double size = m_options.parcelSize;
        for (int row = 0; row <= m_grid.rows; ++row) {
            for (int col = 0; col <= m_grid.cols; ++col) {
                // Inner nodes move a little, so parcels are not all squares;
                // shared nodes keep neighbouring outlines joined.
                const bool inner = row > 0 && row < m_grid.rows && col > 0 && col < m_grid.cols;
                const double shift = inner ? 0.15 * size : 0.0;
                const double first = m_options.originFirst + row * size + shift * m_jitter.next();
                const double second = m_options.originSecond + col * size + shift * m_jitter.next();
                addPoint(first, second, "1");
            }
        }
        // Extra points inside the parcels, on no outline.
        for (int extra = 0; m_summary.points < m_options.points; ++extra) {
            const int parcel = extra % m_options.parcels;
            const double inset = 0.25 + 0.5 * ((extra / m_options.parcels) % 7) / 7.0;
            const double first =
                m_options.originFirst + (parcel / m_grid.cols + inset) * m_options.parcelSize;
            const double second =
                m_options.originSecond + (parcel % m_grid.cols + inset) * m_options.parcelSize;
            addPoint(first, second, "2");
        }
    }

    void addPoint(double first, double second, std::string kubun)
    {
        ++m_summary.points;
        m_set.addPoint(
            {pointName(m_summary.points), coordinate(first), coordinate(second), std::move(kubun)});
    }

    void writeParcels()
    {
        for (int parcel = 0; parcel < m_options.parcels; ++parcel) {
            const int row = parcel / m_grid.cols;
            const int col = parcel % m_grid.cols;
            const std::string lot = lotNumber(parcel);
            const Name& family =
                kFamilyNames[static_cast<std::size_t>(parcel * 7 + m_options.setNumber) %
                             kFamilyNames.size()];
            const Name& given = kGivenNames[static_cast<std::size_t>(parcel) % kGivenNames.size()];
            const std::string oaza(m_place.oaza);
            const std::string koaza(koazaOf(col));
            m_set.addParcel({oaza, koaza, lot, ownerName(family, given, true),
                             ownerName(family, given, false)});

            OwnerGroup owners{oaza,
                              koaza,
                              lot,
                              {{ownerName(family, given, true), ownerName(family, given, false)}},
                              {}};
            if (parcel % 4 == 3) { // a co-owned parcel
                const Name& coGiven =
                    kGivenNames[static_cast<std::size_t>(parcel + 4) % kGivenNames.size()];
                owners.owners.push_back(
                    {ownerName(family, coGiven, true), ownerName(family, coGiven, false)});
            }
            m_set.addOwnerGroup(owners);

            if (parcel % 12 == 5)
                addGroupedParcels(oaza, koaza, lot, family, given);
            addOutline(parcel, row, col, oaza, lot);
            ++m_summary.parcels;
        }
    }

    // Parcels registered together as one group: two branch lots of the parcel.
    void addGroupedParcels(const std::string& oaza, const std::string& koaza,
                           const std::string& lot, const Name& family, const Name& given)
    {
        ParcelGroup group;
        for (const std::string_view branch : {"－５０", "－５１"})
            group.parcels.push_back({oaza, koaza, lot + std::string(branch),
                                     ownerName(family, given, true),
                                     ownerName(family, given, false)});
        m_set.addParcelGroup(group);
    }

    void addOutline(int parcel, int row, int col, const std::string& oaza, const std::string& lot)
    {
        OutlineRecord outline;
        outline.a = std::to_string(parcel + 1);
        outline.b = std::to_string(m_options.setNumber);
        outline.c = oaza;
        outline.d = lot;
        const std::array corners{m_grid.nodeIndex(row, col), m_grid.nodeIndex(row, col + 1),
                                 m_grid.nodeIndex(row + 1, col + 1), m_grid.nodeIndex(row + 1, col),
                                 m_grid.nodeIndex(row, col)};
        for (const int node : corners)
            outline.vertices.push_back({pointName(node + 1), "2"});
        m_summary.outlineVertexLines += static_cast<int>(outline.vertices.size());
        m_set.addOutline(outline);
    }

    void writeSheets()
    {
        const int sheetCols = static_cast<int>(std::ceil(std::sqrt(double(m_options.sheets))));
        const int sheetRows = (m_options.sheets + sheetCols - 1) / sheetCols;
        const double height = m_grid.rows * m_options.parcelSize / sheetRows;
        const double width = m_grid.cols * m_options.parcelSize / sheetCols;
        m_set.setFrameForm(m_options.frameForm);
        for (int row = 0; row < sheetRows; ++row) {
            for (int col = 0; col < sheetCols; ++col) {
                const double f0 = m_options.originFirst + row * height;
                const double s0 = m_options.originSecond + col * width;
                addSheet(f0, s0, f0 + height, s0 + width);
            }
        }
    }

    void addSheet(double f0, double s0, double f1, double s1)
    {
        ++m_summary.sheets;
        const std::string number =
            std::to_string(m_options.setNumber) + "-" + std::to_string(m_summary.sheets);
        MapSheetRecord sheet(fullWidth(number), "500", {}, "1");
        // Odd sets list all four corners, even sets the two-corner form.
        if (m_options.setNumber % 2 == 1)
            sheet.corners = {{coordinate(f0), coordinate(s0)},
                             {coordinate(f0), coordinate(s1)},
                             {coordinate(f1), coordinate(s1)},
                             {coordinate(f1), coordinate(s0)}};
        else
            sheet.corners = {{coordinate(f0), coordinate(s0)}, {coordinate(f1), coordinate(s1)}};
        m_set.addMapSheet(sheet);

        m_set.addSheetFrame({number, "500", {f0, s0, f0, s1, f1, s1, f1, s0}});
        FrameVerticesRecord frame;
        frame.a = std::to_string(m_summary.sheets);
        frame.b = std::to_string(m_options.setNumber);
        frame.vertices = {{"F1", f0, s0, 2},
                          {"F2", f0, s1, 2},
                          {"F3", f1, s1, 2},
                          {"F4", f1, s0, 2},
                          {"F1", f0, s0, 2}};
        m_set.addFrameVertices(frame);

        ++m_summary.controlPoints;
        m_set.addControlPoint({"Ｔ" + fullWidth(std::to_string(m_summary.controlPoints)),
                               coordinate(f0 + 5.0), coordinate(s0 + 5.0)});
    }

    DataSetBuilder& m_set;
    const SyntheticSetOptions& m_options;
    Jitter m_jitter;
    const Place& m_place;
    Grid m_grid;
    SyntheticSetSummary m_summary;
};

} // namespace

SyntheticSetSummary addSyntheticSet(DataSetBuilder& set, const SyntheticSetOptions& options)
{
    return SetWriter(set, options).write();
}

} // namespace ft::bench
