// rtfill run as a process: values, CSV and SQLite data sources, usage and data errors.
#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <optional>
#include <thread>
#include <tuple>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A valid PNG of 2 by 1 pixels is the signature, IHDR, an optional pHYs, IDAT and IEND.
const std::string PngSignature("\x89PNG\r\n\x1A\n", 8);
const std::string Ihdr("\x00\x00\x00\x0DIHDR\x00\x00\x00\x02\x00\x00\x00\x01\x08\x00\x00\x00\x00"
                       "\xD1\x49\x20\x56",
                       25);
// 11811 pixels per metre, 300 dpi; and the same as an aspect ratio only, without a unit.
const std::string
    Phys300("\x00\x00\x00\x09pHYs\x00\x00\x2E\x23\x00\x00\x2E\x23\x01\x78\xA5\x3F\x76", 21);
const std::string PhysNoUnit("\x00\x00\x00\x09pHYs\x00\x00\x2E\x23\x00\x00\x2E\x23\x00\x0F\xA2\x0F"
                             "\xE0",
                             21);
const std::string IdatAndIend("\x00\x00\x00\x0BIDAT\x78\xDA\x63\x60\xF8\x0F\x00\x01\x02\x01\x00"
                              "\xD1\x1A\xCB\x8F\x00\x00\x00\x00IEND\xAE\x42\x60\x82",
                              35);

std::string bigEndian(std::uint32_t value)
{
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

// A PNG chunk: the data's length, the type, the data and the CRC-32 of type and data.
std::string pngChunk(const std::string& type, const std::string& data)
{
    std::uint32_t crc = 0xFFFFFFFF;
    for (const char c : type + data) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc >> 1 ^ ((crc & 1) != 0 ? 0xEDB88320 : 0);
    }
    return bigEndian(static_cast<std::uint32_t>(data.size())) + type + data + bigEndian(~crc);
}

// A greyscale picture's header, and a resolution in pixels per metre.
std::string ihdr(std::uint32_t width, std::uint32_t height)
{
    return pngChunk("IHDR", bigEndian(width) + bigEndian(height) + std::string("\x08\0\0\0\0", 5));
}
std::string phys(std::uint32_t pixelsPerMetre)
{
    return pngChunk("pHYs", bigEndian(pixelsPerMetre) + bigEndian(pixelsPerMetre) + "\x01");
}

struct Result
{
    int status;
    std::string error;
    std::string output; // standard output
};

class RtfillTest : public testing::Test
{
protected:
    ScratchFolder folder;

    std::string path(const std::string& name) const { return folder.file(name); }

    static std::string quoted(const std::string& argument)
    {
        std::string q = "'";
        for (const char c : argument)
            q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    }

    Result rtfill(const std::vector<std::string>& arguments) const
    {
        // Bounded: a run that hangs fails instead of stalling the tests.
        std::string command = "timeout --foreground 30 " RTFILL;
        for (const std::string& argument : arguments)
            command += " " + quoted(argument);
        command += " 2>" + quoted(path("stderr")) + " >" + quoted(path("stdout"));
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(path("stderr")),
                readFile(path("stdout"))};
    }

    std::size_t temporaryFiles() const
    {
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(path("")))
            count += entry.path().filename().string().find(".~") != std::string::npos;
        return count;
    }

    void makeDatabase(const std::string& file, const std::string& sql) const
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
};

TEST_F(RtfillTest, valuesOnly)
{
    writeFile(path("carta.txt"), "Hola \\{nombre\\}, \\{saludo\\}.");
    const Result r = rtfill(
        {path("carta.txt"), path("out.txt"), "--value", "nombre=Ana", "--value", "saludo=a=b"});
    EXPECT_EQ(r.status, 0) << r.error;
    EXPECT_EQ(readFile(path("out.txt")), "Hola Ana, a=b.");
}

