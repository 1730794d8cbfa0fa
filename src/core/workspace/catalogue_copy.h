#pragma once

#include "core/platform/operator_message.h"
#include "core/workspace/datum.h"

#include <array>
#include <cstdint>

namespace ft::workspace {

class Catalogues;

// The rows copied into each table, in the order of catalogue::kTableNames.
using CopiedRows = PerDatum<std::array<std::int64_t, 7>>;

// The target of a copy holds drawings already and was not to be replaced.
class CopyRefused : public platform::MessageError {
public:
    explicit CopyRefused(platform::Message message) : platform::MessageError(std::move(message)) {}
};

// Copies every row of the seven tables of both datums from `from` into `to`
// (data-folder files to a server, or back), each table in the order of its
// rows. A target that holds drawings is refused unless `replace`, which
// empties its tables first. Both sides are held under their writer lock
// for the copy, so no registration changes them meanwhile. The target's
// rows are read back and compared with the source's, cell by cell, before
// anything is committed; a failure of any kind leaves both targets as they
// were. The target's change counter goes up, so that every desk reads it
// anew. Throws CopyRefused or CatalogueError.
CopiedRows CopyCatalogues(Catalogues& from, Catalogues& to, bool replace);

} // namespace ft::workspace
