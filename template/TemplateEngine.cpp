// TemplateEngine: fills a template's tags and loops into an output file, asking a subclass for
// the values of tags and whether to enter and repeat loops.
#include "TemplateEngine.h"

#include "AsciiText.h"
#include "OutputFile.h"

#include <algorithm>

namespace templating {

namespace {

bool needsRtfEscape(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return c == '\\' || c == '{' || c == '}' || byte < 32 || byte > 127;
}

// A backslash before "\", "{" and "}"; bytes outside 32..127 as hexadecimal escapes.
void appendRtfEscaped(std::string_view value, std::string& escaped)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (!needsRtfEscape(c)) {
            escaped += c;
        } else if (c == '\\' || c == '{' || c == '}') {
            escaped += '\\';
            escaped += c;
        } else {
            escaped += "\\'";
            escaped += Hex[byte >> 4];
            escaped += Hex[byte & 0xF];
        }
    }
}

} // namespace

TemplateEngine::~TemplateEngine() = default;

void TemplateEngine::processTemplate(const std::string& templatePath, const std::string& outputPath)
{
    if (templateFormat == TemplateFormat::Auto)
        templateFormat = detectTemplateFormat(templatePath);
    fill(ParsedTemplate(templatePath, templateFormat), outputPath);
}

void TemplateEngine::fill(const ParsedTemplate& parsed, const std::string& outputPath)
{
    templateFormat = parsed.format();
    startFill();
    OutputFile output(outputPath);
    emitPieces(parsed, 0, static_cast<std::int32_t>(parsed.pieces().size()) - 1, output);
    output.commit();
}

TemplateFormat TemplateEngine::detectTemplateFormat(const std::string& path)
{
    const std::string_view name(path);
    const std::string_view extension = name.substr(name.size() < 4 ? 0 : name.size() - 4);
    return equalsAsciiNoCase(extension, ".rtf") || equalsAsciiNoCase(extension, ".doc")
               ? TemplateFormat::Rtf
               : TemplateFormat::Text;
}

void TemplateEngine::startFill() {}

bool TemplateEngine::startLoop(std::string_view)
{
    return false;
}

bool TemplateEngine::endLoop()
{
    return true;
}

// Loops nest as recursive calls: each call writes one loop's body, again and again until the
// loop's end tag says it is finished.
void TemplateEngine::emitPieces(const ParsedTemplate& parsed, std::int32_t first, std::int32_t last,
                                OutputFile& output)
{
    const std::vector<Piece>& pieces = parsed.pieces();
    std::int32_t i = first;
    while (i <= last) {
        const Piece& piece = pieces[static_cast<std::size_t>(i)];
        switch (piece.kind) {
        case PieceKind::Text:
            output.writeStable(parsed.bytes(piece));
            ++i;
            break;
        case PieceKind::Tag:
            writeValue(tagValue(piece.text), output);
            ++i;
            break;
        case PieceKind::For:
            if (startLoop(piece.text))
                emitPieces(parsed, i + 1, piece.partner, output);
            i = piece.partner + 1;
            break;
        case PieceKind::End:
            if (endLoop())
                return;
            i = first;
            break;
        }
    }
}

void TemplateEngine::writeValue(std::string_view value, OutputFile& output)
{
    if (templateFormat != TemplateFormat::Rtf ||
        std::none_of(value.begin(), value.end(), needsRtfEscape)) {
        output.write(value);
        return;
    }
    m_escaped.clear();
    appendRtfEscaped(value, m_escaped);
    output.write(m_escaped);
}

} // namespace templating
