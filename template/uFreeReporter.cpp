// TFreeReporter: fills a template file's tags and loops into an output file.
#include "uFreeReporter.h"

#include "AsciiText.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <system_error>
#include <utility>

namespace {

constexpr std::string_view OpenDelimiter = "\\{";
constexpr std::string_view CloseDelimiter = "\\}";
constexpr std::size_t MaxLoopDepth = 1000;
constexpr std::size_t OutputBufferSize = 1 << 20;

[[noreturn]] void throwFileError(const char* what, const std::string& path, int error)
{
    throw std::system_error(error, std::generic_category(),
                            std::string(what) + " \"" + path + "\"");
}

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = LowerAscii(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The output is written to a new file beside the target and moved over it only on success,
// so that a failed report never destroys an earlier one.
class OutputFile
{
public:
    explicit OutputFile(const std::string& path) : m_path(path)
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && !m_file; ++attempt) {
            m_temporary = path + ".~" + std::to_string(random() % 1000000000u);
            m_file = std::fopen(m_temporary.c_str(), "wbx");
            if (!m_file && errno != EEXIST)
                break;
        }
        if (!m_file)
            throwFileError("Cannot create file", path, errno);
        std::setvbuf(m_file, nullptr, _IOFBF, BufferSize);
    }
    ~OutputFile()
    {
        if (m_file) {
            std::fclose(m_file);
            std::remove(m_temporary.c_str());
        }
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::FILE* get() const { return m_file; }

    void commit()
    {
        std::FILE* file = std::exchange(m_file, nullptr);
        const bool written = std::fflush(file) == 0 && !std::ferror(file);
        const int error = errno;
        if (std::fclose(file) != 0 || !written) {
            std::remove(m_temporary.c_str());
            throwFileError("Cannot write file", m_path, written ? errno : error);
        }
        std::error_code failure;
        std::filesystem::rename(m_temporary, m_path, failure);
        if (failure) {
            std::remove(m_temporary.c_str());
            throwFileError("Cannot create file", m_path, failure.value());
        }
    }

private:
    static constexpr std::size_t BufferSize = 1 << 16;
    std::string m_path;
    std::string m_temporary;
    std::FILE* m_file = nullptr;
};

} // namespace

TFreeReporter::~TFreeReporter() = default;

void TFreeReporter::ProcessTemplate(const std::string& TemplateFileName,
                                    const std::string& OutputFileName)
{
    if (TemplateFormat == TTemplateFormat::tfAuto)
        TemplateFormat = DetectTemplateFormat(TemplateFileName);
    LoadTemplate(TemplateFileName);
    OutputFile output(OutputFileName);
    m_output = output.get();
    m_buffer.clear();
    m_buffer.reserve(OutputBufferSize);
    try {
        EmitPieces(0, static_cast<std::int32_t>(m_pieces.size()) - 1);
        flush();
    } catch (...) {
        m_output = nullptr;
        throw;
    }
    m_output = nullptr;
    output.commit();
}

TTemplateFormat TFreeReporter::DetectTemplateFormat(const std::string& FileName)
{
    const std::string_view name(FileName);
    const std::string extension = LowerAscii(name.substr(name.size() < 4 ? 0 : name.size() - 4));
    return extension == ".rtf" || extension == ".doc" ? TTemplateFormat::tfRtf
                                                      : TTemplateFormat::tfText;
}

void TFreeReporter::LoadTemplate(const std::string& FileName)
{
    std::ifstream file(FileName, std::ios::binary);
    if (!file)
        throwFileError("Cannot open file", FileName, errno);
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0)
        throwFileError("Cannot read file", FileName, errno);
    // Piece positions are 32-bit, like the templates this engine was made for.
    if (size >= std::numeric_limits<std::int32_t>::max())
        throwFileError("Cannot read file", FileName, EFBIG);
    m_templateText.resize(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(m_templateText.data(), size))
        throwFileError("Cannot read file", FileName, errno);

    // Two pieces a tag at most: one allocation instead of repeated growth.
    std::size_t tags = 0;
    for (std::size_t at = m_templateText.find(OpenDelimiter); at != std::string::npos;
         at = m_templateText.find(OpenDelimiter, at + OpenDelimiter.size()))
        ++tags;
    m_pieces.clear();
    m_pieces.reserve(2 * tags + 1);
    AddPiece(1, TPieceKind::pkText, {});
    const auto length = static_cast<std::int32_t>(m_templateText.size());
    std::int32_t tagStart = 0;
    std::int32_t tagEnd = 0;
    TPieceKind kind{};
    std::string text;
    for (std::int32_t p = 1; p <= length && FindNextTag(p, tagStart, tagEnd, kind, text);
         p = tagEnd) {
        AddPiece(tagStart, kind, std::move(text));
        if (tagEnd <= length)
            AddPiece(tagEnd, TPieceKind::pkText, {});
    }
    pairLoops();
}