TEST_F(RtfillTest, plainLoopOverACsvFile)
{
    writeFile(path("p.csv"), "\xEF\xBB\xBFnombre,importe,nota\r\nAna,10,\r\n\"P\xC3\xA9rez, "
                             "\"\"Luis\"\"\",20,\"dos\nl\xC3\xADneas\"\r\n");
    writeFile(path("t.txt"), "\\{for p\\}\\{p.nombre\\}=\\{p.importe\\} [\\{p.nota\\}];\\{end\\}"
                             "\\{sum(p.importe)\\} \\{count(p.nota)\\}");
    Result r = rtfill({path("t.txt"), path("out.txt"), "--csv", "p=" + path("p.csv")});
    EXPECT_EQ(r.status, 0) << r.error;
    EXPECT_EQ(readFile(path("out.txt")),
              "Ana=10 [];P\xC3\xA9rez, \"Luis\"=20 [dos\nl\xC3\xADneas];30 1");

    // In RTF the UTF-8 text is written in code page 1252, escaped.
    writeFile(path("t.rtf"), "{\\rtf1 \\{for p\\}\\{p.nombre\\};\\{end\\}}");
    r = rtfill({path("t.rtf"), path("out.rtf"), "--csv", "p=" + path("p.csv")});
    EXPECT_EQ(r.status, 0) << r.error;
    EXPECT_EQ(readFile(path("out.rtf")), "{\\rtf1 Ana;P\\'E9rez, \"Luis\";}");
}

TEST_F(RtfillTest, csvShapes)
{
    writeFile(path("t.txt"), "\\{for p\\}[\\{p.a\\}|\\{p.b\\}]\\{end\\}");
    const std::pair<const char*, const char*> cases[] = {
        {"a,b\n1,2\n\n3\n", "[1|2][3|]"},                  // a blank line; a short record
        {"a,b\r1,\"x\"\"y\"\r\r\n\"\",4", "[1|x\"y][|4]"}, // CR alone ends a line too
        {"a,b\n5,", "[5|]"},                               // a comma at the very end
        {"\xEF\xBB\xBF\"a\",b\n\"6\",7\n", "[6|7]"},       // a byte-order mark, quoted numbers
    };
    for (const auto& [csv, expected] : cases) {
        writeFile(path("p.csv"), csv);
        const Result r = rtfill({path("t.txt"), path("out.txt"), "--csv", "p=" + path("p.csv")});
        EXPECT_EQ(r.status, 0) << r.error;
        EXPECT_EQ(readFile(path("out.txt")), expected) << csv;
    }
    writeFile(path("p.csv"), "a,b\n\"1\"x,2\n");
    const Result r = rtfill({path("t.txt"), path("out.txt"), "--csv", "p=" + path("p.csv")});
    EXPECT_EQ(r.error, "rtfill: " + path("p.csv") + ": line 2: text after a quoted field\n");
}

// "-" reads the template from standard input and writes the document to standard output, as in
// a shell pipeline: a pipe or a file, written to where it stands, never a file named "-".
TEST_F(RtfillTest, standardInputAndOutput)
{
    writeFile(path("t.txt"), "Hola \\{nombre\\}.");
    const std::string rtfill = std::string(RTFILL) + " ";
    const struct
    {
        const char* name;
        std::string command;
        const char* output; // in "out"; nothing for a failure
    } cases[] = {
        {"pipes", "cat t.txt | " + rtfill + "- - --value nombre=Ana | cat >out", "Hola Ana."},
        {"files", rtfill + "- - --value nombre=Ana <t.txt >out", "Hola Ana."},
        {"appended", "printf 'Antes. ' >out; " + rtfill + "- - --value nombre=Ana <t.txt >>out",
         "Antes. Hola Ana."},
        {"rtf", rtfill + "- - --format rtf --value nombre=A\xC3\xB1o <t.txt >out", "Hola A\\'F1o."},
        {"devices", "cat t.txt | " + rtfill + "/dev/stdin /dev/stdout --value nombre=Ana >out",
         "Hola Ana."},
        {"failure", rtfill + "- - <t.txt >out 2>/dev/null", nullptr},
    };
    for (const auto& c : cases) {
        const int status = std::system(("cd " + quoted(path("")) + " && " + c.command).c_str());
        EXPECT_EQ(WEXITSTATUS(status), c.output ? 0 : 1) << c.name;
        if (c.output) {
            EXPECT_EQ(readFile(path("out")), c.output) << c.name;
        }
        EXPECT_FALSE(std::filesystem::exists(path("-"))) << c.name;
    }
}

