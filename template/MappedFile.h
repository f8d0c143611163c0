// MappedFile: a whole file in memory, mapped copy-on-write so that it can be changed in place
// without touching the file.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace templating {

class MappedFile
{
public:
    // Maps the file; one that cannot be mapped (a pipe, for instance) is read instead.
    // Throws std::system_error when it cannot be opened or read.
    explicit MappedFile(const std::string& path);
    // A regular file, mapped and its errors thrown as the constructor does; nothing for anything
    // else (a folder, a pipe, a device), which is opened without waiting for a writer, not read.
    static std::optional<MappedFile> regularFile(const std::string& path);
    // Standard input from where it stands to its end, read whole; "-" names it in messages.
    static MappedFile standardInput();
    ~MappedFile();
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;

    char* data() { return m_data; }
    std::size_t size() const { return m_size; }
    std::string_view bytes() const { return {m_data, m_size}; }

private:
    MappedFile(int descriptor, const std::string& path);
    void load(int descriptor, const std::string& path);
    void release();
    void read(int descriptor, const std::string& path);

    char* m_data = nullptr;
    std::size_t m_size = 0;
    bool m_mapped = false;
    std::unique_ptr<char[]> m_read; // the bytes of a file that could not be mapped
};

// Throws the std::system_error of a failed file operation: "<what> "<path>"" and the error.
[[noreturn]] void throwFileError(const char* what, const std::string& path, int error);

} // namespace templating
