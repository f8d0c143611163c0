// TFreeReporter: fills a template file's tags and loops into an output file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A fault in the template's structure.
class TReporterException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A broken internal consistency check of the engine.
class TReporterInternalError : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

enum class TTemplateFormat : std::uint8_t
{
    tfAuto = 0,
    tfRtf = 1,
    tfText = 2
};

enum class TPieceKind : std::uint8_t
{
    pkText = 0,
    pkFor = 1,
    pkEnd = 2,
    pkTag = 3
};

// A run of the template: literal bytes, a loop start or end, or a value tag.
struct TPiece
{
    std::int32_t Start = 0;  // 1-based position of the first byte in the template
    std::int32_t Length = 0; // template bytes covered, up to the next piece
    TPieceKind Kind = TPieceKind::pkText;
    std::string Text;          // loop argument or tag text
    std::int32_t Partner = -1; // index of the matching loop start or end
};

// Asked at a loop start whether to enter the loop.
using TCycleStartEvent = std::function<void(const std::string& Argument, bool& Enter)>;
// Asked at a loop end whether the loop is finished.
using TCycleEndEvent = std::function<void(bool& Finished)>;

class TFreeReporter
{
public:
    TFreeReporter() = default;
    virtual ~TFreeReporter();
    TFreeReporter(const TFreeReporter&) = delete;
    TFreeReporter& operator=(const TFreeReporter&) = delete;

    // Writes the filled template to the output file. The output is replaced only when the
    // whole document was written; an earlier output file survives any failure.
    void ProcessTemplate(const std::string& TemplateFileName, const std::string& OutputFileName);

    // Detected from the template's name while tfAuto.
    TTemplateFormat TemplateFormat = TTemplateFormat::tfAuto;
    // Unassigned: loops are not entered.
    TCycleStartEvent OnCycleStart;
    // Unassigned: loops finish after one pass.
    TCycleEndEvent OnCycleEnd;

    // RTF for names ending in ".rtf" or ".doc" (any case), text otherwise.
    static TTemplateFormat DetectTemplateFormat(const std::string& FileName);

protected:
    // Sets Value to the replacement text of a value tag; must always assign it.
    virtual void GetTagValue(const std::string& Tag, std::string& Value) = 0;

    void LoadTemplate(const std::string& FileName);
    // Finds the next tag at or after position P; TagEnd is the position after it.
    bool FindNextTag(std::int32_t P, std::int32_t& TagStart, std::int32_t& TagEnd, TPieceKind& Kind,
                     std::string& Text);
    // Separates the typed text of a tag from the markup a word processor put inside it.
    static void SplitTagText(std::string_view Raw, std::string& Plain, std::string& Codes);
    void AddPiece(std::int32_t Start, TPieceKind Kind, std::string Text);
    void EmitPieces(std::int32_t First, std::int32_t Last);
    static std::string EscapeRtf(std::string_view Value);

    const std::string& templateText() const { return m_templateText; }
    const std::vector<TPiece>& pieces() const { return m_pieces; }

private:
    void pairLoops();
    void write(std::string_view bytes);
    void flush();
    void writeToFile(std::string_view bytes);

    std::string m_templateText;
    std::vector<TPiece> m_pieces;
    std::FILE* m_output = nullptr;
    std::string m_buffer;
};
