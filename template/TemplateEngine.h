// TemplateEngine: fills a template file's tags and loops into an output file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace templating {

// A fault in the template's structure.
class TemplateError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A broken internal consistency check of the engine.
class TemplateInternalError : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

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
    std::string text;          // loop argument or tag text
    std::int32_t partner = -1; // index of the matching loop start or end
};

// Asked at a loop start whether to enter the loop.
using LoopStartHook = std::function<void(const std::string& argument, bool& enter)>;
// Asked at a loop end whether the loop is finished.
using LoopEndHook = std::function<void(bool& finished)>;

class TemplateEngine
{
public:
    TemplateEngine() = default;
    virtual ~TemplateEngine();
    TemplateEngine(const TemplateEngine&) = delete;
    TemplateEngine& operator=(const TemplateEngine&) = delete;

    // Writes the filled template to the output file. The output is replaced only when the
    // whole document was written; an earlier output file survives any failure.
    void processTemplate(const std::string& templatePath, const std::string& outputPath);

    // Detected from the template's name while Auto.
    TemplateFormat templateFormat = TemplateFormat::Auto;
    // Unassigned: loops are not entered.
    LoopStartHook onLoopStart;
    // Unassigned: loops finish after one pass.
    LoopEndHook onLoopEnd;

    // RTF for names ending in ".rtf" or ".doc" (any case), text otherwise.
    static TemplateFormat detectTemplateFormat(const std::string& path);

protected:
    // Sets `value` to the replacement text of a value tag; must always assign it.
    virtual void tagValue(const std::string& tag, std::string& value) = 0;

    void loadTemplate(const std::string& path);
    // Finds the next tag at or after position P; tagEnd is the position after it.
    bool findNextTag(std::int32_t p, std::int32_t& tagStart, std::int32_t& tagEnd, PieceKind& kind,
                     std::string& text);
    // Separates the typed text of a tag from the markup a word processor put inside it.
    static void splitTagText(std::string_view raw, std::string& plain, std::string& codes);
    void addPiece(std::int32_t start, PieceKind kind, std::string text);
    void emitPieces(std::int32_t first, std::int32_t last);
    static std::string escapeRtf(std::string_view value);

    const std::string& templateText() const { return m_templateText; }
    const std::vector<Piece>& pieces() const { return m_pieces; }

private:
    void pairLoops();
    void write(std::string_view bytes);
    void flush();
    void writeToFile(std::string_view bytes);

    std::string m_templateText;
    std::vector<Piece> m_pieces;
    std::FILE* m_output = nullptr;
    std::string m_buffer;
};

} // namespace templating