TEST_F(RtfillTest, helpAndVersionGoToStandardOutput)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--help"}, "usage: rtfill TEMPLATE OUTPUT "},
        {{"t.txt", "--help"}, "usage: rtfill TEMPLATE OUTPUT "},
        {{"--version"}, "rtfill " RTFILL_VERSION "\n"},
    };
    for (const auto& [arguments, output] : cases) {
        const Result r = rtfill(arguments);
        EXPECT_EQ(r.status, 0) << arguments[0];
        EXPECT_EQ(r.output.substr(0, output.size()), output) << arguments[0];
        EXPECT_EQ(r.error, "") << arguments[0];
    }
    EXPECT_NE(rtfill({"--help"}).output.find("\n       rtfill --help | --version\n"),
              std::string::npos);
}

// Names beyond ASCII match whatever the template's format: an RTF template's tags arrive in
// UTF-8, as the command line and the data are.
TEST_F(RtfillTest, namesBeyondAsciiMatchInRtf)
{
    writeFile(path("p.csv"), "a\xC3\xB1o,mes\n2026,enero\n");
    const std::vector<std::string> data = {"--csv", "p=" + path("p.csv"), "--value",
                                           "a\xC3\xB1o=\xE2\x82\xAC"};
    const std::pair<const char*, const char*> cases[] = {
        {"\\{a\\'f1o\\}|\\{for p\\}\\{p.a\\'f1o\\}\\{end\\}", "\\'80|2026"},
        {"\\{a\\'f1os\\}", "Can't evaluate tag \"a\xC3\xB1os\". Check template!\n"},
    };
    for (const auto& [templateText, expected] : cases) {
        writeFile(path("t.rtf"), templateText);
        std::vector<std::string> arguments = {path("t.rtf"), path("o")};
        arguments.insert(arguments.end(), data.begin(), data.end());
        const Result r = rtfill(arguments);
        EXPECT_EQ(r.status == 0 ? readFile(path("o")) : r.error, expected) << templateText;
    }
}

TEST_F(RtfillTest, csvColumnTypes)
{
    writeFile(path("d.csv"), "n,x,f,t\n1,1.5,2026-01-31,a\n-2,2,2026-02-01,1\n");
    writeFile(path("t.txt"), "\\{for d\\}\\{end\\}\\{sum(d.n)\\}|\\{sum(d.x)\\}|\\{max(d.f)\\}|"
                             "\\{sum(d.t)\\}|\\{max(d.t)\\}");
    const Result r = rtfill({path("t.txt"), path("out.txt"), "--csv", "d=" + path("d.csv")});
    EXPECT_EQ(r.status, 0) << r.error;
    // Integers and numbers are summed; dates are dates; text is never summed.
    EXPECT_EQ(readFile(path("out.txt")), "-1|3,5|01/02/26||a");
}

