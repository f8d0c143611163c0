// Files the user chooses: read and written whole, with the reasons of a failure in the user's
// language.
#include "UserFile.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace userfile {

namespace {

[[noreturn]] void refuse(const QString& reason)
{
    throw FileError(reason.toStdString());
}

[[noreturn]] void cannotRead(int error)
{
    refuse(QStringLiteral("no se puede leer (%1).").arg(systemReason(error)));
}

// Whole megabytes, rounded up so that a file just over a limit does not look within it.
qint64 megabytes(qint64 bytes)
{
    constexpr qint64 Megabyte = 1024 * 1024;
    return (bytes + Megabyte - 1) / Megabyte;
}

} // namespace

QString systemReason(int error)
{
    // What opening, reading, writing, syncing and renaming a regular file may meet; anything
    // else is a fault of the program or the system, and keeps its number.
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("permiso denegado");
    case ENOENT:
        return QStringLiteral("la carpeta no existe");
    case ENOTDIR:
        return QStringLiteral("una parte de la ruta no es una carpeta");
    case EISDIR:
        return QStringLiteral("es una carpeta");
    case ENOTEMPTY:
        return QStringLiteral("la carpeta no está vacía");
    case EEXIST:
        return QStringLiteral("el archivo ya existe");
    case ELOOP:
        return QStringLiteral("demasiados enlaces simbólicos");
    case EMLINK:
        return QStringLiteral("demasiados enlaces");
    case ENAMETOOLONG:
        return QStringLiteral("nombre demasiado largo");
    case EINVAL:
        // A name a disk of another system does not take, such as one with ":" on a memory stick.
        return QStringLiteral("el nombre no es válido en ese disco");
    case ENOSPC:
        return QStringLiteral("no queda espacio en el disco");
    case EDQUOT:
        return QStringLiteral("cuota de disco agotada");
    case EROFS:
        return QStringLiteral("el disco es de solo lectura");
    case EXDEV:
        return QStringLiteral("el archivo está en otro disco");
    case EIO:
        return QStringLiteral("error de lectura o escritura en el disco");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("el dispositivo no está disponible");
    case EFBIG:
    case EOVERFLOW:
        return QStringLiteral("el archivo es demasiado grande");
    case ETXTBSY:
    case EBUSY:
        return QStringLiteral("el archivo está en uso");
    case EAGAIN:
#if EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
        return QStringLiteral("el archivo está bloqueado por otro programa");
    case EINTR:
        return QStringLiteral("la operación se interrumpió");
    case ENOMEM:
        return QStringLiteral("no hay memoria suficiente");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("hay demasiados archivos abiertos");
    default:
        return QStringLiteral("error del sistema %1").arg(error);
    }
}

QByteArray readUserFile(const QString& path, qint64 sizeLimit)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            refuse(QStringLiteral("el archivo no existe."));
        cannotRead(errno);
    }
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0)
        cannotRead(errno);
    if (S_ISDIR(status.st_mode))
        refuse(QStringLiteral("es una carpeta, no un archivo."));
    if (!S_ISREG(status.st_mode))
        refuse(QStringLiteral("no es un archivo normal."));
    if (status.st_size > sizeLimit) {
        refuse(QStringLiteral("el archivo es demasiado grande (%1 MB).")
                   .arg(megabytes(status.st_size)));
    }
    QByteArray bytes(static_cast<qsizetype>(status.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::read(fd, bytes.data() + done, static_cast<std::size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            cannotRead(errno);
        if (n == 0)
            break; // the file shrank meanwhile
        done += n;
    }
    bytes.truncate(done);
    return bytes;
}

void writeUserFile(const QString& path, const QByteArray& bytes)
{
    const auto fail = [](int error) {
        throw FileError(QStringLiteral("%1.").arg(systemReason(error)).toStdString());
    };
    // Through a link, the file it leads to is replaced.
    const QFileInfo info(path);
    const QString target = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    QByteArray temporary =
        QFile::encodeName(QStringLiteral("%1/.%2.XXXXXX")
                              .arg(QFileInfo(target).absolutePath(), QFileInfo(target).fileName()));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        fail(errno);
    bool closed = false;
    auto discard = qScopeGuard([&] {
        if (!closed)
            ::close(fd);
        ::unlink(temporary.constData());
    });
    // The file keeps the permissions of the one it replaces; a new one gets the usual ones.
    struct stat earlier
    {
    };
    mode_t mode = 0;
    if (::stat(QFile::encodeName(target).constData(), &earlier) == 0) {
        mode = earlier.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0)
        fail(errno);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(errno);
        done += n;
    }
    if (::fsync(fd) != 0)
        fail(errno);
    closed = true;
    if (::close(fd) != 0)
        fail(errno);
    if (::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0)
        fail(errno);
    discard.dismiss();
}

} // namespace userfile
