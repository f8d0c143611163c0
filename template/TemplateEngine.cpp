// TemplateEngine: fills a template's tags and loops into an output file, asking a subclass for
// the values of tags and whether to enter and repeat loops.
#include "TemplateEngine.h"

#include "CodePage1252.h"
#include "OutputFile.h"

#include <algorithm>

namespace templating {

namespace {

constexpr char Hex[] = "0123456789ABCDEF";

bool needsRtfEscape(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return c == '\\' || c == '{' || c == '}' || byte < 32 || byte > 127;
}

// A character beyond code page 1252 as RTF's "\uN?": N a UTF-16 code unit as a signed 16-bit
// number, two for a character beyond U+FFFF, each followed by the "?" a reader without Unicode
// shows instead. One such character is RTF's default (\uc1); a template that sets another count
// around a tag has a reader skip too little or too much after it.
void appendRtfUnicode(char32_t c, std::string& escaped)
{
    const auto appendUnit = [&escaped](char32_t unit) {
        escaped += "\\u";
        escaped += std::to_string(static_cast<std::int32_t>(unit) - (unit > 0x7FFF ? 0x10000 : 0));
        escaped += '?';
    };
    if (c <= 0xFFFF) {
        appendUnit(c);
    } else {
        appendUnit(0xD800 + ((c - 0x10000) >> 10));
        appendUnit(0xDC00 + (c & 0x3FF));
    }
}

// UTF-8 in code page 1252, with a backslash before "\", "{" and "}" and bytes outside 32..127
// as hexadecimal escapes; a character the code page lacks in Unicode, a malformed byte as "?".
void appendRtfEscaped(std::string_view value, std::string& escaped)
{
    for (std::size_t at = 0; at < value.size();) {
        char c = value[at];
        if (static_cast<unsigned char>(c) < 0x80) {
            ++at;
        } else {
            const CodePage1252Character character = codePage1252At(value, at);
            at += character.length;
            if (character.lacking != 0) {
                appendRtfUnicode(character.lacking, escaped);
                continue;
            }
            c = character.byte;
        }
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

void TemplateEngine::processTemplate(const std::string& templatePath, const std::string& outputPath,
                                     TemplateFormat format)
{
    fill(ParsedTemplate(templatePath, format), outputPath);
}

void TemplateEngine::fill(const ParsedTemplate& parsed, const std::string& outputPath)
{
    OutputFile output(outputPath);
    fill(parsed, output);
}

void TemplateEngine::fill(const ParsedTemplate& parsed, OutputFile& output)
{
    startFill();
    emitPieces(parsed, 0, static_cast<std::int32_t>(parsed.pieces().size()) - 1, output);
    output.commit();
}

void TemplateEngine::startFill() {}

std::optional<Picture> TemplateEngine::tagPicture(std::string_view)
{
    return std::nullopt;
}

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
            if (const std::optional<Picture> picture = tagPicture(piece.text))
                writePicture(piece.text, *picture, parsed.format(), output);
            else
                writeValue(tagValue(piece.text), parsed.format(), output);
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

void TemplateEngine::writeValue(std::string_view value, TemplateFormat format, OutputFile& output)
{
    if (format != TemplateFormat::Rtf || std::none_of(value.begin(), value.end(), needsRtfEscape)) {
        output.write(value);
        return;
    }
    m_escaped.clear();
    appendRtfEscaped(value, m_escaped);
    output.write(m_escaped);
}

// An RTF picture group: the size in pixels and, as the picture is to be shown, in twips; then the
// PNG's bytes in hexadecimal, in lines that an editor can still open.
void TemplateEngine::writePicture(std::string_view tag, const Picture& picture,
                                  TemplateFormat format, OutputFile& output)
{
    if (format != TemplateFormat::Rtf) {
        throwDataTemplateError("Tag \"%s\" is a picture and can't be written into a text report.",
                               {tag});
    }
    if (const std::optional<SizeFault> fault = sizeFault(picture)) {
        switch (*fault) {
        case SizeFault::NoResolution:
            throwDataTemplateError("Tag \"%s\" is a picture without a resolution.", {tag});
        case SizeFault::TooLarge:
            throwDataTemplateError("Tag \"%s\" is a picture too large for an RTF document.", {tag});
        case SizeFault::TooSmall:
            throwDataTemplateError("Tag \"%s\" is a picture too small for an RTF document.", {tag});
        }
    }
    constexpr std::size_t BytesPerLine = 64;
    m_escaped.clear();
    m_escaped += "{\\pict\\pngblip\\picw" + std::to_string(picture.width) + "\\pich" +
                 std::to_string(picture.height) + "\\picwgoal" +
                 std::to_string(twips(picture.width, picture.dpi)) + "\\pichgoal" +
                 std::to_string(twips(picture.height, picture.dpi));
    for (std::size_t at = 0; at < picture.png.size(); ++at) {
        if (at % BytesPerLine == 0)
            m_escaped += '\n';
        const auto byte = static_cast<unsigned char>(picture.png[at]);
        m_escaped += Hex[byte >> 4];
        m_escaped += Hex[byte & 0xF];
    }
    m_escaped += '}';
    output.write(m_escaped);
}

} // namespace templating