TEST_F(RtfillTest, groupingLoopOverASqliteQuery)
{
    makeDatabase(path("p.db"), "CREATE TABLE prestamos (tipo TEXT, importe INTEGER);"
                               "INSERT INTO prestamos VALUES ('corto', 100), ('corto', 200),"
                               "('largo', 1000), ('largo', 2000), ('largo', 4000);");
    writeFile(path("t.txt"),
              "\\{for q.tipo\\}\\{q.tipo\\}:\\{for q\\} \\{q.importe\\}\\{end\\} "
              "suma=\\{sum(q.importe)\\}"
              " media=\\{avg(q.importe)\\} n=\\{count(q.*)\\} min=\\{min(q.importe)\\}"
              " max=\\{max(q.importe)\\}\n\\{end\\}");
    const Result r = rtfill({path("t.txt"), path("out.txt"), "--sqlite", path("p.db"), "--query",
                             "q=SELECT tipo, importe FROM prestamos ORDER BY tipo, importe"});
    EXPECT_EQ(r.status, 0) << r.error;
    EXPECT_EQ(readFile(path("out.txt")),
              "corto: 100 200 suma=300 media=150 n=2 min=100 max=200\n"
              "largo: 1000 2000 4000 suma=7000 media=2333 n=3 min=1000 max=4000\n");
}

// Display patterns for numbers and dates, and CSV or SQLite text read as ISO dates; the pattern's
// text reaches an RTF template in code page 1252.
TEST_F(RtfillTest, displayPatternsAndDateFields)
{
    writeFile(path("p.csv"), "fecha,importe\n2024-03-05,1234567.891\n");
    makeDatabase(path("p.db"), "CREATE TABLE p (fecha TEXT, importe REAL);"
                               "INSERT INTO p VALUES ('2024-03-05', 1234567.891);");
    writeFile(path("t.txt"), "\\{for p\\}\\{p.fecha\\}|\\{p.importe\\}\\{end\\}");
    writeFile(path("t.rtf"), "\\{for p\\}\\{p.fecha\\}|\\{p.importe\\}\\{end\\}");
    const std::vector<std::string> csv = {"--csv", "p=" + path("p.csv")};
    const std::vector<std::string> sqlite = {"--sqlite", path("p.db"), "--query",
                                             "p=SELECT * FROM p"};
    const std::vector<std::string> formats = {
        "--date-field", "P.Fecha",
        "--display",    "p.fecha=d \"de\" mmmm \"de\" yyyy",
        "--display",    "p.importe=#,##0.00 \"\xE2\x82\xAC\""};
    const struct
    {
        std::string templateFile;
        std::vector<std::string> source;
        std::string expected;
    } cases[] = {
        {"t.txt", csv, "5 de marzo de 2024|1.234.567,89 \xE2\x82\xAC"},
        {"t.rtf", csv, "5 de marzo de 2024|1.234.567,89 \\'80"},
        {"t.txt", sqlite, "5 de marzo de 2024|1.234.567,89 \xE2\x82\xAC"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {path(c.templateFile), path("out")};
        arguments.insert(arguments.end(), c.source.begin(), c.source.end());
        arguments.insert(arguments.end(), formats.begin(), formats.end());
        const Result r = rtfill(arguments);
        EXPECT_EQ(r.status, 0) << r.error;
        EXPECT_EQ(readFile(path("out")), c.expected) << c.templateFile << " " << c.source[0];
    }
}

TEST_F(RtfillTest, fieldsThatPatternsCannotServe)
{
    writeFile(path("p.csv"), "fecha,nombre\n2024-03-05,Ana\n2024-02-30,Luis\n");
    writeFile(path("t.txt"), "x");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--date-field", "p.fecha"},
         path("p.csv") + ": record 2: \"2024-02-30\" in field fecha is not a date (YYYY-MM-DD)"},
        {{"--display", "p.nombre=0.00"},
         "--display p.nombre: the field holds text; a pattern formats numbers and dates"},
        {{"--display", "p.importe=0.00"}, "--display p.importe: the data source has no such field"},
        {{"--date-field", "p.dia"}, "--date-field p.dia: the data source has no such field"},
    };
    for (const auto& [options, message] : cases) {
        std::vector<std::string> arguments = {path("t.txt"), path("o"), "--csv",
                                              "p=" + path("p.csv")};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const Result r = rtfill(arguments);
        EXPECT_EQ(r.status, 1) << message;
        EXPECT_EQ(r.error, "rtfill: " + message + "\n");
    }
    EXPECT_FALSE(std::filesystem::exists(path("o")));
}

