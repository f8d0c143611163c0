// TemplateEngine: fills a template file's tags and loops into an output file.
#include "TemplateEngine.h"

#include "AsciiText.h"
#include "DigitText.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <system_error>
#include <utility>

namespace templating {

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
    return decimal::hexDigitValue(static_cast<unsigned char>(c));
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

TemplateEngine::~TemplateEngine() = default;

void TemplateEngine::processTemplate(const std::string& templatePath, const std::string& outputPath)
{
    if (templateFormat == TemplateFormat::Auto)
        templateFormat = detectTemplateFormat(templatePath);
    loadTemplate(templatePath);
    OutputFile output(outputPath);
    m_output = output.get();
    m_buffer.clear();
    m_buffer.reserve(OutputBufferSize);
    try {
        emitPieces(0, static_cast<std::int32_t>(m_pieces.size()) - 1);
        flush();
    } catch (...) {
        m_output = nullptr;
        throw;
    }
    m_output = nullptr;
    output.commit();
}

TemplateFormat TemplateEngine::detectTemplateFormat(const std::string& path)
{
    const std::string_view name(path);
    const std::string extension = lowerAscii(name.substr(name.size() < 4 ? 0 : name.size() - 4));
    return extension == ".rtf" || extension == ".doc" ? TemplateFormat::Rtf : TemplateFormat::Text;
}

void TemplateEngine::loadTemplate(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throwFileError("Cannot open file", path, errno);
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0)
        throwFileError("Cannot read file", path, errno);
    // Piece positions are 32-bit: a template must stay below 2 GiB.
    if (size >= std::numeric_limits<std::int32_t>::max())
        throwFileError("Cannot read file", path, EFBIG);
    m_templateText.resize(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(m_templateText.data(), size))
        throwFileError("Cannot read file", path, errno);

    // Two pieces a tag at most: one allocation instead of repeated growth.
    std::size_t tags = 0;
    for (std::size_t at = m_templateText.find(OpenDelimiter); at != std::string::npos;
         at = m_templateText.find(OpenDelimiter, at + OpenDelimiter.size()))
        ++tags;
    m_pieces.clear();
    m_pieces.reserve(2 * tags + 1);
    addPiece(1, PieceKind::Text, {});
    const auto length = static_cast<std::int32_t>(m_templateText.size());
    std::int32_t tagStart = 0;
    std::int32_t tagEnd = 0;
    PieceKind kind{};
    std::string text;
    for (std::int32_t p = 1; p <= length && findNextTag(p, tagStart, tagEnd, kind, text);
         p = tagEnd) {
        addPiece(tagStart, kind, std::move(text));
        if (tagEnd <= length)
            addPiece(tagEnd, PieceKind::Text, {});
    }
    pairLoops();
}

void TemplateEngine::pairLoops()
{
    // Each end closes the innermost start still open before it.
    std::vector<std::int32_t> open;
    for (std::size_t i = 0; i < m_pieces.size(); ++i) {
        Piece& piece = m_pieces[i];
        if (piece.kind == PieceKind::For) {
            // Each nested loop is written by one more nested call: keep the stack bounded.
            if (open.size() == MaxLoopDepth)
                throw TemplateError("Loops are nested too deeply.\rCheck template!");
            open.push_back(static_cast<std::int32_t>(i));
        } else if (piece.kind == PieceKind::End) {
            if (open.empty()) {
                throw TemplateError(
                    "There is not corresponding {for} tag for a founded {end} tag.\rCheck "
                    "template!");
            }
            piece.partner = open.back();
            m_pieces[open.back()].partner = static_cast<std::int32_t>(i);
            open.pop_back();
        }
    }
    if (!open.empty())
        throw TemplateError("Can't find a closing {end} for a {for} tag.\rCheck template!");
    const auto end = static_cast<std::int32_t>(m_templateText.size()) + 1;
    for (std::size_t i = 0; i < m_pieces.size(); ++i) {
        const std::int32_t next = i + 1 < m_pieces.size() ? m_pieces[i + 1].start : end;
        m_pieces[i].length = next - m_pieces[i].start;
    }
}

