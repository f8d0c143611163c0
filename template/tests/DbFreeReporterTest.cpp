// The data-driven engine: tag resolution, loops over data sources, aggregates and formats.
#include "EngineTestSupport.h"
#include "uDbFreeReporter.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

TFormatSettings spanish()
{
    TFormatSettings s;
    s.DecimalSeparator = ',';
    s.ThousandSeparator = '.';
    s.ShortDateFormat = "dd/mm/yyyy";
    s.LongTimeFormat = "hh:nn:ss";
    s.CurrencyString = "\x80"; // the euro sign in code page 1252
    s.CurrencyFormat = 3;
    s.CurrencyDecimals = 2;
    return s;
}

class TestReporter : public TDbFreeReporter
{
public:
    TestReporter() { FormatSettings = spanish(); }
    using TDbFreeReporter::CurrentCycle;
    using TDbFreeReporter::Cycles;
    using TDbFreeReporter::EndCycle;
};

struct DbRun
{
    ScratchFolder folder;
    TestReporter reporter;
    std::vector<std::string> asked;

    DbRun()
    {
        reporter.OnGetCustomTagValue = [this](const std::string& tag, std::string& value) {
            asked.push_back(tag);
            if (tag == "unknown")
                return false;
            value = "[" + tag + "]";
            return true;
        };
    }
    std::string process(const std::string& text)
    {
        writeFile(folder.file("t.txt"), text);
        reporter.ProcessTemplate(folder.file("t.txt"), folder.file("out.txt"));
        return readFile(folder.file("out.txt"));
    }
    std::string error(const std::string& text)
    {
        try {
            process(text);
        } catch (const TDbReporterException& e) {
            return e.what();
        }
        return "no error";
    }
};

// Sales: group, integer amount, price, date, a memo, and a field that is partly null.
std::unique_ptr<TMemoryDataSet> sales()
{
    auto data = std::make_unique<TMemoryDataSet>("Ventas");
    data->AddField("grupo", TFieldType::ftString);
    data->AddField("importe", TFieldType::ftInteger);
    data->AddField("precio", TFieldType::ftFloat);
    data->AddField("fecha", TFieldType::ftDate);
    data->AddField("nota", TFieldType::ftMemo);
    data->AddField("parcial", TFieldType::ftInteger);
    const char* groups = "AABBBA";
    for (int i = 0; i < 6; ++i) {
        data->AppendRow({TVariant::Text(std::string(1, groups[i])), TVariant::Integer(i + 1),
                         TVariant::Float(i + 1.5L), TVariant::DateTime(EncodeDate(2026, 1, i + 1)),
                         TVariant::Text("n"),
                         i < 2 ? TVariant::Null() : TVariant::Integer(10 * i)});
    }
    return data;
}

TEST(DbEngine, withoutDataSourcesEveryTagGoesToTheCallback)
{
    DbRun run;
    EXPECT_EQ(run.process("\\{version\\}\\{DATE\\}\\{\\}\\{a.b\\}"), "[version][DATE][][a.b]");
    EXPECT_EQ(run.asked, (std::vector<std::string>{"version", "DATE", "", "a.b"}));
}

TEST(DbEngine, withoutACallbackTheFirstTagFails)
{
    DbRun run;
    run.reporter.OnGetCustomTagValue = nullptr;
    EXPECT_EQ(run.error("x\\{Entidad\\}"), "Can't evaluate tag \"Entidad\".\rCheck template!");
    EXPECT_EQ(run.error("\\{unknown\\}"), "Can't evaluate tag \"unknown\".\rCheck template!");
}

TEST(DbEngine, builtInNamesAnswerWhenADataSourceIsRegistered)
{
    DbRun run;
    auto data = sales();
    run.reporter.DataSets.push_back(data.get());
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
    EXPECT_TRUE(run.asked.empty());
}

TEST(DbEngine, dottedTagsNameDataSources)
{
    DbRun run;
    auto data = sales();
    run.reporter.DataSets.push_back(data.get());
    EXPECT_EQ(run.error("\\{Hola. Adios\\}"), "Can't find dataset \"Hola\".\rCheck template!");
    EXPECT_EQ(run.error("\\{suma(ventas.importe)\\}"),
              "Can't find dataset \"suma(ventas\".\rCheck template!");
    EXPECT_EQ(run.process("\\{VENTAS.grupo\\}\\{ventas.nada\\}"), "A[ventas.nada]");
    data->SetActive(false);
    EXPECT_EQ(run.error("\\{ventas.grupo\\}"),
              "Can't retrieve data from closed dataset \"Ventas\"");
}

