// ParsedTemplate: a template file split into literal runs, value tags and paired loop tags,
// ready to be filled any number of times.
#include "ParsedTemplate.h"

#include "AsciiText.h"
#include "CodePage1252.h"
#include "DigitText.h"
#include "HugePages.h"
#include "TemplateErrors.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <utility>

namespace templating {

namespace {

constexpr std::string_view OpenDelimiter = "\\{";
constexpr std::string_view CloseDelimiter = "\\}";
constexpr std::size_t MaxLoopDepth = 1000;

// The position of the first delimiter at or after `from`. Its brace is searched for: RTF holds
// far fewer braces than backslashes.
std::size_t findDelimiter(std::string_view text, std::string_view delimiter, std::size_t from)
{
    for (std::size_t at = from + 1; at < text.size(); ++at) {
        const void* brace = std::memchr(text.data() + at, delimiter[1], text.size() - at);
        if (!brace)
            break;
        at = static_cast<std::size_t>(static_cast<const char*>(brace) - text.data());
        if (text[at - 1] == delimiter[0])
            return at - 1;
    }
    return std::string_view::npos;
}

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

int hexValue(char c)
{
    return decimal::hexDigitValue(static_cast<unsigned char>(c));
}

// What the user typed inside a tag, and the markup a word processor put there.
struct SplitTag
{
    std::string plain;
    std::string codes;
};

// What the bytes inside an RTF tag hold besides ASCII text: markup that a word processor put
// there, and code page 1252 characters beyond ASCII.
constexpr unsigned char AsciiText = 0;
constexpr unsigned char Markup = 1;
constexpr unsigned char BeyondAscii = 2;

constexpr std::array<unsigned char, 256> TagByteKinds = [] {
    std::array<unsigned char, 256> kinds{};
    for (std::size_t b = 0; b < kinds.size(); ++b) {
        kinds[b] = b < ' ' || b == '\\' || b == '{' || b == '}' ? Markup
                   : b >= 0x80                                  ? BeyondAscii
                                                                : AsciiText;
    }
    return kinds;
}();

unsigned tagBytes(std::string_view raw)
{
    unsigned kinds = AsciiText;
    for (const char c : raw)
        kinds |= TagByteKinds[static_cast<unsigned char>(c)];
    return kinds;
}

SplitTag splitTagText(std::string_view raw)
{
    SplitTag split;
    std::size_t escapes = 0;
    std::size_t i = 0;
    while (i < raw.size()) {
        const char c = raw[i];
        if (static_cast<unsigned char>(c) < ' ' || c == '{' || c == '}') {
            split.codes += c;
            ++i;
        } else if (c == '\\' && i + 3 < raw.size() && raw[i + 1] == '\'' &&
                   hexValue(raw[i + 2]) >= 0 && hexValue(raw[i + 3]) >= 0) {
            split.plain += static_cast<char>(hexValue(raw[i + 2]) * 16 + hexValue(raw[i + 3]));
            ++escapes;
            i += 4;
        } else if (c == '\\') {
            // A control word ends at a blank or a line break (word processors put either),
            // a backslash or a brace.
            const std::size_t start = i++;
            while (i < raw.size() && !isBlankOrControl(raw[i]) && raw[i] != '\\' && raw[i] != '{' &&
                   raw[i] != '}')
                ++i;
            split.codes.append(raw.substr(start, i - start));
            if (i < raw.size() && raw[i] != '\\')
                split.codes += raw[i++];
        } else {
            split.plain += c;
            ++i;
        }
    }
    if (split.plain.size() + split.codes.size() + 3 * escapes != raw.size())
        throw TemplateInternalError("FreeReporter: Internal error #01");
    return split;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlankOrControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

// A tag found in the template; positions are 0-based.
struct FoundTag
{
    std::size_t open; // the "\{"
    std::size_t end;  // the first byte after the tag
    PieceKind kind;
    std::string_view text;
    bool inCodePage1252; // an RTF tag's text beyond ASCII, to be converted
};

// The next tag at or after `from`. In RTF, markup inside the tag moves behind it in place: the
// typed text, "\}", blanks for the bytes that hex escapes saved, then the markup, which thus
// begins the following text piece.
std::optional<FoundTag> findNextTag(char* bytes, std::size_t size, std::size_t from,
                                    TemplateFormat format)
{
    const std::string_view text(bytes, size);
    const std::size_t open = findDelimiter(text, OpenDelimiter, from);
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::size_t typed = open + OpenDelimiter.size();
    const std::size_t close = findDelimiter(text, CloseDelimiter, typed);
    if (close == std::string_view::npos)
        throw TemplateError("Can't find a closing bracket \"}\". Check template!");

    std::string_view plain = text.substr(typed, close - typed);
    std::size_t end = close + CloseDelimiter.size();
    unsigned kinds = format == TemplateFormat::Rtf ? tagBytes(plain) : AsciiText;
    if (kinds & Markup) {
        const SplitTag split = splitTagText(plain);
        const std::size_t unused = plain.size() - split.plain.size() - split.codes.size();
        char* at = bytes + typed;
        at = std::copy(split.plain.begin(), split.plain.end(), at);
        if (!split.codes.empty()) {
            at = std::copy(CloseDelimiter.begin(), CloseDelimiter.end(), at);
            at = std::fill_n(at, unused, ' ');
            end = static_cast<std::size_t>(at - bytes);
            std::copy(split.codes.begin(), split.codes.end(), at);
        }
        plain = text.substr(typed, split.plain.size());
        kinds = tagBytes(plain);
    }
    const bool inCodePage1252 = (kinds & BeyondAscii) != 0;

    if (equalsAsciiNoCase(plain.substr(0, 4), "for "))
        return FoundTag{open, end, PieceKind::For, trimmed(plain.substr(4)), inCodePage1252};
    if (equalsAsciiNoCase(plain, "end"))
        return FoundTag{open, end, PieceKind::End, {}, false};
    return FoundTag{open, end, PieceKind::Tag, plain, inCodePage1252};
}

TemplateFormat detectTemplateFormat(const std::string& path)
{
    const std::string_view name(path);
    const std::string_view extension = name.substr(name.size() < 4 ? 0 : name.size() - 4);
    return equalsAsciiNoCase(extension, ".rtf") || equalsAsciiNoCase(extension, ".doc")
               ? TemplateFormat::Rtf
               : TemplateFormat::Text;
}

} // namespace

ParsedTemplate::ParsedTemplate(const std::string& path, TemplateFormat format)
    : ParsedTemplate(MappedFile(path),
                     format == TemplateFormat::Auto ? detectTemplateFormat(path) : format)
{
}

ParsedTemplate::ParsedTemplate(MappedFile file, TemplateFormat format)
    : m_file(std::move(file)),
      m_format(format == TemplateFormat::Auto ? TemplateFormat::Text : format)
{
    scan();
    pairLoops();
}

void ParsedTemplate::scan()
{
    const std::string_view text = m_file.bytes();
    // Two pieces a tag at most: one allocation instead of repeated growth.
    std::size_t tags = 0;
    for (std::size_t at = findDelimiter(text, OpenDelimiter, 0); at != std::string_view::npos;
         at = findDelimiter(text, OpenDelimiter, at + OpenDelimiter.size()))
        ++tags;
    m_pieces.reserve(2 * tags + 1);
    adviseHugePages(m_pieces.data(), m_pieces.capacity() * sizeof(Piece));

    const auto position = [](std::size_t at) { return static_cast<std::int32_t>(at) + 1; };
    m_pieces.push_back({1, 0, PieceKind::Text, -1, {}});
    for (std::size_t from = 0; from < text.size();) {
        const std::optional<FoundTag> tag = findNextTag(m_file.data(), text.size(), from, m_format);
        if (!tag)
            break;
        std::string_view tagText = tag->text;
        if (tag->inCodePage1252)
            tagText = m_convertedTexts.emplace_back(codePage1252ToUtf8(tagText));
        m_pieces.push_back({position(tag->open), 0, tag->kind, -1, tagText});
        if (tag->end < text.size())
            m_pieces.push_back({position(tag->end), 0, PieceKind::Text, -1, {}});
        from = tag->end;
    }
}

void ParsedTemplate::pairLoops()
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
            m_pieces[static_cast<std::size_t>(open.back())].partner = static_cast<std::int32_t>(i);
            open.pop_back();
        }
    }
    if (!open.empty())
        throw TemplateError("Can't find a closing {end} for a {for} tag.\rCheck template!");
    const auto end = static_cast<std::int32_t>(m_file.size()) + 1;
    for (std::size_t i = 0; i < m_pieces.size(); ++i) {
        const std::int32_t next = i + 1 < m_pieces.size() ? m_pieces[i + 1].start : end;
        m_pieces[i].length = next - m_pieces[i].start;
    }
}

} // namespace templating
