// Files the user chooses: read and written whole, with the reasons of a failure in the user's
// language.
#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

namespace userfile {

// A file that cannot be read or written; the message says why, in the words that may follow
// "No se puede abrir "NAME": " ("no queda espacio en el disco.").
class FileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Why a system call failed ("permiso denegado", "no queda espacio en el disco").
QString systemReason(int error);

// The bytes of a regular file of at most `sizeLimit` bytes. Anything else (a folder, a pipe, a
// device) is refused unread, and a pipe never blocks. Throws FileError with the reason
// ("el archivo no existe.", "el archivo es demasiado grande (300 MB).").
QByteArray readUserFile(const QString& path, qint64 sizeLimit);

// Writes the bytes atomically (a temporary file beside it, synced, then renamed over it): a
// failed write leaves the earlier file as it was. Through a link, the file it leads to is
// replaced, and it keeps the replaced file's permissions. Throws FileError with the reason
// ("no queda espacio en el disco.").
void writeUserFile(const QString& path, const QByteArray& bytes);

} // namespace userfile
