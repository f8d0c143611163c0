// OutputFile: the filled document, gathered into large writes to a temporary file that replaces
// the target only when the whole document has been written.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>
#include <sys/uio.h>

namespace templating {

class OutputFile
{
public:
    // Creates the temporary file beside `path`; throws std::system_error when it cannot. The new
    // file gets the mode of the file it replaces, and as root its owner and group. A path that
    // is no file (a device, a pipe) is written to directly, with no temporary file. The folder
    // stays open until this object ends: the temporary file is created, moved and removed
    // through it, so that a folder renamed meanwhile receives the document, or on failure keeps
    // no temporary file, and a file that has since taken the old path is left alone.
    explicit OutputFile(const std::string& path);
    // Standard output, written to directly wherever it leads and left open; "-" names it in
    // messages.
    static OutputFile standardOutput();
    // Without `commit`, the temporary file is removed and the target left as it was.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Copies the bytes into the output.
    void write(std::string_view bytes)
    {
        if (bytes.empty())
            return;
        if (bytes.size() <= BufferSize - m_used) {
            std::memcpy(m_buffer.get() + m_used, bytes.data(), bytes.size());
            m_used += bytes.size();
        } else {
            writeLarge(bytes);
        }
    }
    // Bytes that stay valid and unchanged until `commit`: long runs are written from where
    // they are, without a copy.
    void writeStable(std::string_view bytes)
    {
        if (bytes.size() < CopyLimit)
            write(bytes);
        else
            refer(bytes);
    }
    // Writes what is pending, closes the file and moves it over the target.
    void commit();
    // The temporary file that `commit` moves over the target: its name in the folder open as
    // `folder()`; empty when written directly.
    const std::string& temporaryName() const { return m_temporary; }
    int folder() const { return m_folder; }

private:
    static constexpr std::size_t BufferSize = 256 << 10;
    // Stable runs shorter than this are copied: a copy costs less than one more piece of a
    // write.
    static constexpr std::size_t CopyLimit = 4096;

    struct Descriptor
    {
        int descriptor;
    };
    OutputFile(Descriptor stream, const std::string& name);

    // Gives the new file the replaced one's mode, owner and group; false when it cannot.
    bool keepAttributes(int descriptor) const;
    void writeLarge(std::string_view bytes);
    void refer(std::string_view bytes);
    // Ends the buffer's bytes since the last reference as one piece of the next write.
    void closeBufferPiece();
    void flush();
    void removeTemporary() const;

    std::string m_path;
    int m_folder = -1; // of the file replaced; -1 when written directly
    // The file that `commit` replaces, links followed, and the temporary file: names in m_folder.
    std::string m_replaced;
    std::string m_temporary; // empty when written directly
    struct Attributes
    {
        mode_t mode;
        uid_t owner;
        gid_t group;
    };
    std::optional<Attributes> m_kept; // of the file replaced
    int m_descriptor = -1;
    bool m_owned = true; // closed by this object
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_used = 0;
    std::size_t m_pieceStart = 0; // of the buffer's bytes not yet in m_pending
    // What the next write sends: runs of the buffer and stable bytes, in order.
    std::vector<iovec> m_pending;
};

} // namespace templating
