// The keystroke rules of an amount field, over a plain editing state.
#include "EditModel.h"

#include <algorithm>

namespace amount {

namespace {

// Largest exponent an extended value can have.
constexpr int MaxExponent = 4932;
// Characters after the caret that count towards the exponent being typed.
constexpr int ExponentLookahead = 99;

// Positions below count characters from 1, so that 0 can mean "not found".
int position(const QString& text, QChar c)
{
    return static_cast<int>(text.indexOf(c)) + 1;
}

QChar charAt(const QString& text, int i)
{
    return i >= 1 && i <= text.size() ? text[i - 1] : QChar();
}

void placeCaret(EditState& s, int caret)
{
    s.caret = std::clamp(caret, 0, static_cast<int>(s.text.size()));
    s.selectionStart = s.caret;
    s.selectionLength = 0;
}

void select(EditState& s, int start, int length)
{
    s.selectionStart = start;
    s.selectionLength = length;
    s.caret = start;
}

// Assigning a text leaves the caret at the start until it is placed again.
void assignText(EditState& s, const QString& text)
{
    s.text = text;
    placeCaret(s, 0);
}

// Inserts c at the caret, replacing the selection; false when MaxLength refuses it.
bool insert(EditState& s, QChar c, const EditSettings& settings)
{
    const int start = s.position();
    const int removed = s.selectionLength;
    if (settings.maxLength > 0 && s.text.size() - removed + 1 > settings.maxLength)
        return false;
    s.text.replace(start, removed, c);
    placeCaret(s, start + 1);
    return true;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The absolute value of an exponent text such as "-73"; 0 when it is not an integer.
long exponentMagnitude(const QString& text)
{
    QString digits = text;
    if (digits.startsWith(u'-') || digits.startsWith(u'+'))
        digits.remove(0, 1);
    if (digits.isEmpty() || !std::all_of(digits.cbegin(), digits.cend(), isDigit))
        return 0;
    long value = 0;
    for (const QChar d : digits) {
        value = value * 10 + (d.unicode() - u'0');
        if (value > MaxExponent)
            return value;
    }
    return value;
}

} // namespace

bool typeChar(EditState& s, QChar c, const EditSettings& settings)
{
    const QChar decimal = settings.separators.decimal;
    const bool accepted = isDigit(c) || c == u'-' || c == u'E' || c == u'e' || c == decimal;
    if (!accepted || (c == decimal && settings.decimals == 0))
        return true;

    const int p0 = s.position();
    const int D = position(s.text, decimal);
    const int P = position(s.text, u'E');
    // The exponent's sign is always the user's to type.
    if (c == u'-' && !settings.negativeAllowed && !(P != 0 && p0 >= P))
        return true;
    if (c == u'e')
        c = u'E';
    if (c == u'E' || c == decimal)
        placeCaret(s, s.position());
    else
        deleteSelection(s, settings);

    const bool neg = s.text.startsWith(u'-');
    const bool expNeg = P != 0 && s.text.mid(P).contains(u'-');
    if (neg && s.caret == 0)
        placeCaret(s, 1);
    if (expNeg && s.caret == P)
        placeCaret(s, P + 1);
    const int p = s.caret;

    if (c == u'-') {
        if (P != 0 && p0 >= P) {
            // P was taken before the selection was deleted; never write past the text.
            const auto at = std::min<qsizetype>(P, s.text.size());
            if (expNeg) {
                s.text.remove(at, 1);
                placeCaret(s, p0 - 1);
            } else {
                s.text.insert(at, u'-');
                placeCaret(s, p0 + 1);
            }
        } else if (neg) {
            s.text.remove(0, 1);
            placeCaret(s, p0 - 1);
        } else {
            s.text.prepend(u'-');
            placeCaret(s, p0 + 1);
        }
        return false;
    }
    if (c == decimal) {
        if (D != 0) {
            placeCaret(s, D);
            return false;
        }
        if (settings.decimals < 0)
            placeCaret(s, P != 0 ? P - 1 : static_cast<int>(s.text.size()));
        return !insert(s, c, settings);
    }
    if (c == u'E') {
        if (P != 0) {
            placeCaret(s, P);
            return false;
        }
        placeCaret(s, static_cast<int>(s.text.size()));
        return !insert(s, c, settings);
    }

    // A digit.
    if (p <= 2 && neg && charAt(s.text, 2) == u'0') {
        select(s, 1, 1);
    } else if (p <= 1 && charAt(s.text, 1) == u'0') {
        select(s, 0, 1);
    } else if (P != 0 && p == P && charAt(s.text, P + 1) == u'0') {
        select(s, P, 1);
    } else if (P != 0 && p >= P) {
        const QString exponent = s.text.mid(P, p - P) + c + s.text.mid(p, ExponentLookahead);
        if (exponentMagnitude(exponent) > MaxExponent)
            return true;
    } else if (settings.decimals > 0 && D != 0) {
        if (p == D + settings.decimals)
            return true;
        if (p >= D && p < s.text.size())
            select(s, p, 1);
    }
    return !insert(s, c, settings);
}

void deleteChar(EditState& s, DeleteKey key, const EditSettings& settings)
{
    const Separators seps = settings.separators;
    const int D = position(s.text, seps.decimal);
    const int E = position(s.text, u'E');
    const int Pe = E != 0 ? E : static_cast<int>(s.text.size()) + 1;
    const int length = static_cast<int>(s.text.size());
    const auto isStepOver = [&](int i) {
        const QChar c = charAt(s.text, i);
        return c == u'E' || c == seps.decimal || c == seps.thousands;
    };

    int i = 0;
    if (key == DeleteKey::Delete) {
        i = s.caret + 1;
        if (i > length)
            return;
        if (isStepOver(i))
            ++i;
    } else {
        i = s.caret;
        if (i == 0)
            return;
        if (isStepOver(i))
            --i;
    }
    const bool hasMinus = s.text.contains(u'-');
    if (i == 0 || i > length)
        return;

    if (D != 0 && D < i && i < Pe) {
        s.text.remove(i - 1, 1);
        if (settings.decimals > 0)
            s.text.insert(Pe - 2, u'0'); // refill the last decimal place
        placeCaret(s, i - 1);
    } else if (i == 1 && hasMinus) {
        s.text.remove(0, 1);
        if (s.text.isEmpty())
            s.text = QStringLiteral("0");
        placeCaret(s, 0);
    } else if (i == 1 && (i == D - 1 || i == Pe - 1 || i == length)) {
        s.text[0] = u'0';
        placeCaret(s, 1);
    } else {
        s.text.remove(i - 1, 1);
        placeCaret(s, i - 1);
        const bool scientific = settings.format == NumberFormat::Scientific ||
                                settings.format == NumberFormat::Engineering;
        if (scientific && s.text.endsWith(u'E'))
            assignText(s, s.text + u'0');
    }
}

void deleteSelection(EditState& s, const EditSettings& settings)
{
    if (!s.hasSelection())
        return;
    if (s.selectionStart == 0 && s.selectionLength >= s.text.size()) {
        assignText(s, formatValue(0, settings.decimals, settings.format, settings.separators));
        return;
    }
    const QString selected = s.text.mid(s.selectionStart, s.selectionLength);
    int count =
        static_cast<int>(cleanText(selected, settings.separators, settings.separators).size());
    if (selected.contains(settings.separators.decimal))
        --count;
    placeCaret(s, s.selectionStart + s.selectionLength);
    for (int k = 0; k < count; ++k)
        deleteChar(s, DeleteKey::Backspace, settings);
}

void regroup(EditState& s, bool enterOrSpace, const EditSettings& settings)
{
    if (settings.format != NumberFormat::Thousands || s.hasSelection())
        return;
    const Separators seps = settings.separators;
    const bool hadDecimal = s.text.contains(seps.decimal);
    const int p = s.caret;
    const QString formatted = formatValue(parseValue(cleanText(s.text, seps, seps), seps.decimal),
                                          settings.decimals, settings.format, seps);
    const auto nf = static_cast<int>(formatted.count(seps.thousands));
    const auto nt = static_cast<int>(s.text.count(seps.thousands));
    if (nf == nt && formatted.indexOf(seps.thousands) == s.text.indexOf(seps.thousands) &&
        !enterOrSpace)
        return;

    s.text = formatted;
    int caret = std::max(p + nf - nt, 0);
    if (formatted.contains(seps.decimal) && !hadDecimal)
        ++caret;
    else if (hadDecimal && !formatted.contains(seps.decimal))
        --caret;
    if (charAt(s.text, caret + 1) == seps.thousands)
        ++caret;
    placeCaret(s, caret);
}

int paste(EditState& s, const QString& text, const EditSettings& settings)
{
    deleteSelection(s, settings);
    int refused = 0;
    for (const QChar c : text) {
        if (typeChar(s, c, settings))
            ++refused;
    }
    return refused;
}

QString copyText(const EditState& s, const EditSettings& settings)
{
    return cleanText(s.text.mid(s.selectionStart, s.selectionLength), settings.separators,
                     settings.separators);
}

} // namespace amount
