#include "core/registration/exclusive_run.h"

#include "core/platform/path_text.h"
#include "core/workspace/workspace.h"

#include <string>

namespace ft::registration {

ExclusiveRun::ExclusiveRun(const std::filesystem::path& dataFolder)
    : m_lock(dataFolder / (std::string(workspace::kProgramStem) + ".lock"))
{
    if (!m_lock.held())
        throw RegistrationInProgress(platform::Message(
            QT_TRANSLATE_NOOP("findTavla", "Another findTavla is registering in the data folder "
                                           "%1; try again when it has ended."),
            {QString::fromStdString(platform::pathText(dataFolder))}));
}

std::filesystem::path RunMarkerPath(const std::filesystem::path& dataFolder)
{
    return dataFolder / (std::string(workspace::kProgramStem) + ".running");
}

} // namespace ft::registration
