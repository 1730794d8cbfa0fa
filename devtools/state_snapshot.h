#pragma once

// What a data folder holds after registrations, in a form that two data
// folders can be compared by: every catalogue row and every working-file
// record of both datums, with each FILENO replaced by the drawing path of its
// FILE row. Two runs that registered the same sets then give the same lines
// even when they numbered the sets differently (a run that was killed and
// run again, say). A row whose FILENO has no FILE row shows as "orphan:N".

#include <filesystem>
#include <string>
#include <vector>

namespace ft::test {

// The sorted lines of the data folder's catalogues and working files.
std::vector<std::string> registrationSnapshot(const std::filesystem::path& dataFolder);

} // namespace ft::test
