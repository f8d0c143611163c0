// The data-driven engine: tag resolution, loops over data sources, aggregates and formats.
#include "DataTemplateEngine.h"

#include "DatePatterns.h"
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <optional>

using namespace templating;

namespace {

// Answers the tags left to it as "[tag]", nothing for "unknown", unless a test gives its own
// answers; records what it was asked.
class TestReporter : public DataTemplateEngine
{
public:
    TestReporter() { setFormatSettings(spanish()); }

    std::vector<std::string> asked;
    std::function<std::optional<std::string>(std::string_view tag)> answer =
        [](std::string_view tag) -> std::optional<std::string> {
        if (tag == "unknown")
            return std::nullopt;
        return "[" + std::string(tag) + "]";
    };

protected:
    std::optional<std::string> customTagValue(std::string_view tag) override
    {
        asked.emplace_back(tag);
        return answer ? answer(tag) : DataTemplateEngine::customTagValue(tag);
    }
};

struct DbRun
{
    ScratchFolder folder;
    TestReporter reporter;

    std::string process(const std::string& text, const std::string& name = "t.txt")
    {
        writeFile(folder.file(name), text);
        reporter.processTemplate(folder.file(name), folder.file("out"));
        return readFile(folder.file("out"));
    }
    std::string error(const std::string& text, const std::string& name = "t.txt")
    {
        try {
            process(text, name);
        } catch (const DataTemplateError& e) {
            return e.what();
        }
        return "no error";
    }
};

// Sales: group, integer amount, price, date, a memo, and a field that is partly null.
std::unique_ptr<MemoryDataSet> sales()
{
    auto data = std::make_unique<MemoryDataSet>("Ventas");
    data->addField("grupo", FieldType::String);
    data->addField("importe", FieldType::Integer);
    data->addField("precio", FieldType::Float);
    data->addField("fecha", FieldType::Date);
    data->addField("nota", FieldType::Memo);
    data->addField("parcial", FieldType::Integer);
    const char* groups = "AABBBA";
    for (int i = 0; i < 6; ++i) {
        data->appendRow({Variant::fromText(std::string(1, groups[i])), Variant::fromInteger(i + 1),
                         Variant::fromFloat(i + 1.5L),
                         Variant::fromDateTime(encodeDate(2026, 1, i + 1)), Variant::fromText("n"),
                         i < 2 ? Variant::null() : Variant::fromInteger(10 * i)});
    }
    return data;
}

TEST(DbEngine, withoutDataSourcesEveryTagGoesToTheCallback)
{
    DbRun run;
    EXPECT_EQ(run.process("\\{version\\}\\{DATE\\}\\{\\}\\{a.b\\}"), "[version][DATE][][a.b]");
    EXPECT_EQ(run.reporter.asked, (std::vector<std::string>{"version", "DATE", "", "a.b"}));
}

TEST(DbEngine, withoutACallbackTheFirstTagFails)
{
    DbRun run;
    run.reporter.answer = nullptr;
    EXPECT_EQ(run.error("x\\{Entidad\\}"), "Can't evaluate tag \"Entidad\".\rCheck template!");
    EXPECT_EQ(run.error("\\{unknown\\}"), "Can't evaluate tag \"unknown\".\rCheck template!");
}

TEST(DbEngine, builtInNamesAnswerWhenADataSourceIsRegistered)
{
    DbRun run;
    auto data = sales();
    run.reporter.dataSets.push_back(data.get());
    const std::string out = run.process("\\{VERSION\\}|\\{date\\}|\\{Time\\}|\\{now\\}");
    // "9" stands for any digit; "now" leaves out a time of exactly midnight.
    const auto shaped = [](const std::string& text, const std::string& shape) {
        return text.size() == shape.size() &&
               std::equal(text.begin(), text.end(), shape.begin(), [](char t, char s) {
                   return s == '9' ? std::isdigit(static_cast<unsigned char>(t)) != 0 : t == s;
               });
    };
    EXPECT_TRUE(shaped(out, "1.0.2|99/99/9999|99:99:99|99/99/9999 99:99:99") ||
                shaped(out, "1.0.2|99/99/9999|99:99:99|99/99/9999"))
        << out;
    EXPECT_TRUE(run.reporter.asked.empty());
}

TEST(DbEngine, dottedTagsNameDataSources)
{
    DbRun run;
    auto data = sales();
    run.reporter.dataSets.push_back(data.get());
    EXPECT_EQ(run.error("\\{Hola. Adios\\}"), "Can't find dataset \"Hola\".\rCheck template!");
    EXPECT_EQ(run.error("\\{suma(ventas.importe)\\}"),
              "Can't find dataset \"suma(ventas\".\rCheck template!");
    EXPECT_EQ(run.process("\\{VENTAS.grupo\\}\\{ventas.nada\\}"), "A[ventas.nada]");
    data->setActive(false);
    EXPECT_EQ(run.error("\\{ventas.grupo\\}"),
              "Can't retrieve data from closed dataset \"Ventas\"");
}

TEST(DbEngine, plainLoopsWriteEachRecordAndRestart)
{
    DbRun run;
    auto data = sales();
    run.reporter.dataSets.push_back(data.get());
    EXPECT_EQ(run.process("\\{for ventas\\}\\{ventas.importe\\},\\{end\\} n=\\{count(ventas.*)\\}"
                          " \\{for ventas\\}\\{ventas.grupo\\}\\{end\\}"),
              "1,2,3,4,5,6, n=6 AABBBA");
}

// A fill that failed inside a loop leaves nothing behind for the next one.
TEST(DbEngine, aParsedTemplateFillsAgainFromScratch)
{
    DbRun run;
    auto data = sales();
    run.reporter.dataSets.push_back(data.get());
    writeFile(run.folder.file("t.txt"), "\\{for ventas\\}\\{ventas.importe\\}\\{x\\}\\{end\\}");
    const ParsedTemplate parsed(run.folder.file("t.txt"), TemplateFormat::Text);
    int asked = 0;
    run.reporter.answer = [&](std::string_view) -> std::optional<std::string> {
        if (++asked == 3)
            throw std::runtime_error("no value");
        return "";
    };
    EXPECT_THROW(run.reporter.fill(parsed, run.folder.file("out.txt")), std::runtime_error);
    run.reporter.fill(parsed, run.folder.file("out.txt"));
    EXPECT_EQ(readFile(run.folder.file("out.txt")), "123456");
}

// What the engine hands out and what it is handed are UTF-8, whatever the template's format.
TEST(DbEngine, utf8InAndOutOfAnRtfTemplate)
{
    MemoryDataSet data("d");
    data.addField("a\xC3\xB1o", FieldType::String);
    data.appendRow({Variant::fromText("caf\xC3\xA9")});
    const struct
    {
        const char* templateText;
        const char* output; // or the error
    } cases[] = {
        {"\\{d.a\\'f1o\\} \\{d.A\xf1O\\} \\{\\'e9\\}", "caf\\'E9 caf\\'E9 \\'E9"},
        {"\\{for d.a\\'f1o\\}\\{count(d.a\\'f1o)\\}\\{end\\}", "1"},
        {"\\{a\\'f1o\\}", "Can't evaluate tag \"a\xC3\xB1o\".\rCheck template!"},
        {"\\{for a\\'f1o\\}\\{end\\}", "Can't find dataset \"a\xC3\xB1o\".\rCheck template!"},
        {"\\{for d.\\'f1\\}\\{end\\}", "Can't find dataset field \"d.\xC3\xB1\".\rCheck template!"},
    };
    for (const auto& c : cases) {
        DbRun run;
        run.reporter.dataSets.push_back(&data);
        run.reporter.answer = [](std::string_view tag) -> std::optional<std::string> {
            if (tag == "\xC3\xA9")
                return std::string(tag);
            return std::nullopt;
        };
        std::string output;
        try {
            output = run.process(c.templateText, "t.rtf");
        } catch (const DataTemplateError& e) {
            output = e.what();
        }
        EXPECT_EQ(output, c.output) << c.templateText;
    }
}

TEST(DbEngine, recordCountOfEveryFunctionOnStar)
{
    DbRun run;
    auto data = sales();
    run.reporter.dataSets.push_back(data.get());
    EXPECT_EQ(run.process("\\{for ventas\\}\\{end\\}\\{sum(ventas.*)\\}\\{avg(ventas.*)\\}"
                          "\\{COUNT(Ventas.*)\\}\\{min(ventas.*)\\}\\{max(ventas.*)\\}"),
              "66666");
}

TEST(DbEngine, groupingLoopWithAnInnerPlainLoop)
{
    DbRun run;
    auto data = sales();
    run.reporter.dataSets.push_back(data.get());
    const std::string out =
        run.process("\\{for ventas.grupo\\}\\{ventas.grupo\\}<\\{sum(ventas.importe)\\}>:"
                    "\\{for ventas\\}\\{ventas.importe\\}=\\{sum(ventas.importe)\\} \\{end\\}"
                    "total \\{sum(ventas.importe)\\};\\{end\\}");
    // Before the inner loop: the running total of every record the grouping loop reached.
    // Inside: the running total of the group. After it: the group's total.
    EXPECT_EQ(out, "A<1>:1=1 2=3 total 3;B<6>:3=3 4=7 5=12 total 12;A<21>:6=6 total 6;");
}

TEST(DbEngine, aggregatesOfEveryKind)
{
    DbRun run;
    auto data = sales();
    run.reporter.dataSets.push_back(data.get());
    EXPECT_EQ(run.process("\\{for ventas\\}\\{end\\}"
                          "\\{sum(ventas.importe)\\}|\\{avg(ventas.importe)\\}|"
                          "\\{count(ventas.parcial)\\}|\\{count(ventas.*)\\}|"
                          "\\{min(ventas.parcial)\\}|\\{max(ventas.parcial)\\}|"
                          "\\{avg(ventas.precio)\\}|\\{min(ventas.grupo)\\}|"
                          "\\{max(ventas.grupo)\\}|\\{sum(ventas.grupo)\\}"),
              "21|3|4|6|20|50|4|A|B|");
}

TEST(DbEngine, averagesOfIntegersDivideAsIntegers)
{
    DbRun run;
    MemoryDataSet data("d");
    data.addField("i", FieldType::Integer);
    data.addField("f", FieldType::Float);
    data.addField("n", FieldType::Integer);
    data.appendRow({Variant::fromInteger(1), Variant::fromFloat(1), Variant::null()});
    data.appendRow({Variant::fromInteger(2), Variant::fromFloat(2), Variant::null()});
    run.reporter.dataSets.push_back(&data);
    EXPECT_EQ(run.process("\\{for d\\}\\{end\\}\\{avg(d.i)\\} \\{avg(d.f)\\} [\\{avg(d.n)\\}] "
                          "\\{count(d.n)\\} \\{count(d.*)\\}"),
              "1 1,5 [] 0 2");
}

TEST(DbEngine, loopAndAggregateErrors)
{
    DbRun run;
    auto data = sales();
    MemoryDataSet empty("vacio");
    empty.addField("x", FieldType::Integer);
    run.reporter.dataSets = {data.get(), &empty};
    EXPECT_EQ(run.error("\\{count(ventas.*)\\}"),
              "Aggregate \"count(ventas.*)\" can't be evaluated because\rthere is not any cycle "
              "for dataset \"Ventas\".\rCheck template!");
    EXPECT_EQ(run.error("\\{for vacio\\}x\\{end\\}\\{count(vacio.*)\\}"),
              "Aggregate \"count(vacio.*)\" can't be evaluated because\rthere is not any cycle "
              "for dataset \"vacio\".\rCheck template!");
    EXPECT_EQ(run.error("\\{for ventas\\}\\{end\\}\\{sum(ventas.nota)\\}"),
              "Can't evaluate aggregate field tag \"sum(ventas.nota)\"\rCheck template!");
    EXPECT_EQ(run.error("\\{for nadie\\}\\{end\\}"),
              "Can't find dataset \"nadie\".\rCheck template!");
    EXPECT_EQ(run.error("\\{for ventas.nada\\}\\{end\\}"),
              "Can't find dataset field \"ventas.nada\".\rCheck template!");
    data->setActive(false);
    EXPECT_EQ(run.error("\\{for VENTAS\\}\\{end\\}"),
              "Can't retrieve data from closed dataset \"VENTAS\"");
}

// A quoted tag keeps its first 80 characters, whole UTF-8 sequences, then "…".
TEST(DbEngine, longTagsAreCutInMessages)
{
    DbRun run;
    run.reporter.answer = nullptr;
    const std::string a79(79, 'a');
    const std::string euro = "\xE2\x82\xAC";
    const std::string cut = "\xE2\x80\xA6";
    const std::pair<std::string, std::string> cases[] = {
        {a79 + "b", a79 + "b"},
        {a79 + "bc", a79 + "b" + cut},
        {a79 + euro, a79 + euro},
        {a79 + euro + euro, a79 + euro + cut},
        {std::string(10 << 20, 'x'), std::string(80, 'x') + cut},
        {a79 + "\xFF\x80\x80", a79 + "\xFF" + cut}, // a stray byte is a character of its own
    };
    for (const auto& [tag, quoted] : cases) {
        EXPECT_EQ(run.error("\\{" + tag + "\\}"),
                  "Can't evaluate tag \"" + quoted + "\".\rCheck template!")
            << tag.substr(0, 100);
    }
    auto data = sales();
    run.reporter.dataSets.push_back(data.get());
    EXPECT_EQ(run.error("\\{for ventas." + a79 + "\\}\\{end\\}"),
              "Can't find dataset field \"ventas." + std::string(73, 'a') + cut +
                  "\".\rCheck template!");
}

} // namespace

