// What tells one version of a file from another, so that a save notices a file replaced since.
#include "FileStamp.h"

#include <QFile>

#include <sys/stat.h>

namespace userfile {

std::optional<FileStamp> fileStamp(const QString& path)
{
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return FileStamp{static_cast<quint64>(status.st_dev), static_cast<quint64>(status.st_ino),
                     static_cast<qint64>(status.st_size),
                     static_cast<qint64>(status.st_mtim.tv_sec) * 1'000'000'000 +
                         status.st_mtim.tv_nsec};
}

} // namespace userfile
