// The template engine core: tags, RTF markup inside tags, escaping, loops and errors.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <system_error>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace templating;

namespace {

struct EngineRun
{
    ScratchFolder folder;
    ScriptedReporter reporter;
    std::optional<ParsedTemplate> parsed;

    // Processes `templateBytes` saved under `name`; returns the output's bytes. The parsed
    // template is kept for a look at its pieces.
    std::string process(const std::string& templateBytes, const std::string& name = "t.rtf")
    {
        writeFile(folder.file(name), templateBytes);
        reporter.processTemplate(folder.file(name), folder.file("out"));
        parsed.emplace(folder.file(name), TemplateFormat::Auto);
        return readFile(folder.file("out"));
    }
    const std::vector<Piece>& pieces() const { return parsed->pieces(); }
    std::vector<PieceKind> kinds() const
    {
        std::vector<PieceKind> result;
        for (const Piece& piece : pieces())
            result.push_back(piece.kind);
        return result;
    }
};

using K = PieceKind;

TEST(Engine, emptyTemplateGivesEmptyOutput)
{
    EngineRun run;
    EXPECT_EQ(run.process(""), "");
    ASSERT_EQ(run.pieces().size(), 1u);
    EXPECT_EQ(run.pieces()[0].length, 0);
}

TEST(Engine, tagFreeTemplateIsCopiedByteForByteInBothModes)
{
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += static_cast<char>(b);
    everyByte += "{\\rtf1 {\\b x}}";
    for (const char* name : {"t.rtf", "t.txt"}) {
        EngineRun run;
        EXPECT_EQ(run.process(everyByte, name), everyByte) << name;
    }
}

TEST(Engine, piecesCoverTheTemplate)
{
    EngineRun run;
    EXPECT_EQ(run.process("A\\{x\\}\\{y\\}B\\{z\\}"), "A<x><y>B<z>");
    EXPECT_EQ(run.kinds(), (std::vector{K::Text, K::Tag, K::Text, K::Tag, K::Text, K::Tag}));
    const auto& pieces = run.pieces();
    EXPECT_EQ(pieces[0].start, 1);
    EXPECT_EQ(pieces[0].length, 1);
    EXPECT_EQ(pieces[1].start, 2);
    EXPECT_EQ(pieces[2].length, 0); // between adjacent tags
    EXPECT_EQ(pieces[5].start, 13);
    EXPECT_EQ(pieces[5].length, 5); // a tag at the end has no text piece after it
}

struct TagCase
{
    const char* name;
    const char* templateText;
    PieceKind kind;
    const char* text;
};

TEST(Engine, classifiesTags)
{
    const TagCase cases[] = {
        {"empty", "\\{\\}", K::Tag, ""},
        {"for_without_blank", "\\{for\\}", K::Tag, "for"},
        {"blanks_kept", "\\{ name \\}", K::Tag, " name "},
        {"case_kept", "\\{Entidad\\}", K::Tag, "Entidad"},
        {"blank_before_end", "\\{ end\\}", K::Tag, " end"},
        {"end_after_for", "\\{for \\}\\{END\\}", K::For, ""},
        {"argument_trimmed", "\\{FoR  items \\}\\{end\\}", K::For, "items"},
        {"open_inside_is_plain", "\\{a\\{b\\}", K::Tag, "a\\{b"},
    };
    for (const auto& c : cases) {
        EngineRun run;
        run.process(c.templateText, "t.txt");
        ASSERT_GE(run.pieces().size(), 2u) << c.name;
        EXPECT_EQ(run.pieces()[1].kind, c.kind) << c.name;
        EXPECT_EQ(run.pieces()[1].text, c.text) << c.name;
    }
}

TEST(Engine, emptyValueWritesNothing)
{
    EngineRun run;
    run.reporter.values["x"] = "";
    EXPECT_EQ(run.process("a\\{x\\}b"), "ab");
}

// UTF-8 values reach an RTF document in code page 1252, escaped; a character the code page lacks
// as its UTF-16 code units, signed, each with "?" for readers without Unicode.
TEST(Engine, rtfValuesAreConvertedAndEscaped)
{
    const std::pair<std::string, const char*> cases[] = {
        {std::string("{a}\\b\nc\x7f\x01 ", 10), "\\{a\\}\\\\b\\'0Ac\x7f\\'01 "},
        {"a\xC3\xB1o \xC3\xA9", "a\\'F1o \\'E9"},
        {"\xE2\x82\xAC \xE2\x80\x93 \xE2\x80\x9Cx\xE2\x80\x9D \xC5\x92",
         "\\'80 \\'96 \\'93x\\'94 \\'8C"},
        // Characters the code page lacks: Greek, Polish, CJK, a C1 control, the code units from
        // 0x8000 on written negative, and beyond U+FFFF a surrogate pair.
        {"\xCE\x94\xCE\xAE\xCE\xBC\xCE\xBF\xCF\x82", "\\u916?\\u942?\\u956?\\u959?\\u962?"},
        {"\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         "\\u321?\\'F3d\\u378?"},
        {"\xE4\xB8\xAD\xC2\x81", "\\u20013?\\u129?"},
        {"\xE7\xBF\xBF\xE8\x80\x80\xEA\xB0\x80\xEF\xBF\xBD", "\\u32767?\\u-32768?\\u-21504?\\u-3?"},
        {"\xF0\x9F\x98\x80|\xF4\x8F\xBF\xBF", "\\u-10179?\\u-8704?|\\u-9217?\\u-8193?"},
        // Malformed: a lone byte, a cut sequence, an overlong "{", a surrogate.
        {"\xF1|\xE2\x82|\xC1\xBB|\xED\xA0\x80", "?|??|??|???"},
    };
    for (const auto& [value, expected] : cases) {
        EngineRun run;
        run.reporter.values["v"] = value;
        EXPECT_EQ(run.process("\\{v\\}"), expected) << value;
    }
}

TEST(Engine, textValuesPassUnchanged)
{
    EngineRun run;
    run.reporter.values["v"] = "{a}\\b\n\xf1";
    EXPECT_EQ(run.process("\\{v\\}", "t.txt"), "{a}\\b\n\xf1");
}

TEST(Engine, markupInsideATagMovesBehindIt)
{
    struct
    {
        const char* name;
        const char* templateText;
        const char* expected;
    } const cases[] = {
        {"bold_group", "{x \\{Enti{\\b dad}\\} y}", "{x VALUE{\\b } y}"},
        {"revision_group", "\\{Enti{\\revauth1 dad}\\}.", "VALUE{\\revauth1 }."},
        {"control_words_and_line_breaks", "\\{}{\\loch\\b\\loch\nEntidad}{\\loch\n\\}!",
         "VALUE}{\\loch\\b\\loch\n}{\\loch\n!"},
    };
    for (const auto& c : cases) {
        EngineRun run;
        run.reporter.values["Entidad"] = "VALUE";
        EXPECT_EQ(run.process(c.templateText), c.expected) << c.name;
        EXPECT_EQ(run.reporter.asked, std::vector<std::string>{"Entidad"}) << c.name;
    }
}

TEST(Engine, textModeKeepsMarkupInTheTag)
{
    EngineRun run;
    run.process("\\{Enti{\\b dad}\\}", "plantilla.txt");
    EXPECT_EQ(run.reporter.asked, std::vector<std::string>{"Enti{\\b dad}"});
}

// Tag texts and loop arguments reach the engine in UTF-8: an RTF template's are converted from
// its code page, escaped or not; a text template's pass as they are.
TEST(Engine, tagTextsAreUtf8)
{
    const TagCase cases[] = {
        {"rtf_hex_escape", "[\\{a\\'f1o\\}]", K::Tag, "a\xC3\xB1o"},
        {"rtf_escape_in_markup", "[\\{a\\'F1{\\b o}\\}]", K::Tag, "a\xC3\xB1o"},
        {"rtf_byte", "[\\{\x80 \x81\\}]", K::Tag, "\xE2\x82\xAC ?"},
        {"rtf_loop_argument", "\\{for a\\'f1os\\}\\{end\\}", K::For, "a\xC3\xB1os"},
        {"text_bytes_kept", "[\\{a\xC3\xB1o \xf1\\}]", K::Tag, "a\xC3\xB1o \xf1"},
    };
    for (const auto& c : cases) {
        EngineRun run;
        run.process(c.templateText,
                    std::string_view(c.name).starts_with("rtf") ? "t.rtf" : "t.txt");
        ASSERT_GE(run.pieces().size(), 2u) << c.name;
        EXPECT_EQ(run.pieces()[1].kind, c.kind) << c.name;
        EXPECT_EQ(run.pieces()[1].text, c.text) << c.name;
        if (c.kind == K::Tag) {
            EXPECT_EQ(run.reporter.asked, std::vector<std::string>{c.text}) << c.name;
        }
    }
}

TEST(Engine, formatIsDetectedFromTheLastFourCharacters)
{
    const std::pair<const char*, bool> names[] = {
        {"a.rtf", true},   {"a.RTF", true}, {"a.Doc", true},  {".rtf", true},
        {"a.rtfx", false}, {"rtf", false},  {"a.txt", false}, {"a", false},
    };
    for (const auto& [name, rtf] : names) {
        EngineRun run;
        run.reporter.values["v"] = "{";
        EXPECT_EQ(run.process("\\{v\\}", name), rtf ? "\\{" : "{") << name;
    }
}

// A format given for one fill holds for that fill only.
TEST(Engine, givenFormatOverridesTheName)
{
    EngineRun run;
    run.reporter.values["v"] = "{";
    writeFile(run.folder.file("t.rtf"), "\\{v\\}");
    run.reporter.processTemplate(run.folder.file("t.rtf"), run.folder.file("out"),
                                 TemplateFormat::Text);
    EXPECT_EQ(readFile(run.folder.file("out")), "{");
    run.reporter.processTemplate(run.folder.file("t.rtf"), run.folder.file("out"));
    EXPECT_EQ(readFile(run.folder.file("out")), "\\{");
}

// A picture becomes an RTF picture group: its size in pixels and in twips at its resolution, then
// its bytes in hexadecimal, 64 to a line; in a loop, once per pass. A text report cannot hold
// one, nor can RTF size one without a resolution, or beyond its numbers: the fill fails.
TEST(Engine, picturesBecomeRtfPictureGroups)
{
    const std::string at96 = "{\\pict\\pngblip\\picw300\\pich150\\picwgoal4500\\pichgoal2250\n";
    const struct
    {
        const char* name;
        Picture picture;
        const char* templateName;
        const char* templateText;
        std::string expected; // the output or the error
    } cases[] = {
        {"300_dpi",
         {std::string("\x89P\x00\xFF", 4), 300, 150, 300},
         "t.rtf",
         "a\\{p\\}b",
         "a{\\pict\\pngblip\\picw300\\pich150\\picwgoal1440\\pichgoal720\n895000FF}b"},
        {"lines_of_64_bytes",
         {std::string(129, 'U'), 300, 150, 96},
         "t.rtf",
         "\\{p\\}",
         at96 + std::string(128, '5') + "\n" + std::string(128, '5') + "\n55}"},
        {"in_a_loop",
         {"\x01", 300, 150, 96},
         "t.rtf",
         "\\{for r\\}\\{p\\}\\{t\\}\\{end\\}",
         at96 + "01}<t>" + at96 + "01}<t>"},
        {"text",
         {"\x01", 1, 1, 96},
         "t.txt",
         "\\{p\\}",
         "Tag \"p\" is a picture and can't be written into a text report."},
        {"no_resolution",
         {"\x01", 1, 1, 0},
         "t.rtf",
         "\\{p\\}",
         "Tag \"p\" is a picture without a resolution."},
        // RTF's numbers are signed 32-bit: 2147483647 at most, in pixels and in twips.
        {"largest",
         {"\x01", 2147483647, 1, 1440},
         "t.rtf",
         "\\{p\\}",
         "{\\pict\\pngblip\\picw2147483647\\pich1\\picwgoal2147483647\\pichgoal1\n01}"},
        {"too_many_pixels",
         {"\x01", 1, 2147483648, 2880},
         "t.rtf",
         "\\{p\\}",
         "Tag \"p\" is a picture too large for an RTF document."},
        // 1440 / 2881 is less than half a twip.
        {"too_small",
         {"\x01", 1, 1, 2881},
         "t.rtf",
         "\\{p\\}",
         "Tag \"p\" is a picture too small for an RTF document."},
    };
    for (const auto& c : cases) {
        EngineRun run;
        run.reporter.pictures.emplace("p", c.picture);
        run.reporter.enterLoop = [](std::string_view) { return true; };
        int ends = 0;
        run.reporter.loopFinished = [&] { return ++ends == 2; };
        try {
            EXPECT_EQ(run.process(c.templateText, c.templateName), c.expected) << c.name;
        } catch (const DataTemplateError& e) {
            EXPECT_EQ(e.what(), c.expected) << c.name;
        }
    }
}

TEST(Engine, loopsWithoutCallbacksAreSkipped)
{
    EngineRun run;
    EXPECT_EQ(run.process("A\\{for x\\}B\\{y\\}\\{end\\}C"), "AC");
    EXPECT_TRUE(run.reporter.asked.empty());
}

TEST(Engine, loopsRepeatUntilTheEndCallbackFinishes)
{
    EngineRun run;
    std::vector<std::string> arguments;
    run.reporter.enterLoop = [&](std::string_view argument) {
        arguments.emplace_back(argument);
        return true;
    };
    int ends = 0;
    run.reporter.loopFinished = [&] { return ++ends == 3; };
    EXPECT_EQ(run.process("A\\{for rows\\}B\\{end\\}C"), "ABBBC");
    EXPECT_EQ(arguments, std::vector<std::string>{"rows"});
}

TEST(Engine, nestedLoopsPairLikeBrackets)
{
    EngineRun run;
    std::vector<int> remaining;
    run.reporter.enterLoop = [&](std::string_view argument) {
        remaining.push_back(argument == "outer" ? 2 : 3);
        return true;
    };
    run.reporter.loopFinished = [&] {
        const bool finished = --remaining.back() == 0;
        if (finished)
            remaining.pop_back();
        return finished;
    };
    EXPECT_EQ(run.process("\\{for outer\\}(\\{for inner\\}i\\{end\\})\\{end\\}."), "(iii)(iii).");
    const auto& pieces = run.pieces();
    EXPECT_EQ(pieces[1].partner, 7);
    EXPECT_EQ(pieces[3].partner, 5);
    EXPECT_EQ(pieces[5].partner, 3);
}

struct ErrorCase
{
    const char* name;
    const char* templateText;
    const char* message;
};

TEST(Engine, structureErrorsInTheirOrderOfPrecedence)
{
    const char* bracket = "Can't find a closing bracket \"}\". Check template!";
    const char* noStart = "There is not corresponding {for} tag for a founded {end} tag.\rCheck "
                          "template!";
    const char* noEnd = "Can't find a closing {end} for a {for} tag.\rCheck template!";
    const ErrorCase cases[] = {
        {"unclosed_tag", "a\\{b", bracket},
        {"unclosed_after_loop_errors", "\\{end\\}\\{for x\\}\\{b", bracket},
        {"lone_end", "a\\{end\\}", noStart},
        {"lone_for", "\\{for x\\}a", noEnd},
        {"end_before_for", "\\{end\\}\\{for x\\}", noStart},
        {"missing_start_before_missing_end", "\\{for a\\}\\{for b\\}\\{end\\}\\{end\\}\\{end\\}",
         noStart},
        {"unclosed_outer", "\\{for a\\}\\{for b\\}\\{end\\}", noEnd},
    };
    for (const auto& c : cases) {
        EngineRun run;
        try {
            run.process(c.templateText);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const TemplateError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.name;
        }
        EXPECT_EQ(run.folder.fileCount(), 1u) << c.name << ": only the template";
    }
}

TEST(Engine, deeplyNestedLoopsAreRefusedBeforeTheStackRunsOut)
{
    std::string nested;
    for (int i = 0; i < 1001; ++i)
        nested = "\\{for x\\}" + nested + "\\{end\\}";
    EngineRun run;
    EXPECT_THROW(run.process(nested), TemplateError);
    nested = nested.substr(9, nested.size() - 9 - 7);
    EXPECT_EQ(run.process(nested), "");
}

TEST(Engine, missingTemplateIsAFileError)
{
    EngineRun run;
    EXPECT_THROW(run.reporter.processTemplate(run.folder.file("none.rtf"), run.folder.file("o")),
                 std::system_error);
    EXPECT_EQ(run.folder.fileCount(), 0u);
}

TEST(Engine, failedReportLeavesTheEarlierOutputIntact)
{
    EngineRun run;
    run.reporter.values["x"] = "first";
    const std::string earlier = run.process("\\{x\\} and \\{y\\}");

    class FailingReporter : public ScriptedReporter
    {
    protected:
        std::string tagValue(std::string_view tag) override
        {
            if (tag == "y")
                throw std::runtime_error("no value");
            return "second";
        }
    } failing;
    EXPECT_THROW(failing.processTemplate(run.folder.file("t.rtf"), run.folder.file("out")),
                 std::runtime_error);
    EXPECT_EQ(readFile(run.folder.file("out")), earlier);
    EXPECT_EQ(run.folder.fileCount(), 2u) << "no temporary file left behind";
}

// Only a file is replaced: a link keeps leading to the new document, and a pipe is written to.
TEST(Engine, outputThroughALinkOrAPipe)
{
    EngineRun run;
    writeFile(run.folder.file("t.txt"), "\\{x\\}");
    run.reporter.values["x"] = "filled";
    std::filesystem::create_symlink("report.txt", run.folder.file("link"));
    run.reporter.processTemplate(run.folder.file("t.txt"), run.folder.file("link"));
    EXPECT_TRUE(std::filesystem::is_symlink(run.folder.file("link")));
    EXPECT_EQ(readFile(run.folder.file("report.txt")), "filled");
    run.reporter.processTemplate(run.folder.file("t.txt"), run.folder.file("link"));
    EXPECT_EQ(readFile(run.folder.file("report.txt")), "filled");

    ASSERT_EQ(mkfifo(run.folder.file("pipe").c_str(), 0600), 0);
    std::string piped;
    std::thread reader([&] { piped = readFile(run.folder.file("pipe")); });
    run.reporter.processTemplate(run.folder.file("t.txt"), run.folder.file("pipe"));
    reader.join();
    EXPECT_EQ(piped, "filled");
    EXPECT_EQ(run.folder.fileCount(), 4u) << "no temporary file left behind";
}

// A replaced output keeps its mode, through a link too, and as root its owner; a new one gets
// 0666 less the umask.
TEST(Engine, replacedOutputKeepsItsPermissions)
{
    EngineRun run;
    writeFile(run.folder.file("t.txt"), "x");
    std::filesystem::create_symlink("report", run.folder.file("link"));
    const mode_t umask = ::umask(0);
    ::umask(umask);
    const struct
    {
        std::optional<mode_t> earlier; // none: no earlier file
        const char* output;
        mode_t expected;
    } cases[] = {
        {std::nullopt, "report", 0666 & ~umask},
        {0600, "report", 0600},
        {0444, "report", 0444},
        {04750, "report", 04750},
        {0640, "link", 0640},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(run.folder.file("report"));
        if (c.earlier) {
            writeFile(run.folder.file("report"), "earlier");
            if (::geteuid() == 0) {
                ASSERT_EQ(::chown(run.folder.file("report").c_str(), 4321, 4322), 0);
            }
            ASSERT_EQ(::chmod(run.folder.file("report").c_str(), *c.earlier), 0);
        }
        run.reporter.processTemplate(run.folder.file("t.txt"), run.folder.file(c.output));
        struct stat written = {};
        ASSERT_EQ(::stat(run.folder.file("report").c_str(), &written), 0);
        EXPECT_EQ(written.st_mode & 07777, c.expected) << std::oct << c.expected;
        if (c.earlier && ::geteuid() == 0) {
            EXPECT_EQ(written.st_uid, 4321u);
            EXPECT_EQ(written.st_gid, 4322u);
        }
        EXPECT_EQ(readFile(run.folder.file("report")), "x");
    }
    EXPECT_EQ(run.folder.fileCount(), 3u) << "no temporary file left behind";
}

// The temporary file belongs to the folder it was made in: renamed mid-fill, that folder receives
// the document or, on failure, keeps nothing, and a file that took the temporary's old path stays.
TEST(Engine, outputFolderRenamedMidFill)
{
    for (const bool fails : {false, true}) {
        EngineRun run;
        const std::string reports = run.folder.file("reports"), moved = run.folder.file("moved");
        std::filesystem::create_directory(reports);
        writeFile(run.folder.file("t.txt"), "a\\{for x\\}\\{end\\}b");
        std::string temporary;
        run.reporter.enterLoop = [&](std::string_view) {
            temporary = std::filesystem::directory_iterator(reports)->path().filename();
            std::filesystem::rename(reports, moved);
            std::filesystem::create_directory(reports);
            writeFile(reports + "/" + temporary, "another file");
            if (fails)
                throw std::runtime_error("failed");
            return false;
        };
        try {
            run.reporter.processTemplate(run.folder.file("t.txt"), reports + "/out");
        } catch (const std::runtime_error&) {
            EXPECT_TRUE(fails);
        }
        EXPECT_EQ(readFile(moved + "/out"), fails ? "" : "ab");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(moved), {}), fails ? 0 : 1);
        EXPECT_EQ(readFile(reports + "/" + temporary), "another file");
    }
}

TEST(Engine, uncreatableOutputIsAFileError)
{
    EngineRun run;
    writeFile(run.folder.file("t.rtf"), "x");
    EXPECT_THROW(
        run.reporter.processTemplate(run.folder.file("t.rtf"), run.folder.file("missing/out.rtf")),
        std::system_error);
}

} // namespace
