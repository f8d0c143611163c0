// The reasons of a failed system call, as a user reads them after "No se puede guardar".
#include "UserFile.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

TEST(UserFile, whatAFileMayMeetHasItsWords)
{
    const std::pair<int, QString> reasons[] = {
        {ENOTDIR, u"una parte de la ruta no es una carpeta"_s},
        {EISDIR, u"es una carpeta"_s},
        {ENOTEMPTY, u"la carpeta no está vacía"_s},
        {EEXIST, u"el archivo ya existe"_s},
        {ELOOP, u"demasiados enlaces simbólicos"_s},
        {EMLINK, u"demasiados enlaces"_s},
        {ENAMETOOLONG, u"nombre demasiado largo"_s},
        {EINVAL, u"el nombre no es válido en ese disco"_s},
        {ENOSPC, u"no queda espacio en el disco"_s},
        {EDQUOT, u"cuota de disco agotada"_s},
        {EXDEV, u"el archivo está en otro disco"_s},
        {ENXIO, u"el dispositivo no está disponible"_s},
        {EOVERFLOW, u"el archivo es demasiado grande"_s},
        {ETXTBSY, u"el archivo está en uso"_s},
        {EBUSY, u"el archivo está en uso"_s},
        {EAGAIN, u"el archivo está bloqueado por otro programa"_s},
        {EINTR, u"la operación se interrumpió"_s},
        // A fault of the program keeps its number.
        {EBADF, u"error del sistema %1"_s.arg(EBADF)},
    };
    for (const auto& [error, words] : reasons)
        EXPECT_EQ(userfile::systemReason(error), words) << error;
}

} // namespace
