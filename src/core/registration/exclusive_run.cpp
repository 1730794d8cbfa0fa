#include "core/registration/exclusive_run.h"

#include "core/workspace/workspace.h"

#include <string>

namespace ft::registration {

ExclusiveRun::ExclusiveRun(const std::filesystem::path& dataFolder)
    : m_lock(dataFolder / (std::string(workspace::kProgramStem) + ".lock"))
{
    if (!m_lock.held())
        throw RegistrationInProgress("データフォルダ " + dataFolder.string() +
                                     " では他のfindTavlaが登録中です (another registration is "
                                     "running on " +
                                     dataFolder.string() + "; try again when it has ended)");
}

std::filesystem::path RunMarkerPath(const std::filesystem::path& dataFolder)
{
    return dataFolder / (std::string(workspace::kProgramStem) + ".running");
}

} // namespace ft::registration
