// MappedFile: a whole file in memory, mapped copy-on-write so that it can be changed in place
// without touching the file.
#include "MappedFile.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace templating {

namespace {

// Piece positions are 32-bit: a template must stay below 2 GiB.
constexpr std::size_t MaxSize = std::numeric_limits<std::int32_t>::max() - 1;

class Descriptor
{
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    ~Descriptor()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_descriptor; }

private:
    int m_descriptor;
};

} // namespace

void throwFileError(const char* what, const std::string& path, int error)
{
    throw std::system_error(error, std::generic_category(),
                            std::string(what) + " \"" + path + "\"");
}

MappedFile::MappedFile(const std::string& path)
{
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        throwFileError("Cannot open file", path, errno);
    load(file.get(), path);
}

std::optional<MappedFile> MappedFile::regularFile(const std::string& path)
{
    // A FIFO opened without O_NONBLOCK waits for a writer, perhaps for ever.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        throwFileError("Cannot open file", path, errno);
    struct stat status = {};
    if (::fstat(file.get(), &status) != 0)
        throwFileError("Cannot read file", path, errno);
    if (!S_ISREG(status.st_mode))
        return std::nullopt;
    return MappedFile(file.get(), path);
}

MappedFile::MappedFile(int descriptor, const std::string& path)
{
    load(descriptor, path);
}

MappedFile MappedFile::standardInput()
{
    return MappedFile(STDIN_FILENO, "-");
}

void MappedFile::load(int descriptor, const std::string& path)
{
    struct stat status = {};
    if (::fstat(descriptor, &status) != 0)
        throwFileError("Cannot read file", path, errno);
    // A file is mapped whole, unless reading it has begun: it is then read on from there.
    if (!S_ISREG(status.st_mode) || ::lseek(descriptor, 0, SEEK_CUR) != 0) {
        read(descriptor, path);
        return;
    }
    if (static_cast<std::size_t>(status.st_size) > MaxSize)
        throwFileError("Cannot read file", path, EFBIG);
    m_size = static_cast<std::size_t>(status.st_size);
    if (m_size == 0)
        return;
    // Mapped read-only with every page at once, which costs far less than a fault a page;
    // writable afterwards, so that only the pages written to are copied.
    void* mapped = ::mmap(nullptr, m_size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, descriptor, 0);
    if (mapped == MAP_FAILED) {
        m_size = 0;
        read(descriptor, path);
        return;
    }
    m_data = static_cast<char*>(mapped);
    m_mapped = true;
    if (::mprotect(mapped, m_size, PROT_READ | PROT_WRITE) != 0)
        throwFileError("Cannot read file", path, errno);
}

MappedFile::~MappedFile()
{
    release();
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_mapped(std::exchange(other.m_mapped, false)), m_read(std::move(other.m_read))
{
}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept
{
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_mapped = std::exchange(other.m_mapped, false);
        m_read = std::move(other.m_read);
    }
    return *this;
}

void MappedFile::release()
{
    if (m_mapped)
        ::munmap(m_data, m_size);
    m_read.reset();
    m_data = nullptr;
    m_size = 0;
    m_mapped = false;
}

void MappedFile::read(int descriptor, const std::string& path)
{
    std::size_t capacity = 1 << 16;
    m_read = std::make_unique<char[]>(capacity);
    for (;;) {
        if (m_size == capacity) {
            if (capacity > MaxSize)
                throwFileError("Cannot read file", path, EFBIG);
            auto larger = std::make_unique<char[]>(2 * capacity);
            std::memcpy(larger.get(), m_read.get(), m_size);
            m_read = std::move(larger);
            capacity *= 2;
        }
        const ssize_t got = ::read(descriptor, m_read.get() + m_size, capacity - m_size);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throwFileError("Cannot read file", path, errno);
        }
        m_size += static_cast<std::size_t>(got);
    }
    m_data = m_read.get();
}

} // namespace templating