void TFreeReporter::pairLoops()
{
    // Each end closes the innermost start still open before it.
    std::vector<std::int32_t> open;
    for (std::size_t i = 0; i < m_pieces.size(); ++i) {
        TPiece& piece = m_pieces[i];
        if (piece.Kind == TPieceKind::pkFor) {
            // Each nested loop is written by one more nested call: keep the stack bounded.
            if (open.size() == MaxLoopDepth)
                throw TReporterException("Loops are nested too deeply.\rCheck template!");
            open.push_back(static_cast<std::int32_t>(i));
        } else if (piece.Kind == TPieceKind::pkEnd) {
            if (open.empty()) {
                throw TReporterException(
                    "There is not corresponding {for} tag for a founded {end} tag.\rCheck "
                    "template!");
            }
            piece.Partner = open.back();
            m_pieces[open.back()].Partner = static_cast<std::int32_t>(i);
            open.pop_back();
        }
    }
    if (!open.empty())
        throw TReporterException("Can't find a closing {end} for a {for} tag.\rCheck template!");
    const auto end = static_cast<std::int32_t>(m_templateText.size()) + 1;
    for (std::size_t i = 0; i < m_pieces.size(); ++i) {
        const std::int32_t next = i + 1 < m_pieces.size() ? m_pieces[i + 1].Start : end;
        m_pieces[i].Length = next - m_pieces[i].Start;
    }
}

bool TFreeReporter::FindNextTag(std::int32_t P, std::int32_t& TagStart, std::int32_t& TagEnd,
                                TPieceKind& Kind, std::string& Text)
{
    const std::size_t open = m_templateText.find(OpenDelimiter, static_cast<std::size_t>(P - 1));
    if (open == std::string::npos)
        return false;
    const std::size_t from = open + OpenDelimiter.size(); // 0-based
    const std::size_t close = m_templateText.find(CloseDelimiter, from);
    if (close == std::string::npos)
        throw TReporterException("Can't find a closing bracket \"}\". Check template!");

    const std::string_view raw(m_templateText.data() + from, close - from);
    std::string plain;
    std::string codes;
    if (TemplateFormat == TTemplateFormat::tfRtf)
        SplitTagText(raw, plain, codes);
    else
        plain = raw;

    // Hex escapes shrink the typed text; those bytes stay inside the tag, never written.
    const std::size_t unused = raw.size() - plain.size() - codes.size();
    std::size_t tagEnd = close + CloseDelimiter.size();
    if (!codes.empty()) {
        // The markup moves behind the tag, where the following text piece begins with it.
        std::size_t at = from;
        m_templateText.replace(at, plain.size(), plain);
        at += plain.size();
        m_templateText.replace(at, CloseDelimiter.size(), CloseDelimiter);
        at += CloseDelimiter.size();
        m_templateText.replace(at, unused, unused, ' ');
        at += unused;
        tagEnd = at;
        m_templateText.replace(at, codes.size(), codes);
    }

    TagStart = static_cast<std::int32_t>(open) + 1;
    TagEnd = static_cast<std::int32_t>(tagEnd) + 1;
    const std::string lower = LowerAscii(plain.substr(0, 4));
    if (lower == "for ") {
        std::string_view argument = std::string_view(plain).substr(4);
        while (!argument.empty() && isBlankOrControl(argument.front()))
            argument.remove_prefix(1);
        while (!argument.empty() && isBlankOrControl(argument.back()))
            argument.remove_suffix(1);
        Kind = TPieceKind::pkFor;
        Text = argument;
    } else if (LowerAscii(plain) == "end") {
        Kind = TPieceKind::pkEnd;
        Text.clear();
    } else {
        Kind = TPieceKind::pkTag;
        Text = std::move(plain);
    }
    return true;
}

