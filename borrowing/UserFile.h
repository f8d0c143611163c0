// Files the user chooses: read whole, with the reasons of a failure in the user's language.
#pragma once

#include <QByteArray>
#include <QString>

namespace borrowing {

// Why a system call failed ("permiso denegado", "no queda espacio en el disco").
QString systemReason(int error);

// The bytes of a regular file of at most `sizeLimit` bytes. Anything else (a folder, a pipe, a
// device) is refused unread, and a pipe never blocks. Throws InvalidInput with the reason
// ("el archivo no existe.", "el archivo es demasiado grande (300 MB).").
QByteArray readUserFile(const QString& path, qint64 sizeLimit);

} // namespace borrowing
