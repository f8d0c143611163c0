// The keystroke rules of amount fields on the plain editing state.
#include "EditModel.h"

#include "QStringPrinter.h"
#include "TestSeparators.h"

#include <gtest/gtest.h>

#include <random>

using namespace amount;
using testsupport::Spanish;
using namespace Qt::StringLiterals;

namespace {

// A state written as its text with "|" for the caret or "[…]" around the selection.
EditState parseState(const QString& written)
{
    EditState s;
    s.text = written;
    if (const auto open = written.indexOf(u'['); open >= 0) {
        const auto close = written.indexOf(u']');
        s.text.remove(close, 1).remove(open, 1);
        s.selectionStart = s.caret = static_cast<int>(open);
        s.selectionLength = static_cast<int>(close - open - 1);
    } else {
        const auto bar = written.indexOf(u'|');
        s.text.remove(bar, 1);
        s.caret = s.selectionStart = static_cast<int>(bar);
    }
    return s;
}

QString writeState(const EditState& s)
{
    QString written = s.text;
    if (s.hasSelection())
        return written.insert(s.selectionStart + s.selectionLength, u']')
            .insert(s.selectionStart, u'[');
    return written.insert(s.caret, u'|');
}

EditSettings settings(int decimals = 2, NumberFormat format = NumberFormat::Thousands,
                      int maxLength = 0)
{
    return {decimals, format, Spanish, maxLength};
}

// Presses and releases each key: "\b" is Backspace, "\x7f" Delete, anything else is typed.
int press(EditState& s, const QString& keys, const EditSettings& set)
{
    int beeps = 0;
    for (const QChar key : keys) {
        if (key == u'\b' || key == u'\x7f') {
            const auto deleteKey = key == u'\b' ? DeleteKey::Backspace : DeleteKey::Delete;
            if (s.hasSelection())
                deleteSelection(s, set);
            else
                deleteChar(s, deleteKey, set);
        } else if (typeChar(s, key, set)) {
            ++beeps;
        }
        regroup(s, false, set);
    }
    return beeps;
}

struct KeyCase
{
    const char* name;
    EditSettings settings;
    const char16_t* start;
    const char16_t* keys;
    const char16_t* expected;
    int beeps;
};

class KeystrokeTest : public testing::TestWithParam<KeyCase>
{
};

TEST_P(KeystrokeTest, givesTheExpectedTextCaretAndBeeps)
{
    const KeyCase& c = GetParam();
    EditState state = parseState(QString::fromUtf16(c.start));
    const int beeps = press(state, QString::fromUtf16(c.keys), c.settings);
    EXPECT_EQ(writeState(state), QString::fromUtf16(c.expected));
    EXPECT_EQ(beeps, c.beeps);
}

const auto Sci = NumberFormat::Scientific;
const auto Std = NumberFormat::Standard;
const auto Eng = NumberFormat::Engineering;

INSTANTIATE_TEST_SUITE_P(
    Typing, KeystrokeTest,
    testing::Values(
        KeyCase{"digits_replace_selected_zero", settings(), u"[0,00]", u"1234", u"1.234|,00", 0},
        KeyCase{"separator_jumps_past_existing", settings(), u"1.234|,00", u",", u"1.234,|00", 0},
        KeyCase{"decimals_are_overwritten", settings(), u"1.234,|00", u"56", u"1.234,56|", 0},
        KeyCase{"no_digit_after_last_decimal", settings(), u"1.234,56|", u"7", u"1.234,56|", 1},
        KeyCase{"minus_toggles_sign_on", settings(), u"1.23|4,56", u"-", u"-1.23|4,56", 0},
        KeyCase{"minus_toggles_sign_off", settings(), u"-1.23|4,56", u"-", u"1.23|4,56", 0},
        KeyCase{"minus_at_start_of_selection", settings(), u"[0,00]", u"-5", u"-5|,00", 0},
        KeyCase{"other_characters_beep", settings(), u"12|,00", u"a.+ ", u"12|,00", 4},
        KeyCase{"separator_refused_without_decimals", settings(0), u"12|", u",", u"12|", 1},
        KeyCase{"floating_separator_goes_to_end", settings(-1, Std), u"1|2", u",", u"12,|", 0},
        KeyCase{"floating_separator_before_exponent", settings(-1, Std), u"1|2E5", u",", u"12,|E5",
                0},
        KeyCase{"floating_digits_insert", settings(-1, Std), u"1,5|", u"25", u"1,525|", 0},
        KeyCase{"leading_zero_replaced", settings(-1, Std), u"|0", u"7", u"7|", 0},
        KeyCase{"lower_case_e_is_exponent", settings(), u"1.234,56|", u"e3", u"1.234.560,0|0", 0},
        KeyCase{"second_e_jumps_past_the_first", settings(2, Sci), u"1|,00E5", u"E", u"1,00E|5", 0},
        KeyCase{"exponent_limit_refused", settings(2, Sci), u"1,00E493|", u"3", u"1,00E493|", 1},
        KeyCase{"exponent_limit_reached", settings(2, Sci), u"1,00E493|", u"2", u"1,00E4932|", 0},
        KeyCase{"exponent_limit_counts_following_digits", settings(2, Sci), u"1,00E|493", u"9",
                u"1,00E|493", 1},
        KeyCase{"digit_after_e_skips_exponent_minus", settings(2, Sci), u"1,50E|-3", u"7",
                u"1,50E-7|3", 0},
        KeyCase{"zero_exponent_replaced", settings(2, Sci), u"1,00E|0", u"5", u"1,00E5|", 0},
        KeyCase{"minus_in_exponent_toggles_its_sign", settings(2, Eng), u"1,00E5|", u"-",
                u"1,00E-5|", 0},
        KeyCase{"minus_in_exponent_toggles_back", settings(2, Eng), u"1,00E-5|", u"-", u"1,00E5|",
                0},
        KeyCase{"max_length_limits_typing", settings(-1, Std, 5), u"1234|", u"56", u"12345|", 1},
        KeyCase{"no_minus_where_nothing_is_below_zero",
                {2, Sci, Spanish, 0, false},
                u"1,5|0E3",
                u"-",
                u"1,5|0E3",
                1},
        KeyCase{"but_the_exponent_may_be_negative",
                {2, Sci, Spanish, 0, false},
                u"1,50E|3",
                u"-",
                u"1,50E-|3",
                0}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Deleting, KeystrokeTest,
    testing::Values(
        KeyCase{"backspace_refills_decimals", settings(), u"1.234,56|", u"\b", u"1.234,5|0", 0},
        KeyCase{"backspace_steps_over_separator", settings(), u"1.234,|56", u"\b", u"123|,56", 0},
        KeyCase{"delete_steps_over_separator", settings(), u"1.234|,56", u"\x7f", u"1.234,|60", 0},
        KeyCase{"backspace_keeps_a_zero", settings(), u"5|,00", u"\b", u"0|,00", 0},
        KeyCase{"backspace_removes_minus", settings(), u"-|5,00", u"\b", u"|5,00", 0},
        KeyCase{"backspace_at_start_does_nothing", settings(), u"|5,00", u"\b", u"|5,00", 0},
        KeyCase{"delete_at_end_does_nothing", settings(), u"5,00|", u"\x7f", u"5,00|", 0},
        KeyCase{"backspace_over_thousands", settings(), u"1.|234,00", u"\b", u"|234,00", 0},
        KeyCase{"floating_decimals_shrink", settings(-1, Std), u"1,25|", u"\b", u"1,2|", 0},
        KeyCase{"last_exponent_digit_becomes_zero", settings(2, Sci), u"1,00E5|", u"\b", u"|1,00E0",
                0},
        KeyCase{"whole_selection_becomes_zero", settings(), u"[1.234,56]", u"\x7f", u"|0,00", 0},
        KeyCase{"selected_digits_removed", settings(), u"1.[23]4,56", u"\b", u"1|4,56", 0},
        KeyCase{"selection_over_separator_keeps_it", settings(), u"1.23[4,5]6", u"\b", u"123|,60",
                0},
        KeyCase{"digit_replaces_selection", settings(), u"1.[23]4,56", u"9", u"19|4,56", 0}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST(regroup, movesTheCaretWithTheSeparators)
{
    EditState s = parseState(u"1234|,56"_s);
    regroup(s, false, settings());
    EXPECT_EQ(writeState(s), u"1.234|,56");

    s = parseState(u"1|234,56"_s);
    regroup(s, false, settings());
    EXPECT_EQ(writeState(s), u"1.|234,56");

    s = parseState(u"1234|"_s); // a text without its decimal separator gains one
    regroup(s, false, settings());
    EXPECT_EQ(writeState(s), u"1.234,|00");
}

TEST(regroup, actsOnlyForThousandsWithoutSelectionOrWhenForced)
{
    EditState s = parseState(u"1234|,56"_s);
    regroup(s, false, settings(2, Std));
    EXPECT_EQ(writeState(s), u"1234|,56");

    s = parseState(u"[1234],56"_s);
    regroup(s, false, settings());
    EXPECT_EQ(writeState(s), u"[1234],56");

    s = parseState(u"1.234,5|"_s);
    regroup(s, false, settings());
    EXPECT_EQ(writeState(s), u"1.234,5|");
    regroup(s, true, settings());
    EXPECT_EQ(writeState(s), u"1.234,5|0");
}

TEST(regroup, raisesTheConversionErrorForText)
{
    EditState s = parseState(u"12x|"_s);
    EXPECT_THROW(regroup(s, false, settings()), ConversionError);
}

TEST(Clipboard, copyDropsThousandsSeparators)
{
    EXPECT_EQ(copyText(parseState(u"[1.234,56]"_s), settings()), u"1234,56");
    EXPECT_EQ(copyText(parseState(u"1.2[34],56"_s), settings()), u"34");
    EXPECT_EQ(copyText(parseState(u"1.234,56|"_s), settings()), u"0");
}

TEST(Clipboard, pasteFiltersEveryCharacter)
{
    EditState s = parseState(u"[0,00]"_s);
    EXPECT_EQ(paste(s, u"1.234,56"_s, settings()), 1);
    EXPECT_EQ(writeState(s), u"1234,56|");
    regroup(s, false, settings());
    EXPECT_EQ(writeState(s), u"1.234,56|");
}

// Long random key sequences never break a field: its text always parses, or fails with the
// conversion error and nothing else.
TEST(RandomTyping, textAlwaysParsesOrRaisesTheConversionError)
{
    std::mt19937 random(20261207);
    const QString keys = u"0123456789,,.--EEe\b\b\x7f\x7f<>^$[V"_s;
    const long rounds = RANDOM_TYPING_ROUNDS;
    for (const auto format : {Std, NumberFormat::Thousands, Sci, Eng}) {
        for (const int decimals : {-1, 0, 2}) {
            const EditSettings set = settings(decimals, format);
            for (long round = 0; round < rounds; ++round) {
                EditState s;
                s.text = formatValue(0, decimals, format, Spanish);
                QString trace;
                for (int step = 0; step < 60; ++step) {
                    trace += writeState(s) + u' ';
                    const QChar key =
                        keys[std::uniform_int_distribution<qsizetype>(0, keys.size() - 1)(random)];
                    const int size = static_cast<int>(s.text.size());
                    std::uniform_int_distribution<int> anywhere(0, size);
                    if (key == u'<' || key == u'>') {
                        EditState moved = s;
                        moved.caret = moved.selectionStart = key == u'<' ? 0 : size;
                        moved.selectionLength = 0;
                        s = moved;
                    } else if (key == u'^') {
                        s.caret = s.selectionStart = anywhere(random);
                        s.selectionLength = 0;
                    } else if (key == u'[') {
                        const int a = anywhere(random), b = anywhere(random);
                        s.selectionStart = s.caret = std::min(a, b);
                        s.selectionLength = std::abs(a - b);
                    } else if (key == u'$') {
                        s.selectionStart = s.caret = 0;
                        s.selectionLength = size;
                    } else if (key == u'V') {
                        paste(s, u"-1.2E3,4x5"_s.mid(anywhere(random) % 10, 4), set);
                    } else {
                        try {
                            press(s, QString(key), set);
                        } catch (const ConversionError&) {
                            // checked below: the text is then not a number
                        }
                    }
                    ASSERT_GE(s.caret, 0);
                    ASSERT_LE(s.caret, s.text.size());
                    trace += QString(key).toHtmlEscaped() + u' ';
                    ASSERT_FALSE(s.text.contains(u' ')) << trace.toStdString();
                    Separators last = Spanish;
                    const QString cleaned = cleanText(s.text, last, Spanish);
                    try {
                        (void)parseValue(cleaned, Spanish.decimal);
                    } catch (const ConversionError& e) {
                        ASSERT_EQ(std::string(e.what()),
                                  "'" + cleaned.toStdString() +
                                      "' is not a valid floating point value");
                    }
                }
            }
        }
    }
}

} // namespace
