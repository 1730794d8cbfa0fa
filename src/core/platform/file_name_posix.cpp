#include "core/platform/path_text.h"

#include <QFile>

namespace ft::platform {

std::filesystem::path pathFromFileName(const QString& name)
{
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

} // namespace ft::platform