void TFreeReporter::SplitTagText(std::string_view Raw, std::string& Plain, std::string& Codes)
{
    Plain.clear();
    Codes.clear();
    std::size_t escapes = 0;
    std::size_t i = 0;
    while (i < Raw.size()) {
        const char c = Raw[i];
        if (static_cast<unsigned char>(c) < ' ' || c == '{' || c == '}') {
            Codes += c;
            ++i;
        } else if (c == '\\' && i + 3 < Raw.size() && Raw[i + 1] == '\'' &&
                   hexValue(Raw[i + 2]) >= 0 && hexValue(Raw[i + 3]) >= 0) {
            Plain += static_cast<char>(hexValue(Raw[i + 2]) * 16 + hexValue(Raw[i + 3]));
            ++escapes;
            i += 4;
        } else if (c == '\\') {
            // A control word ends at a blank or a line break (word processors put either),
            // a backslash or a brace.
            const std::size_t start = i++;
            while (i < Raw.size() && !isBlankOrControl(Raw[i]) && Raw[i] != '\\' && Raw[i] != '{' &&
                   Raw[i] != '}')
                ++i;
            Codes.append(Raw.substr(start, i - start));
            if (i < Raw.size() && Raw[i] != '\\')
                Codes += Raw[i++];
        } else {
            Plain += c;
            ++i;
        }
    }
    if (Plain.size() + Codes.size() + 3 * escapes != Raw.size())
        throw TReporterInternalError("FreeReporter: Internal error #01");
}

void TFreeReporter::AddPiece(std::int32_t Start, TPieceKind Kind, std::string Text)
{
    m_pieces.push_back({Start, 0, Kind, std::move(Text), -1});
}

void TFreeReporter::EmitPieces(std::int32_t First, std::int32_t Last)
{
    std::string value;
    std::int32_t i = First;
    while (i <= Last) {
        const TPiece& piece = m_pieces[static_cast<std::size_t>(i)];
        switch (piece.Kind) {
        case TPieceKind::pkText:
            if (piece.Length > 0)
                write(std::string_view(m_templateText)
                          .substr(static_cast<std::size_t>(piece.Start - 1),
                                  static_cast<std::size_t>(piece.Length)));
            ++i;
            break;
        case TPieceKind::pkTag:
            GetTagValue(piece.Text, value);
            if (!value.empty())
                write(TemplateFormat == TTemplateFormat::tfRtf ? EscapeRtf(value) : value);
            ++i;
            break;
        case TPieceKind::pkFor: {
            bool enter = false;
            if (OnCycleStart)
                OnCycleStart(piece.Text, enter);
            const std::int32_t partner = piece.Partner;
            if (enter)
                EmitPieces(i + 1, partner);
            i = partner + 1;
            break;
        }
        case TPieceKind::pkEnd: {
            bool finished = true;
            if (OnCycleEnd)
                OnCycleEnd(finished);
            if (finished)
                return;
            i = First;
            break;
        }
        }
    }
}

std::string TFreeReporter::EscapeRtf(std::string_view Value)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(Value.size());
    for (const char c : Value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}') {
            escaped += '\\';
            escaped += c;
        } else if (byte >= 32 && byte <= 127) {
            escaped += c;
        } else {
            escaped += "\\'";
            escaped += Hex[byte >> 4];
            escaped += Hex[byte & 0xF];
        }
    }
    return escaped;
}

// Small pieces gather in a buffer; large ones go straight to the file.
void TFreeReporter::write(std::string_view bytes)
{
    if (m_buffer.size() + bytes.size() > OutputBufferSize) {
        flush();
        if (bytes.size() >= OutputBufferSize) {
            writeToFile(bytes);
            return;
        }
    }
    m_buffer.append(bytes);
}

void TFreeReporter::flush()
{
    writeToFile(m_buffer);
    m_buffer.clear();
}

void TFreeReporter::writeToFile(std::string_view bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_output) != bytes.size())
        throw std::system_error(errno, std::generic_category(), "Cannot write the output file");
}