// --image answers a tag with a PNG picture sized at the resolution of its pHYs chunk, or at
// 96 dpi; a text report cannot hold it, and a file that is no PNG is a wrong command line.
TEST_F(RtfillTest, imagesAnswerTagsWithPictures)
{
    writeFile(path("t.rtf"), "\\{logo\\}");
    writeFile(path("t.txt"), "\\{logo\\}");
    const std::string png = PngSignature + Ihdr + IdatAndIend;
    const std::string at96 = "{\\pict\\pngblip\\picw2\\pich1\\picwgoal30\\pichgoal15";
    const std::string notPng = "rtfill: the image " + path("logo.png") + " is not a PNG file";
    const struct
    {
        std::optional<std::string> png;
        const char* templateFile;
        int status;
        std::string expected; // the first line of the output or of the error
    } cases[] = {
        {PngSignature + Ihdr + Phys300 + IdatAndIend, "t.rtf", 0,
         "{\\pict\\pngblip\\picw2\\pich1\\picwgoal10\\pichgoal5"},
        {png, "t.rtf", 0, at96},
        {PngSignature + Ihdr + PhysNoUnit + IdatAndIend, "t.rtf", 0, at96},
        {png, "t.txt", 1, "Tag \"logo\" is a picture and can't be written into a text report."},
        {std::nullopt, "t.rtf", 2, "rtfill: cannot read the image " + path("logo.png")},
        {"GIF89a", "t.rtf", 2, notPng},
        {PngSignature + Ihdr.substr(0, 20), "t.rtf", 2, notPng},
        {PngSignature + IdatAndIend, "t.rtf", 2, notPng},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(path("logo.png"));
        if (c.png)
            writeFile(path("logo.png"), *c.png);
        const Result r =
            rtfill({path(c.templateFile), path("o"), "--image", "logo=" + path("logo.png")});
        EXPECT_EQ(r.status, c.status) << c.expected;
        const std::string text = r.status == 0 ? readFile(path("o")) : r.error;
        EXPECT_EQ(text.substr(0, text.find('\n')), c.expected);
    }
}

