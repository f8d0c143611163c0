// OutputFile: the filled document, gathered into large writes to a temporary file that replaces
// the target only when the whole document has been written.
#include "OutputFile.h"

#include "MappedFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace templating {

namespace {

constexpr std::size_t MaxPending = IOV_MAX;

[[noreturn]] void throwWriteError(int error)
{
    throw std::system_error(error, std::generic_category(), "Cannot write the output file");
}

} // namespace

OutputFile::OutputFile(const std::string& path)
    : m_path(path), m_buffer(std::make_unique_for_overwrite<char[]>(BufferSize))
{
    m_pending.reserve(MaxPending);
    // Only a file can be replaced: a device or a pipe (/dev/stdout, say), and a link that
    // leads nowhere, are written to directly.
    struct stat target = {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    struct stat link = {};
    const bool dangling = !exists && ::lstat(path.c_str(), &link) == 0;
    if ((exists && !S_ISREG(target.st_mode)) || dangling) {
        m_descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (m_descriptor < 0)
            throwFileError("Cannot create file", path, errno);
        return;
    }
    // Through a symbolic link, the file it leads to is replaced and the link kept.
    char* resolved = exists ? ::realpath(path.c_str(), nullptr) : nullptr;
    const std::string replaced = resolved ? resolved : path;
    std::free(resolved);
    std::random_device random;
    const std::size_t slash = replaced.rfind('/');
    m_replaced = replaced.substr(slash + 1);
    // O_PATH: a folder that may be written but not listed still takes the temporary file.
    m_folder = ::open(slash == std::string::npos ? "." : replaced.substr(0, slash + 1).c_str(),
                      O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0)
        throwFileError("Cannot create file", path, errno);
    // Never wider than the replaced file's permissions while the document is written.
    const mode_t mode = exists ? target.st_mode & 0777 : 0666;
    if (exists)
        m_kept = Attributes{target.st_mode & 07777, target.st_uid, target.st_gid};
    for (int attempt = 0; attempt < 100 && m_descriptor < 0; ++attempt) {
        m_temporary = m_replaced + ".~" + std::to_string(random() % 1000000000u);
        m_descriptor =
            ::openat(m_folder, m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_descriptor < 0 && errno != EEXIST)
            break;
    }
    if (m_descriptor < 0) {
        const int error = errno;
        ::close(m_folder);
        throwFileError("Cannot create file", path, error);
    }
}

OutputFile::OutputFile(Descriptor stream, const std::string& name)
    : m_path(name), m_descriptor(stream.descriptor), m_owned(false),
      m_buffer(std::make_unique_for_overwrite<char[]>(BufferSize))
{
    m_pending.reserve(MaxPending);
}

OutputFile OutputFile::standardOutput()
{
    return OutputFile(Descriptor{STDOUT_FILENO}, "-");
}

OutputFile::~OutputFile()
{
    if (m_descriptor >= 0 && m_owned) {
        ::close(m_descriptor);
        removeTemporary();
    }
    if (m_folder >= 0)
        ::close(m_folder);
}

void OutputFile::removeTemporary() const
{
    if (!m_temporary.empty())
        ::unlinkat(m_folder, m_temporary.c_str(), 0);
}

void OutputFile::writeLarge(std::string_view bytes)
{
    flush();
    if (bytes.size() <= BufferSize) {
        write(bytes);
        return;
    }
    m_pending.push_back({const_cast<char*>(bytes.data()), bytes.size()});
    flush();
}

void OutputFile::refer(std::string_view bytes)
{
    closeBufferPiece();
    m_pending.push_back({const_cast<char*>(bytes.data()), bytes.size()});
    // Room for the buffer piece that may follow.
    if (m_pending.size() + 1 >= MaxPending)
        flush();
}

void OutputFile::closeBufferPiece()
{
    if (m_used > m_pieceStart)
        m_pending.push_back({m_buffer.get() + m_pieceStart, m_used - m_pieceStart});
    m_pieceStart = m_used;
}

void OutputFile::flush()
{
    closeBufferPiece();
    iovec* next = m_pending.data();
    iovec* const end = next + m_pending.size();
    while (next != end) {
        const ssize_t written = ::writev(
            m_descriptor, next, static_cast<int>(std::min<std::ptrdiff_t>(end - next, MaxPending)));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throwWriteError(written < 0 ? errno : EIO);
        // A short write: skip what went out and go on with the rest.
        auto left = static_cast<std::size_t>(written);
        while (next != end && left >= next->iov_len)
            left -= (next++)->iov_len;
        if (next != end) {
            next->iov_base = static_cast<char*>(next->iov_base) + left;
            next->iov_len -= left;
        }
    }
    m_pending.clear();
    m_used = 0;
    m_pieceStart = 0;
}

// After the last write, which would clear the set-user-ID and set-group-ID bits. Only root may
// give a file away; anyone else keeps owning the new file.
bool OutputFile::keepAttributes(int descriptor) const
{
    if (!m_kept)
        return true;
    if (::geteuid() == 0) {
        [[maybe_unused]] const int owned = ::fchown(descriptor, m_kept->owner, m_kept->group);
    }
    return ::fchmod(descriptor, m_kept->mode) == 0;
}

void OutputFile::commit()
{
    flush();
    const int descriptor = std::exchange(m_descriptor, -1);
    if (!m_owned)
        return;
    int error = keepAttributes(descriptor) ? 0 : errno;
    if (::close(descriptor) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        removeTemporary();
        throwFileError("Cannot write file", m_path, error);
    }
    if (m_temporary.empty())
        return;
    if (::renameat(m_folder, m_temporary.c_str(), m_folder, m_replaced.c_str()) != 0) {
        const int error = errno;
        removeTemporary();
        throwFileError("Cannot create file", m_path, error);
    }
}

} // namespace templating
