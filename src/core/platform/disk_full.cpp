#include "core/platform/disk_full.h"

#include "core/platform/path_text.h"

#include <system_error>

namespace ft::platform {

DiskFull::DiskFull(std::filesystem::path file)
    : MessageError(Message(QT_TRANSLATE_NOOP("findTavla", "Not enough free disk space: %1. Make "
                                                          "room on the disk and try again."),
                           {QString::fromStdString(pathText(file))})),
      m_file(std::move(file))
{
}

void throwWriteError(int error, const char* marked, const std::filesystem::path& file)
{
    if (isOutOfSpace(error))
        throw DiskFull(file);
    throw SystemFailure(error, Message(marked, {QString::fromStdString(pathText(file))}));
}

} // namespace ft::platform