TEST(DbEngine, plainLoopsWriteEachRecordAndRestart)
{
    DbRun run;
    auto data = sales();
    run.reporter.DataSets.push_back(data.get());
    EXPECT_EQ(run.process("\\{for ventas\\}\\{ventas.importe\\},\\{end\\} n=\\{count(ventas.*)\\}"
                          " \\{for ventas\\}\\{ventas.grupo\\}\\{end\\}"),
              "1,2,3,4,5,6, n=6 AABBBA");
}

TEST(DbEngine, recordCountOfEveryFunctionOnStar)
{
    DbRun run;
    auto data = sales();
    run.reporter.DataSets.push_back(data.get());
    EXPECT_EQ(run.process("\\{for ventas\\}\\{end\\}\\{sum(ventas.*)\\}\\{avg(ventas.*)\\}"
                          "\\{COUNT(Ventas.*)\\}\\{min(ventas.*)\\}\\{max(ventas.*)\\}"),
              "66666");
}

TEST(DbEngine, groupingLoopWithAnInnerPlainLoop)
{
    DbRun run;
    auto data = sales();
    run.reporter.DataSets.push_back(data.get());
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
    run.reporter.DataSets.push_back(data.get());
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
    TMemoryDataSet data("d");
    data.AddField("i", TFieldType::ftInteger);
    data.AddField("f", TFieldType::ftFloat);
    data.AddField("n", TFieldType::ftInteger);
    data.AppendRow({TVariant::Integer(1), TVariant::Float(1), TVariant::Null()});
    data.AppendRow({TVariant::Integer(2), TVariant::Float(2), TVariant::Null()});
    run.reporter.DataSets.push_back(&data);
    EXPECT_EQ(run.process("\\{for d\\}\\{end\\}\\{avg(d.i)\\} \\{avg(d.f)\\} [\\{avg(d.n)\\}] "
                          "\\{count(d.n)\\} \\{count(d.*)\\}"),
              "1 1,5 [] 0 2");
}

TEST(DbEngine, loopAndAggregateErrors)
{
    DbRun run;
    auto data = sales();
    TMemoryDataSet empty("vacio");
    empty.AddField("x", TFieldType::ftInteger);
    run.reporter.DataSets = {data.get(), &empty};
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
    data->SetActive(false);
    EXPECT_EQ(run.error("\\{for VENTAS\\}\\{end\\}"),
              "Can't retrieve data from closed dataset \"VENTAS\"");
}

TEST(DbEngine, closingALoopWithAnActiveNestedLoopFails)
{
    TestReporter reporter;
    auto data = sales();
    TMemoryDataSet other("otros");
    for (const auto& [parent, dataSet] :
         {std::pair<int, TDataSet*>{-1, data.get()}, std::pair<int, TDataSet*>{0, &other}}) {
        auto cycle = std::make_unique<TCycleData>();
        cycle->Parent = parent;
        cycle->DataSet = dataSet;
        reporter.Cycles.push_back(std::move(cycle));
    }
    reporter.CurrentCycle = 0;
    bool finished = false;
    try {
        reporter.EndCycle(finished);
        FAIL() << "no error";
    } catch (const TDbReporterException& e) {
        EXPECT_STREQ(e.what(),
                     "Cycle \"Ventas\" can't be closed before nested cycle \"otros\"\rCheck "
                     "template!");
    }
    reporter.CurrentCycle = -1;
    EXPECT_THROW(reporter.EndCycle(finished), TReporterInternalError);
}

