// OutputFile: the filled document, gathered into large writes to a temporary file that replaces
// the target only when the whole document has been written.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <sys/uio.h>

namespace templating {

class OutputFile
{
public:
    // Creates the temporary file beside `path`; throws std::system_error when it cannot.
    explicit OutputFile(const std::string& path);
    // Without `commit`, the temporary file is removed and the target left as it was.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Copies the bytes into the output.
    void write(std::string_view bytes);
    // Bytes that stay valid and unchanged until `commit`: long runs are written from where
    // they are, without a copy.
    void writeStable(std::string_view bytes);
    // Writes what is pending, closes the file and moves it over the target.
    void commit();

private:
    void flush();

    std::string m_path;
    std::string m_temporary;
    int m_descriptor = -1;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_used = 0;
    // What the next write sends: runs of the buffer and stable bytes, in order.
    std::vector<iovec> m_pending;
};

} // namespace templating