// A PNG whose size RTF's signed 32-bit numbers cannot hold in pixels or twips, or that rounds to
// 0 twips, one cut short, and a path that is no regular file (a FIFO must not block) are wrong
// command lines that leave the output as it was.
TEST_F(RtfillTest, imagesRtfCannotHoldAreWrongCommandLines)
{
    writeFile(path("t.rtf"), "\\{logo\\}");
    ASSERT_EQ(::mkfifo(path("fifo.png").c_str(), 0600), 0);
    std::filesystem::create_directory(path("folder.png"));
    const std::string idat = IdatAndIend.substr(0, 23);
    const std::string iend = IdatAndIend.substr(23);
    const std::string image = "rtfill: the image " + path("logo.png");
    const std::string tooLarge = " dpi, is too large for an RTF document";
    const struct
    {
        const char* name;
        std::string png; // written to logo.png
        std::string file;
        std::string expected; // the first line of the output or of the error
    } cases[] = {
        {"pixels", PngSignature + ihdr(2147483648, 1) + IdatAndIend, "logo.png",
         image + ", 2147483648 by 1 pixels at 96" + tooLarge},
        // 15 twips a pixel at 96 dpi.
        {"twips", PngSignature + ihdr(143165577, 1) + IdatAndIend, "logo.png",
         image + ", 143165577 by 1 pixels at 96" + tooLarge},
        {"widest", PngSignature + ihdr(143165576, 1) + IdatAndIend, "logo.png",
         "{\\pict\\pngblip\\picw143165576\\pich1\\picwgoal2147483640\\pichgoal15"},
        // 113406 pixels per metre are 2881 dpi, where a pixel is 1440 / 2881 twips: under half.
        {"half_a_twip", PngSignature + ihdr(2, 1) + phys(113406) + IdatAndIend, "logo.png",
         image + ", 2 by 1 pixels at 2881 dpi, is too small for an RTF document"},
        {"a_twip", PngSignature + ihdr(2, 1) + phys(113405) + IdatAndIend, "logo.png",
         "{\\pict\\pngblip\\picw2\\pich1\\picwgoal1\\pichgoal1"},
        {"no_idat", PngSignature + Ihdr + iend, "logo.png",
         image + " has no image data (no IDAT chunk)"},
        {"no_iend", PngSignature + Ihdr + idat, "logo.png",
         image + " is cut short (it ends before its IEND chunk)"},
        {"cut_in_idat", PngSignature + Ihdr + idat.substr(0, 15), "logo.png",
         image + " is cut short (it ends before its IEND chunk)"},
        {"fifo", "", "fifo.png",
         "rtfill: the image " + path("fifo.png") + " is not a regular file"},
        {"folder", "", "folder.png",
         "rtfill: the image " + path("folder.png") + " is not a regular file"},
        {"device", "", "/dev/null", "rtfill: the image /dev/null is not a regular file"},
    };
    for (const auto& c : cases) {
        writeFile(path("logo.png"), c.png);
        writeFile(path("o"), "earlier");
        const std::string file = c.file[0] == '/' ? c.file : path(c.file);
        const Result r = rtfill({path("t.rtf"), path("o"), "--image", "logo=" + file});
        const bool refused = c.expected.rfind("rtfill: ", 0) == 0;
        EXPECT_EQ(r.status, refused ? 2 : 0) << c.name;
        const std::string text = refused ? r.error : readFile(path("o"));
        EXPECT_EQ(text.substr(0, text.find('\n')), c.expected) << c.name;
        if (refused) {
            EXPECT_EQ(readFile(path("o")), "earlier") << c.name;
        }
    }
}

TEST_F(RtfillTest, usageErrors)
{
    writeFile(path("t.txt"), "x");
    const std::vector<std::vector<std::string>> wrong = {
        {path("t.txt"), path("o"), "--colour"},
        {path("t.txt"), path("o"), "--value"},
        {path("t.txt"), path("o"), "--value", "sin-igual"},
        {path("t.txt"), path("o"), "--csv", "p"},
        {path("t.txt"), path("o"), "--image", "logo"},
        {path("t.txt"), path("o"), "--query", "q=SELECT 1"},
        {path("t.txt"), path("o"), "--format", "pdf"},
        {path("t.txt"), path("o"), "--display", "p.importe"},
        {path("t.txt"), path("o"), "--display", "importe=0.00"},
        {path("t.txt"), path("o"), "--date-field", "fecha"},
        {path("t.txt"), path("o"), "--csv", "p=x.csv", "--date-field", "q.fecha"},
        {path("t.txt")},
        {},
    };
    for (const auto& arguments : wrong) {
        const Result r = rtfill(arguments);
        EXPECT_EQ(r.status, 2) << r.error;
        EXPECT_EQ(r.error.rfind("rtfill: ", 0), 0u) << r.error;
        EXPECT_NE(r.error.find("usage: rtfill TEMPLATE OUTPUT"), std::string::npos) << r.error;
    }
    EXPECT_EQ(folder.fileCount(), 3u) << "nothing written but the template and the streams";
}