TEST(DbEngine, fieldFormats)
{
    const TFormatSettings s = spanish();
    TMemoryDataSet data("d");
    TField& display = data.AddField("display", TFieldType::ftFloat);
    display.DisplayFormat = "#,##0.00";
    TField& edit = data.AddField("edit", TFieldType::ftFloat);
    edit.EditFormat = "0.0";
    TField& money = data.AddField("money", TFieldType::ftCurrency);
    money.Currency = true;
    TField& plain = data.AddField("plain", TFieldType::ftFloat);
    TField& day = data.AddField("day", TFieldType::ftDate);
    TField& isoDay = data.AddField("iso", TFieldType::ftDate);
    isoDay.DisplayFormat = "yyyy-mm-dd";
    TField& hooked = data.AddField("hooked", TFieldType::ftInteger);
    hooked.OnGetText = [](const TField&) { return std::string("hook"); };
    const TVariant amount = TVariant::Float(1234.5L);
    const TVariant date = TVariant::DateTime(EncodeDate(2026, 12, 7));
    EXPECT_EQ(TDbFreeReporter::FormatFieldValue(display, amount, s), "1.234,50");
    EXPECT_EQ(TDbFreeReporter::FormatFieldValue(edit, amount, s), "1234,5");
    EXPECT_EQ(TDbFreeReporter::FormatFieldValue(money, amount, s), "1.234,50 \x80");
    EXPECT_EQ(TDbFreeReporter::FormatFieldValue(plain, amount, s), "1234,5");
    EXPECT_EQ(TDbFreeReporter::FormatFieldValue(day, date, s), "07/12/2026");
    EXPECT_EQ(TDbFreeReporter::FormatFieldValue(isoDay, date, s), "2026-12-07");
    EXPECT_EQ(TDbFreeReporter::FormatFieldValue(hooked, TVariant::Integer(1), s), "hook");
    EXPECT_EQ(TDbFreeReporter::FormatFieldValue(plain, TVariant::Null(), s), "");
}

TEST(DbEngine, aggregateOfAFloatFieldUsesItsFormats)
{
    DbRun run;
    TMemoryDataSet data("d");
    data.AddField("f", TFieldType::ftFloat).EditFormat = "#,##0.000";
    data.AddField("c", TFieldType::ftFloat).Currency = true;
    data.AppendRow({TVariant::Float(1000), TVariant::Float(1000)});
    data.AppendRow({TVariant::Float(500.25L), TVariant::Float(500.25L)});
    run.reporter.DataSets.push_back(&data);
    EXPECT_EQ(run.process("\\{for d\\}\\{end\\}\\{sum(d.f)\\} \\{sum(d.c)\\}"),
              "1.500,250 1.500,25 \x80");
}

TEST(FormatPatterns, numbers)
{
    const TFormatSettings s = spanish();
    const std::tuple<const char*, long double, const char*> cases[] = {
        {"#,##0.00", 1234567.891L, "1.234.567,89"},
        {"0.00", -0.001L, "0,00"},
        {"#.##", 0.5L, ",5"},
        {"000", 7, "007"},
        {"\"EUR \"#,##0", 1500, "EUR 1.500"},
        {"0.00;(0.00);cero", -2.5L, "(2,50)"},
        {"0.00;(0.00);cero", 0, "cero"},
        {"0.00E+00", 12345, "1,23E+04"},
        {"0.0E-0", 0.00012L, "1,2E-4"},
        {"", 2.5L, "2,5"},
    };
    for (const auto& [pattern, value, expected] : cases)
        EXPECT_EQ(FormatFloat(pattern, value, s), expected) << pattern;
}

TEST(FormatPatterns, datesAndTimes)
{
    const TFormatSettings s = spanish();
    const long double moment = EncodeDate(2026, 3, 5) + (14 * 3600 + 7 * 60 + 9) / 86400.0L;
    EXPECT_EQ(FormatDateTime("d/m/yy", moment, s), "5/3/26");
    EXPECT_EQ(FormatDateTime("dddd dd mmmm yyyy", moment, s), "Thursday 05 March 2026");
    EXPECT_EQ(FormatDateTime("hh:nn:ss", moment, s), "14:07:09");
    EXPECT_EQ(FormatDateTime("h:mm am/pm", moment, s), "2:07 pm");
    EXPECT_EQ(FormatDateTime("", moment, s), "05/03/2026 14:07:09");
    EXPECT_EQ(FormatDateTime("", EncodeDate(2026, 3, 5), s), "05/03/2026");
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
}

} // namespace

namespace {

// The tests run under es_ES.UTF-8 (set by CTest).
TEST(FormatSettingsTest, readFromTheCLibraryLocale)
{
    const TFormatSettings s = TFormatSettings::FromCLocale();
    EXPECT_EQ(s.DecimalSeparator, ',');
    EXPECT_EQ(s.ThousandSeparator, '.');
    EXPECT_EQ(s.ShortDateFormat, "dd/mm/yy");
    EXPECT_EQ(s.DateSeparator, '/');
    EXPECT_EQ(s.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(s.CurrencyDecimals, 2);
    EXPECT_EQ(s.CurrencyFormat, 3);
}

} // namespace
