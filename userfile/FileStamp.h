// What tells one version of a file from another, so that a save notices a file replaced since.
#pragma once

#include <QString>

#include <optional>

namespace userfile {

// A file's identity, size and modification time.
struct FileStamp
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The file's stamp; nothing when it does not exist.
std::optional<FileStamp> fileStamp(const QString& path);

} // namespace userfile