bool TemplateEngine::findNextTag(std::int32_t p, std::int32_t& tagStart, std::int32_t& tagEnd,
                                 PieceKind& kind, std::string& text)
{
    const std::size_t open = m_templateText.find(OpenDelimiter, static_cast<std::size_t>(p - 1));
    if (open == std::string::npos)
        return false;
    const std::size_t from = open + OpenDelimiter.size(); // 0-based
    const std::size_t close = m_templateText.find(CloseDelimiter, from);
    if (close == std::string::npos)
        throw TemplateError("Can't find a closing bracket \"}\". Check template!");

    const std::string_view raw(m_templateText.data() + from, close - from);
    std::string plain;
    std::string codes;
    if (templateFormat == TemplateFormat::Rtf)
        splitTagText(raw, plain, codes);
    else
        plain = raw;

    // Hex escapes shrink the typed text; those bytes stay inside the tag, never written.
    const std::size_t unused = raw.size() - plain.size() - codes.size();
    std::size_t end = close + CloseDelimiter.size();
    if (!codes.empty()) {
        // The markup moves behind the tag, where the following text piece begins with it.
        std::size_t at = from;
        m_templateText.replace(at, plain.size(), plain);
        at += plain.size();
        m_templateText.replace(at, CloseDelimiter.size(), CloseDelimiter);
        at += CloseDelimiter.size();
        m_templateText.replace(at, unused, unused, ' ');
        at += unused;
        end = at;
        m_templateText.replace(at, codes.size(), codes);
    }

    tagStart = static_cast<std::int32_t>(open) + 1;
    tagEnd = static_cast<std::int32_t>(end) + 1;
    const std::string lower = lowerAscii(plain.substr(0, 4));
    if (lower == "for ") {
        std::string_view argument = std::string_view(plain).substr(4);
        while (!argument.empty() && isBlankOrControl(argument.front()))
            argument.remove_prefix(1);
        while (!argument.empty() && isBlankOrControl(argument.back()))
            argument.remove_suffix(1);
        kind = PieceKind::For;
        text = argument;
    } else if (lowerAscii(plain) == "end") {
        kind = PieceKind::End;
        text.clear();
    } else {
        kind = PieceKind::Tag;
        text = std::move(plain);
    }
    return true;
}

void TemplateEngine::splitTagText(std::string_view raw, std::string& plain, std::string& codes)
{
    plain.clear();
    codes.clear();
    std::size_t escapes = 0;
    std::size_t i = 0;
    while (i < raw.size()) {
        const char c = raw[i];
        if (static_cast<unsigned char>(c) < ' ' || c == '{' || c == '}') {
            codes += c;
            ++i;
        } else if (c == '\\' && i + 3 < raw.size() && raw[i + 1] == '\'' &&
                   hexValue(raw[i + 2]) >= 0 && hexValue(raw[i + 3]) >= 0) {
            plain += static_cast<char>(hexValue(raw[i + 2]) * 16 + hexValue(raw[i + 3]));
            ++escapes;
            i += 4;
        } else if (c == '\\') {
            // A control word ends at a blank or a line break (word processors put either),
            // a backslash or a brace.
            const std::size_t start = i++;
            while (i < raw.size() && !isBlankOrControl(raw[i]) && raw[i] != '\\' && raw[i] != '{' &&
                   raw[i] != '}')
                ++i;
            codes.append(raw.substr(start, i - start));
            if (i < raw.size() && raw[i] != '\\')
                codes += raw[i++];
        } else {
            plain += c;
            ++i;
        }
    }
    if (plain.size() + codes.size() + 3 * escapes != raw.size())
        throw TemplateInternalError("FreeReporter: Internal error #01");
}

void TemplateEngine::addPiece(std::int32_t start, PieceKind kind, std::string text)
{
    m_pieces.push_back({start, 0, kind, std::move(text), -1});
}

void TemplateEngine::emitPieces(std::int32_t first, std::int32_t last)
{
    std::string value;
    std::int32_t i = first;
    while (i <= last) {
        const Piece& piece = m_pieces[static_cast<std::size_t>(i)];
        switch (piece.kind) {
        case PieceKind::Text:
            if (piece.length > 0)
                write(std::string_view(m_templateText)
                          .substr(static_cast<std::size_t>(piece.start - 1),
                                  static_cast<std::size_t>(piece.length)));
            ++i;
            break;
        case PieceKind::Tag:
            tagValue(piece.text, value);
            if (!value.empty())
                write(templateFormat == TemplateFormat::Rtf ? escapeRtf(value) : value);
            ++i;
            break;
        case PieceKind::For: {
            bool enter = false;
            if (onLoopStart)
                onLoopStart(piece.text, enter);
            const std::int32_t partner = piece.partner;
            if (enter)
                emitPieces(i + 1, partner);
            i = partner + 1;
            break;
        }
        case PieceKind::End: {
            bool finished = true;
            if (onLoopEnd)
                onLoopEnd(finished);
            if (finished)
                return;
            i = first;
            break;
        }
        }
    }
}

std::string TemplateEngine::escapeRtf(std::string_view value)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(value.size());
    for (const char c : value) {
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
void TemplateEngine::write(std::string_view bytes)
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

void TemplateEngine::flush()
{
    writeToFile(m_buffer);
    m_buffer.clear();
}

void TemplateEngine::writeToFile(std::string_view bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_output) != bytes.size())
        throw std::system_error(errno, std::generic_category(), "Cannot write the output file");
}

} // namespace templating
