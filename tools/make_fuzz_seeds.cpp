// findtavla-make-fuzz-seeds: rewrites the seed corpora of the fuzzing
// harnesses (tests/fuzz/corpus/<harness>/) from the data-set builder: each
// reader's file of the small valid set, its other forms, and a few broken
// variants, so the fuzzers start from inputs that reach deep into the readers.
// Usage: findtavla-make-fuzz-seeds [FOLDER]   (default: tests/fuzz/corpus)
// The output is the same on every run.

#include "devtools/dataset_builder.h"
#include "devtools/temp_folder.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ft::test::DataSetBuilder;
using ft::test::SurveyFile;

struct Reader {
    const char* harness;
    SurveyFile kind;
};

// The harness of each reader, in the order of the register harness's first byte.
const std::vector<Reader> kReaders{
    {"fuzz_header", SurveyFile::Header},      {"fuzz_atr", SurveyFile::Parcels},
    {"fuzz_cos", SurveyFile::Owners},         {"fuzz_und", SurveyFile::GroupedParcels},
    {"fuzz_map", SurveyFile::MapSheets},      {"fuzz_pnt", SurveyFile::Points},
    {"fuzz_tcp", SurveyFile::ControlPoints},  {"fuzz_pol", SurveyFile::Outlines},
    {"fuzz_frames", SurveyFile::SheetFrames},
};

void writeSeed(const fs::path& corpus, const std::string& harness, const std::string& name,
               const std::string& bytes)
{
    ft::test::writeBytes(corpus / harness / name, bytes);
}

std::string withoutCarriageReturns(std::string bytes)
{
    std::erase(bytes, '\r');
    return bytes;
}

// Broken or unusual variants of the small valid set, by reader.
std::vector<std::pair<std::string, DataSetBuilder>> variants(const fs::path& folder)
{
    std::vector<std::pair<std::string, DataSetBuilder>> sets;
    const auto variant = [&](const std::string& name) -> DataSetBuilder& {
        sets.emplace_back(name, DataSetBuilder::smallValidSet(folder / name, "S"));
        return sets.back().second;
    };
    variant("quotes")
        .addParcel({"大字'", "字\"", "’１", "ア", "オ’ネイル"})
        .addMapSheet({"Ｘ’１", "500"})
        .addPoint({"Ｐ\"７", "1.0", "2.0", "'"})
        .addControlPoint({"Ｔ\"３"});
    variant("short")
        .addLine(SurveyFile::Parcels, "")
        .addLine(SurveyFile::Parcels, "no comma")
        .addOwnerGroup({"大字", "字", "１", {{"カ", "甲"}}, std::string("3")})
        .addParcelGroup({{}, std::string("2")})
        .addLine(SurveyFile::MapSheets, "")
        .addLine(SurveyFile::Points, "")
        .addLine(SurveyFile::ControlPoints, "")
        .setHeader(ft::test::HeaderRecord("", "x", "y", std::string(" 2 "), 9));
    variant("numbers")
        .addMapSheet({"Ｘ９", "5e2", {{"-1e3", "+2.5"}, {"abc", "1"}}, std::string("x")})
        .addPoint({"Ｐ８", "1e400", "-0"})
        .addOutline(
            {"x", "-1", "c", "d", {{"Ｐ１", "9"}, {"Ｐ９"}, {"Ｐ２", "x"}}, std::string("9")});
    variant("blocks").setFrameForm(ft::test::FrameForm::Blocks);
    return sets;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fputs("usage: findtavla-make-fuzz-seeds [FOLDER]\n", stderr);
        return 2;
    }
    const fs::path corpus = argc == 2 ? argv[1] : "tests/fuzz/corpus";
    try {
        ft::test::TempFolder temp;
        const DataSetBuilder valid = DataSetBuilder::smallValidSet(temp / "valid", "S");
        for (std::size_t k = 0; k < kReaders.size(); ++k) {
            const Reader& reader = kReaders[k];
            const std::string bytes = valid.bytesOf(reader.kind);
            writeSeed(corpus, reader.harness, "valid", bytes);
            writeSeed(corpus, "fuzz_register_set", "valid-" + std::string(reader.harness + 5),
                      std::string(1, static_cast<char>(k)) + bytes);
        }
        writeSeed(corpus, "fuzz_frames", "lf-lines",
                  withoutCarriageReturns(valid.bytesOf(SurveyFile::SheetFrames)));
        for (const auto& [name, set] : variants(temp.path())) {
            for (const Reader& reader : kReaders) {
                const std::string bytes = set.bytesOf(reader.kind);
                if (bytes != valid.bytesOf(reader.kind))
                    writeSeed(corpus, reader.harness, name, bytes);
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "findtavla-make-fuzz-seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