// The output replaces a file whole: never the template's or a data source's, whatever names lead
// to it.
TEST_F(RtfillTest, outputThatIsAnInputIsRefused)
{
    writeFile(path("t.txt"), "\\{x\\}");
    writeFile(path("d.csv"), "x\n1\n");
    makeDatabase(path("d.db"), "CREATE TABLE p (x INTEGER);");
    const std::string png = PngSignature + Ihdr + IdatAndIend;
    writeFile(path("i.png"), png);
    const std::string inputs = "\\{x\\}x\n1\n" + readFile(path("d.db")) + png;
    for (const std::string file : {"t.txt", "d.csv", "d.db", "i.png"}) {
        std::filesystem::create_hard_link(path(file), path(file + ".hard"));
        std::filesystem::create_symlink(file, path(file + ".soft"));
    }
    const std::vector<std::string> csv = {"--csv", "p=" + path("d.csv")};
    const std::vector<std::string> sqlite = {"--sqlite", path("d.db"), "--query",
                                             "p=SELECT x FROM p"};
    const std::vector<std::string> image = {"--image", "x=" + path("i.png")};
    const std::string t = "the template", c = "the CSV file " + path("d.csv"),
                      db = "the database " + path("d.db"), i = "the image " + path("i.png");
    const std::tuple<std::string, std::string, std::vector<std::string>, std::string> cases[] = {
        {"t.txt", "t.txt", {}, t},          {"t.txt", "./t.txt", {}, t},
        {"t.txt", "t.txt.hard", {}, t},     {"t.txt", "t.txt.soft", {}, t},
        {"t.txt.soft", "t.txt", {}, t},     {"t.txt", "d.csv", csv, c},
        {"t.txt", "d.csv.hard", csv, c},    {"t.txt", "d.csv.soft", csv, c},
        {"t.txt", "d.db", sqlite, db},      {"t.txt", "d.db.hard", sqlite, db},
        {"t.txt", "d.db.soft", sqlite, db}, {"t.txt", "d.db", {"--sqlite", path("d.db")}, db},
        {"t.txt", "i.png", image, i},       {"t.txt", "i.png.hard", image, i},
        {"t.txt", "i.png.soft", image, i},
    };
    for (const auto& [templateFile, output, source, name] : cases) {
        std::vector<std::string> arguments = {path(templateFile), path(output), "--value", "x=1"};
        arguments.insert(arguments.end(), source.begin(), source.end());
        const Result r = rtfill(arguments);
        EXPECT_EQ(r.status, 2) << output;
        EXPECT_EQ(r.error.substr(0, r.error.find('\n')),
                  "rtfill: the output is " + name + " itself");
        EXPECT_EQ(readFile(path("t.txt")) + readFile(path("d.csv")) + readFile(path("d.db")) +
                      readFile(path("i.png")),
                  inputs)
            << output;
    }
    EXPECT_EQ(folder.fileCount(), 14u) << "nothing written but the streams";
}

// A signal that ends rtfill mid-fill takes the temporary file with it and leaves an earlier
// output as it was; the exit status still names the signal.
TEST_F(RtfillTest, interruptedFillLeavesNoTemporaryFile)
{
    std::string rows = "n\n";
    for (int i = 0; i < 1000; ++i)
        rows += std::to_string(i) + "\n";
    writeFile(path("big.csv"), rows);
    // A billion passes: the fill still runs when the signal comes.
    writeFile(path("t.txt"), "\\{for a\\}\\{for b\\}\\{for c\\}\\{end\\}\\{end\\}\\{end\\}");
    std::vector<std::string> arguments = {RTFILL, path("t.txt"), path("out")};
    for (const char* name : {"a", "b", "c"})
        arguments.insert(arguments.end(), {"--csv", name + ("=" + path("big.csv"))});
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const std::pair<int, const char*> cases[] = {
        {SIGINT, "earlier"}, {SIGTERM, nullptr}, {SIGHUP, "earlier"}};
    for (const auto& [signal, earlier] : cases) {
        std::filesystem::remove(path("out"));
        if (earlier)
            writeFile(path("out"), earlier);
        // Default actions, none blocked, whatever the test runner was started with.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t signals;
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes, &signals);
        for (const auto& c : cases)
            sigaddset(&signals, c.first);
        posix_spawnattr_setsigdefault(&attributes, &signals);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, RTFILL, nullptr, &attributes, argv.data(), environ), 0);
        posix_spawnattr_destroy(&attributes);

        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (temporaryFiles() == 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const bool writing = temporaryFiles() != 0;
        ::kill(pid, writing ? signal : SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        const char* name = strsignal(signal);
        ASSERT_TRUE(writing) << name << ": no temporary file seen";
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << name << " " << status;
        EXPECT_EQ(temporaryFiles(), 0u) << name;
        if (earlier) {
            EXPECT_EQ(readFile(path("out")), earlier) << name;
        } else {
            EXPECT_FALSE(std::filesystem::exists(path("out"))) << name;
        }
    }
}

