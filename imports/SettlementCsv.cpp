// A budget settlement by economic code, read from an accounting system's export or the
// Ministry's economic table, as chapter totals of one entity.
#include "SettlementCsv.h"

#include "Checks.h"
#include "NumberFormat.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>

namespace imports {

using namespace borrowing;
using Reason = Refusal::Reason;

namespace {

// The headings each column may have, the first found counting; and the sides a row may be of.
constexpr ChoiceWord EntityHeadings[] = {{"idente"}};
constexpr ChoiceWord SideHeadings[] = {{"tipreig"}, {"tipo"}};
constexpr ChoiceWord CodeHeadings[] = {{"cdcta"}, {"economica"}};
constexpr ChoiceWord AmountHeadings[] = {{"importer"}, {"importe"}, {"reconocido"}};
constexpr ChoiceWord YearCollectedHeadings[] = {{"importel"}};
constexpr ChoiceWord ClosedCollectedHeadings[] = {{"importec"}};
constexpr ChoiceWord Sides[] = {{"I"}, {"G"}};

// How often the reading tells its progress: often enough for a bar, seldom enough to cost
// nothing.
constexpr qint64 RecordsBetweenReports = 16384;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A code's digits without the dots between its levels ("113.00" is "11300"); nothing when it is
// no economic code, whose first digit is its chapter.
std::optional<std::string> codeDigits(QByteArrayView code)
{
    std::string digits;
    for (const char c : code) {
        if (isDigit(c))
            digits += c;
        else if (c != '.')
            return std::nullopt;
    }
    if (digits.empty() || digits.front() == '0')
        return std::nullopt;
    return digits;
}

// A chapter's total refused when its figure could not hold it; chapter 0 is the collections.
void checkTotal(Amount Figures::*figure, Amount total, std::size_t chapter)
{
    if (!figure)
        return;
    const FigureField& field = fieldOf(FigureFields, figure);
    if (valueProblem(field, total)) {
        throw Refused({.reason = Reason::ChapterTooLarge,
                       .record = Refusal::Record::Figures,
                       .key = field.key,
                       .index = static_cast<int>(chapter)});
    }
}

} // namespace

struct SettlementTable::Row
{
    bool revenue = false;
    std::string digits;
    Amount recognised = 0;
    Amount collected = 0;
};

Figures withSettlement(Figures figures, const Settlement& settlement)
{
    for (std::size_t n = 0; n < ChapterCount; ++n) {
        if (RevenueChapters[n])
            figures.*RevenueChapters[n] = settlement.revenue[n];
        if (ExpenditureChapters[n])
            figures.*ExpenditureChapters[n] = settlement.expenditure[n];
    }
    if (settlement.collections)
        figures.collections = *settlement.collections;
    return figures;
}

SettlementTable::SettlementTable(QByteArray bytes, const ReadingProgress& progress)
    : m_bytes(std::move(bytes)), m_format(csv::formatOf(m_bytes))
{
    csv::Records records(m_bytes, m_format.separator, m_format.start);
    const QStringList keys = csv::headingKeys(records, m_format.utf8);
    m_fieldCount = keys.size();
    m_side = csv::requiredColumn(keys, SideHeadings);
    m_code = csv::requiredColumn(keys, CodeHeadings);
    m_recognised = csv::requiredColumn(keys, AmountHeadings);
    m_entity = csv::column(keys, EntityHeadings);
    m_yearCollected = csv::column(keys, YearCollectedHeadings);
    m_closedCollected = csv::column(keys, ClosedCollectedHeadings);
    index(records, progress);
    if (m_entities.isEmpty())
        throw Refused({.reason = Reason::NoRows});
}

void SettlementTable::index(csv::Records& records, const ReadingProgress& progress)
{
    // Each entity's place by its idente as written; the views stay valid with m_bytes.
    std::unordered_map<std::string_view, qsizetype> places;
    qsizetype current = -1;
    QByteArrayView currentEntity;
    for (qint64 count = 1;; ++count) {
        if (progress && count % RecordsBetweenReports == 0 &&
            !progress(records.position(), m_bytes.size()))
            throw ReadingCancelled();
        const qsizetype begin = records.position();
        if (!records.next())
            break;
        if (records.isBlank())
            continue;
        records.requireFields(m_fieldCount);
        const QByteArrayView field =
            m_entity.place < 0 ? QByteArrayView() : records.fields()[m_entity.place];
        const QByteArrayView entity = csv::bare(field);
        // Most files hold each entity's rows together: they only lengthen its last run.
        if (current >= 0 && entity == currentEntity) {
            m_runs[current].back().end = records.position();
            continue;
        }
        const auto [found, added] =
            places.try_emplace(std::string_view(entity.data(), entity.size()), m_entities.size());
        if (added) {
            m_places.insert(csv::text(field, m_format.utf8), m_entities.size());
            m_entities << csv::text(field, m_format.utf8);
            m_runs.emplace_back();
        }
        current = found->second;
        currentEntity = entity;
        m_runs[current].push_back({begin, records.position(), records.line()});
    }
}

SettlementTable::Row SettlementTable::rowOf(const csv::Records& records) const
{
    const std::vector<QByteArrayView>& fields = records.fields();
    const auto refuse = [&](Reason reason, const csv::Column& column, ChoiceWords words = {}) {
        throw Refused({.reason = reason,
                       .key = column.name,
                       .text = csv::text(fields[column.place], m_format.utf8),
                       .line = records.line(),
                       .words = words});
    };
    // A null as mdb-export writes it, an empty field, is nothing recognised or collected.
    const auto amountOf = [&](const csv::Column& column) -> Amount {
        if (column.place < 0)
            return 0;
        const QByteArrayView written = csv::bare(fields[column.place]);
        if (written.isEmpty())
            return 0;
        const std::optional<Amount> value = csv::number(written, m_format.separator, true);
        if (!value)
            refuse(Reason::NotANumber, column);
        return *value;
    };

    Row row;
    const QByteArrayView side = csv::bare(fields[m_side.place]);
    // "I" or "G" in either case, or a word starting so.
    const char initial = side.isEmpty() ? '\0' : static_cast<char>(side.front() | 0x20);
    if (initial != 'i' && initial != 'g')
        refuse(Reason::UnknownWord, m_side, Sides);
    row.revenue = initial == 'i';
    std::optional<std::string> digits = codeDigits(csv::bare(fields[m_code.place]));
    if (!digits)
        refuse(Reason::NotACode, m_code);
    row.digits = std::move(*digits);
    row.recognised = amountOf(m_recognised);
    if (row.revenue && row.digits.front() <= '3')
        row.collected = amountOf(m_yearCollected) + amountOf(m_closedCollected);
    return row;
}

Settlement SettlementTable::settlementOf(const QString& entity) const
{
    const qsizetype place = namesEntities() ? m_places.value(entity, -1) : 0;
    if (place < 0)
        throw Refused({.reason = Reason::NoRows});
    std::vector<Row> rows;
    for (const Run& run : m_runs[place]) {
        csv::Records records(m_bytes, m_format.separator, run.begin, run.line);
        while (records.position() < run.end && records.next()) {
            if (!records.isBlank())
                rows.push_back(rowOf(records));
        }
    }

    // Sorted by code, a row whose code another of its side starts with is followed by one.
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return std::tie(a.revenue, a.digits) < std::tie(b.revenue, b.digits);
    });
    Settlement settlement;
    const bool collected = m_yearCollected.place >= 0 || m_closedCollected.place >= 0;
    Amount collections = 0;
    // Rows of one code at a time, counted unless the next code starts with theirs.
    for (auto group = rows.begin(); group != rows.end();) {
        const auto sameCode = [&group](const Row& row) {
            return row.revenue == group->revenue && row.digits == group->digits;
        };
        const auto next = std::find_if_not(group, rows.end(), sameCode);
        const bool counted = next == rows.end() || next->revenue != group->revenue ||
                             !next->digits.starts_with(group->digits);
        for (; group != next; ++group) {
            if (!counted)
                continue;
            const auto chapter = static_cast<std::size_t>(group->digits.front() - '1');
            (group->revenue ? settlement.revenue : settlement.expenditure)[chapter] +=
                group->recognised;
            collections += group->collected;
        }
    }

    for (std::size_t n = 0; n < ChapterCount; ++n) {
        settlement.revenue[n] = amount::roundToCents(settlement.revenue[n]);
        settlement.expenditure[n] = amount::roundToCents(settlement.expenditure[n]);
        checkTotal(RevenueChapters[n], settlement.revenue[n], n + 1);
        checkTotal(ExpenditureChapters[n], settlement.expenditure[n], n + 1);
    }
    if (collected) {
        settlement.collections = amount::roundToCents(collections);
        checkTotal(&Figures::collections, *settlement.collections, 0);
    }
    return settlement;
}

} // namespace imports
