#include "core/platform/owned_file.h"

#include "core/platform/operator_message.h"
#include "core/platform/path_text.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

namespace ft::platform {

OwnedFile openFileOrThrow(const std::filesystem::path& file, const char* mode)
{
    OwnedFile opened = openFile(file, mode);
    if (opened)
        return opened;
    const int error = errno; // before building the message can touch it
    throw SystemFailure(error, Message(QT_TRANSLATE_NOOP("findTavla", "cannot open %1"),
                                       {QString::fromStdString(pathText(file))}));
}

bool closeFile(OwnedFile& file)
{
    std::FILE* const stream = file.release();
    return stream == nullptr || std::fclose(stream) == 0;
}

OwnedDescriptor& OwnedDescriptor::operator=(OwnedDescriptor&& other) noexcept
{
    if (this != &other)
        reset(other.release());
    return *this;
}

void OwnedDescriptor::reset(int descriptor) noexcept
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = descriptor;
}

int OwnedDescriptor::release() noexcept
{
    return std::exchange(m_descriptor, -1);
}

} // namespace ft::platform
