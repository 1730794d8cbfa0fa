#include "core/platform/path_text.h"

namespace ft::platform {

// QFile::encodeName would give the ANSI code page's bytes, which lose every
// character that page lacks.
std::filesystem::path pathFromFileName(const QString& name)
{
    return std::filesystem::path(name.toStdWString());
}

} // namespace ft::platform
