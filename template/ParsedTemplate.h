// ParsedTemplate: a template file split into literal runs, value tags and paired loop tags,
// ready to be filled any number of times.
#pragma once

#include "MappedFile.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace templating {

enum class TemplateFormat : std::uint8_t
{
    Auto = 0,
    Rtf = 1,
    Text = 2
};

enum class PieceKind : std::uint8_t
{
    Text = 0,
    For = 1,
    End = 2,
    Tag = 3
};

// A run of the template: literal bytes, a loop start or end, or a value tag.
struct Piece
{
    std::int32_t start = 0;  // 1-based position of the first byte in the template
    std::int32_t length = 0; // template bytes covered, up to the next piece
    PieceKind kind = PieceKind::Text;
    std::int32_t partner = -1; // index of the matching loop start or end
    // The loop argument or tag text in UTF-8: within the template's bytes, or converted from
    // an RTF template's code page when it holds a byte beyond ASCII.
    std::string_view text;
};

class ParsedTemplate
{
public:
    // Reads and scans the template; throws TemplateError for a malformed one. In RTF, markup
    // that a word processor put inside a tag is moved behind it, in the bytes held here. Auto
    // means RTF for names ending in ".rtf" or ".doc" (any case), text otherwise.
    ParsedTemplate(const std::string& path, TemplateFormat format);
    // The same for a template already read (standard input, say); Auto is text.
    ParsedTemplate(MappedFile file, TemplateFormat format);

    TemplateFormat format() const { return m_format; }
    const std::vector<Piece>& pieces() const { return m_pieces; }
    // The template's bytes that a piece covers.
    std::string_view bytes(const Piece& piece) const
    {
        return m_file.bytes().substr(static_cast<std::size_t>(piece.start - 1),
                                     static_cast<std::size_t>(piece.length));
    }

private:
    void scan();
    void pairLoops();

    MappedFile m_file;
    TemplateFormat m_format;
    std::vector<Piece> m_pieces;
    std::deque<std::string> m_convertedTexts; // where pieces' converted texts live
};

} // namespace templating