TEST_F(RtfillTest, unreadableDataNamesItsSource)
{
    writeFile(path("t.txt"), "x");
    Result r = rtfill({path("t.txt"), path("o"), "--csv", "p=" + path("none.csv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.error, "rtfill: cannot read the CSV file " + path("none.csv") + "\n");
    writeFile(path("bad.csv"), "a,b\n\"open,1\n");
    r = rtfill({path("t.txt"), path("o"), "--csv", "p=" + path("bad.csv")});
    EXPECT_EQ(r.error, "rtfill: " + path("bad.csv") + ": line 2: a quoted field is not closed\n");
    r = rtfill({path("t.txt"), path("o"), "--sqlite", path("none.db"), "--query", "q=SELECT 1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.error.rfind("rtfill: cannot open the database " + path("none.db") + ": ", 0), 0u)
        << r.error;
    makeDatabase(path("p.db"), "CREATE TABLE t (a INTEGER);");
    r = rtfill(
        {path("t.txt"), path("o"), "--sqlite", path("p.db"), "--query", "q=SELECT b FROM t"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.error, "rtfill: query q: no such column: b\n");
    EXPECT_FALSE(std::filesystem::exists(path("o")));
}

TEST_F(RtfillTest, engineErrorsAreReportedInTheEnginesWords)
{
    writeFile(path("t.txt"), "a \\{desconocido\\} b");
    writeFile(path("o"), "earlier");
    Result r = rtfill({path("t.txt"), path("o")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.error, "Can't evaluate tag \"desconocido\". Check template!\n");
    EXPECT_EQ(readFile(path("o")), "earlier");
    std::filesystem::remove(path("o"));
    r = rtfill({path("none.txt"), path("o")});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(path("o")));
}

// The engine parts its sentences with a carriage return, for a message box; on a terminal they
// read as sentences.
TEST_F(RtfillTest, engineMessagesReadAsSentences)
{
    writeFile(path("p.csv"), "a\n1\n");
    const std::pair<const char*, const char*> cases[] = {
        {"\\{x\\}", "Can't evaluate tag \"x\". Check template!\n"},
        {"\\{count(p.*)\\}", "Aggregate \"count(p.*)\" can't be evaluated because there is not "
                             "any cycle for dataset \"p\". Check template!\n"},
        {"\\{sum(p.a)\\}", "Can't evaluate aggregate field tag \"sum(p.a)\". Check template!\n"},
        {"\\{end\\}", "There is not corresponding {for} tag for a founded {end} tag. Check "
                      "template!\n"},
    };
    for (const auto& [templateText, message] : cases) {
        writeFile(path("t.txt"), templateText);
        EXPECT_EQ(rtfill({path("t.txt"), path("o"), "--csv", "p=" + path("p.csv")}).error, message);
    }
}

TEST_F(RtfillTest, formatOptionOverridesTheFileName)
{
    writeFile(path("t.txt"), "\\{v\\}");
    const Result r =
        rtfill({path("t.txt"), path("o"), "--format", "rtf", "--value", "v={\xC3\xB1}"});
    EXPECT_EQ(r.status, 0) << r.error;
    EXPECT_EQ(readFile(path("o")), "\\{\\'F1\\}");
}

} // namespace
