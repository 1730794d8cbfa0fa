#pragma once

#include "core/formats/converter_support.h"

#include <filesystem>
#include <string_view>

namespace ft::catalogue {
class CatalogueDatabase;
}
namespace ft::platform {
class TraceLog;
}

namespace ft::formats {

// Stores the FILE row of a data set from the first line of its header file
// (basePath + ".hed"): PATH = basePath (UTF-8), TIME = time, FILENO = fileNo,
// CREATER = field 5, CHIKU = field 7, KEI = field 3 as an integer (NULL when
// it is not one), SOKU = field 9 trimmed as an integer (0 when not one). The
// statement, as run, is traced.
//
// basePath is the header path without its extension; time is the data set
// time text (CP932, in practice ASCII). headerFile names the header when its
// extension is not ".hed" as written (a picked "B.HED"); empty means
// basePath + ".hed". Returns false when the header cannot
// be opened (nothing traced) or the row could not be stored (rolled back,
// "Rollback" traced). A read error of the header's first line propagates;
// see converter_support.h for SourceFileError.
bool storeFileName(catalogue::CatalogueDatabase& db, platform::TraceLog& trace, int fileNo,
                   const std::filesystem::path& basePath, std::string_view time,
                   const std::filesystem::path& headerFile = {});

} // namespace ft::formats
