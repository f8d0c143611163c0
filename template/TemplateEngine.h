// TemplateEngine: fills a template's tags and loops into an output file, asking a subclass for
// the values of tags and whether to enter and repeat loops.
#pragma once

#include "ParsedTemplate.h"
#include "Picture.h"
#include "TemplateErrors.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace templating {

class OutputFile;

class TemplateEngine
{
public:
    TemplateEngine() = default;
    virtual ~TemplateEngine();
    TemplateEngine(const TemplateEngine&) = delete;
    TemplateEngine& operator=(const TemplateEngine&) = delete;

    // Writes the filled template to the output file. The output is replaced only when the
    // whole document was written; an earlier output file survives any failure. The format is
    // detected from the template's name while Auto.
    void processTemplate(const std::string& templatePath, const std::string& outputPath,
                         TemplateFormat format = TemplateFormat::Auto);
    // Fills a template parsed once, as often as wanted, as processTemplate does.
    void fill(const ParsedTemplate& parsed, const std::string& outputPath);
    // The same into an output the caller opened (standard output, say), committed at the end.
    void fill(const ParsedTemplate& parsed, OutputFile& output);

protected:
    // Called before each fill; nothing by default.
    virtual void startFill();
    // The replacement text of a value tag. Tags, loop arguments and values are UTF-8: an RTF
    // template's are converted from and to its code page, a value's characters beyond the code
    // page written as Unicode escapes.
    virtual std::string tagValue(std::string_view tag) = 0;
    // A picture in place of a value tag's text, asked before tagValue; nothing by default. Only
    // an RTF template takes one: in a text template the fill fails.
    virtual std::optional<Picture> tagPicture(std::string_view tag);
    // Whether to enter a loop at its start tag; by default loops are not entered.
    virtual bool startLoop(std::string_view argument);
    // Whether the innermost loop is finished at its end tag; by default after one pass.
    virtual bool endLoop();

private:
    void emitPieces(const ParsedTemplate& parsed, std::int32_t first, std::int32_t last,
                    OutputFile& output);
    void writeValue(std::string_view value, TemplateFormat format, OutputFile& output);
    void writePicture(std::string_view tag, const Picture& picture, TemplateFormat format,
                      OutputFile& output);

    std::string m_escaped; // reused for each escaped value or picture
};

} // namespace templating
