#pragma once

// What a catalogue knows about registered data sets, and the removal of a
// data set's rows. A data set's rows in every table carry its FILENO; its
// FILE row, written last, is what makes it registered.

#include <filesystem>
#include <set>
#include <string_view>
#include <vector>

namespace ft::catalogue {
class CatalogueDatabase;
}
namespace ft::platform {
class TraceLog;
}

namespace ft::registration {

// The five tables that hold FILENO, FILE first.
inline constexpr std::string_view kFileNoTables[] = {"FILE", "CHIBAN", "MAP", "FTEN", "ZTEN"};

// The largest FILENO in any of the five tables; 0 when they hold none. Rows
// left without a FILE row still count, so a new number never meets old rows.
int MaxFileNo(catalogue::CatalogueDatabase& db);

// The largest FILENO of the FILE rows; 0 when there is none. The same as
// MaxFileNo while no rows are left without a FILE row, and read from FILE
// alone.
int MaxRegisteredFileNo(catalogue::CatalogueDatabase& db);

// The form of a data set's path (the header path without its extension)
// that every way of reaching it shares: its folder with symbolic links, "."
// and ".." resolved, and its file name as given. A folder that cannot be
// resolved (gone, unreadable) is taken as it is written, made lexically
// normal. Registration stores this form in PATH.
std::filesystem::path CanonicalDataSetPath(const std::filesystem::path& basePath);

// True when a FILE row names the same data set as basePath (its PATH has the
// same canonical form, so a registration made under a link path counts) with
// a TIME not earlier than `time`, compared as bytes. An older TIME means the
// data set changed since: it is registered again.
bool IsRegistered(catalogue::CatalogueDatabase& db, const std::filesystem::path& basePath,
                  std::string_view time);

// The FILENO of every FILE row that names the same data set as basePath.
std::vector<int> RegisteredFileNos(catalogue::CatalogueDatabase& db,
                                   const std::filesystem::path& basePath);

// The FILENO of every FILE row.
std::set<int> AllRegisteredFileNos(catalogue::CatalogueDatabase& db);

// Deletes every row of these FILENOs from the five tables in one transaction
// (or in the caller's open one), one statement per table and number, each
// traced, and raises the change counter; nothing is deleted when a
// statement fails (CatalogueError).
void DeleteRegistrations(catalogue::CatalogueDatabase& db, platform::TraceLog& trace,
                         const std::vector<int>& fileNos);

// FILE rows that an update left behind: of several rows of one data set
// (PATHs of one canonical form) only the newest (latest TIME, then highest
// FILENO) stays registered; the FILENOs of the others are returned.
std::vector<int> SupersededFileNos(catalogue::CatalogueDatabase& db);

// The FILE rows of `db` whose data set the other catalogue also holds with a
// later TIME: registrations of a set whose datum has changed since, left
// behind when the run that moved the set ended before removing them.
std::vector<int> MovedFileNos(catalogue::CatalogueDatabase& db,
                              catalogue::CatalogueDatabase& otherDb);

// Deletes, in one transaction, the rows of CHIBAN, MAP, FTEN and ZTEN whose
// FILENO has no FILE row (what an interrupted registration leaves). Each
// statement is traced.
void DeleteOrphanRows(catalogue::CatalogueDatabase& db, platform::TraceLog& trace);

} // namespace ft::registration