// No template reaches these states: the loop bookkeeping checks itself.
namespace templating {
struct DataLoopsTestAccess
{
    // Open loops over the data sources, each nested in the one before; the current one is given.
    static void open(DataLoops& loops, const std::vector<DataSet*>& dataSets, std::int32_t current)
    {
        for (DataSet* dataSet : dataSets) {
            LoopState loop;
            loop.parent = static_cast<std::int32_t>(loops.m_loops.size()) - 1;
            loop.dataSet = dataSet;
            loops.m_loops.push_back(loop);
        }
        loops.m_current = current;
    }
};
} // namespace templating

namespace {

TEST(DbEngine, closingALoopWithAnActiveNestedLoopFails)
{
    auto data = sales();
    MemoryDataSet other("otros");
    DataLoops loops;
    DataLoopsTestAccess::open(loops, {data.get(), &other}, 0);
    try {
        loops.end();
        FAIL() << "no error";
    } catch (const DataTemplateError& e) {
        EXPECT_STREQ(e.what(),
                     "Cycle \"Ventas\" can't be closed before nested cycle \"otros\"\rCheck "
                     "template!");
    }
    EXPECT_THROW(DataLoops().end(), TemplateInternalError);
}

TEST(DbEngine, fieldFormats)
{
    const FormatSettings s = spanish();
    MemoryDataSet data("d");
    Field& display = data.addField("display", FieldType::Float);
    display.displayFormat = "#,##0.00";
    Field& edit = data.addField("edit", FieldType::Float);
    edit.editFormat = "0.0";
    Field& money = data.addField("money", FieldType::Currency);
    money.currency = true;
    Field& plain = data.addField("plain", FieldType::Float);
    Field& day = data.addField("day", FieldType::Date);
    Field& isoDay = data.addField("iso", FieldType::Date);
    isoDay.displayFormat = "yyyy-mm-dd";
    Field& hooked = data.addField("hooked", FieldType::Integer);
    hooked.textHook = [](const Field&) { return std::string("hook"); };
    const Variant amount = Variant::fromFloat(1234.5L);
    const Variant date = Variant::fromDateTime(encodeDate(2026, 12, 7));
    EXPECT_EQ(DataTemplateEngine::formatFieldValue(display, amount, s), "1.234,50");
    EXPECT_EQ(DataTemplateEngine::formatFieldValue(edit, amount, s), "1234,5");
    EXPECT_EQ(DataTemplateEngine::formatFieldValue(money, amount, s), "1.234,50 \xE2\x82\xAC");
    EXPECT_EQ(DataTemplateEngine::formatFieldValue(plain, amount, s), "1234,5");
    EXPECT_EQ(DataTemplateEngine::formatFieldValue(day, date, s), "07/12/2026");
    EXPECT_EQ(DataTemplateEngine::formatFieldValue(isoDay, date, s), "2026-12-07");
    EXPECT_EQ(DataTemplateEngine::formatFieldValue(hooked, Variant::fromInteger(1), s), "hook");
    EXPECT_EQ(DataTemplateEngine::formatFieldValue(plain, Variant::null(), s), "");
}

TEST(DbEngine, aggregateOfAFloatFieldUsesItsFormats)
{
    DbRun run;
    MemoryDataSet data("d");
    data.addField("f", FieldType::Float).editFormat = "#,##0.000";
    data.addField("c", FieldType::Float).currency = true;
    data.appendRow({Variant::fromFloat(1000), Variant::fromFloat(1000)});
    data.appendRow({Variant::fromFloat(500.25L), Variant::fromFloat(500.25L)});
    run.reporter.dataSets.push_back(&data);
    EXPECT_EQ(run.process("\\{for d\\}\\{end\\}\\{sum(d.f)\\} \\{sum(d.c)\\}"),
              "1.500,250 1.500,25 \xE2\x82\xAC");
}

} // namespace
