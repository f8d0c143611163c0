// A budget settlement by economic code, read from an accounting system's export or the
// Ministry's economic table, as chapter totals of one entity.
#pragma once

#include "CaseFields.h"
#include "CsvBytes.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace imports {

using amount::Amount;

inline constexpr std::size_t ChapterCount = 9;

// Recognised net rights (revenue) and obligations (expenditure) of chapters 1 to 9, and what was
// collected of the rights of chapters 1 to 3, the year's and closed years', when the file says.
struct Settlement
{
    std::array<Amount, ChapterCount> revenue{};
    std::array<Amount, ChapterCount> expenditure{};
    std::optional<Amount> collections;

    friend bool operator==(const Settlement&, const Settlement&) = default;
};

// The case's figure of each chapter, from chapter 1; none where a case has no figure for it.
using borrowing::Figures;
inline constexpr std::array<Amount Figures::*, ChapterCount> RevenueChapters{
    &Figures::revenueI, &Figures::revenueII, &Figures::revenueIII, &Figures::revenueIV,
    &Figures::revenueV, &Figures::revenueVI, &Figures::revenueVII};
inline constexpr std::array<Amount Figures::*, ChapterCount> ExpenditureChapters{
    &Figures::expenditureI,
    &Figures::expenditureII,
    &Figures::expenditureIII,
    &Figures::expenditureIV,
    nullptr,
    &Figures::expenditureVI,
    &Figures::expenditureVII};

// The figures with the settlement's chapters in place, and its collections when it has them.
Figures withSettlement(Figures figures, const Settlement& settlement);

// An economic table: a header naming the side (tipreig or tipo: "I", "G", or words starting so),
// the economic code (cdcta or economica), the amount recognised (importer, importe or
// reconocido), and optionally the collections of the year's rights and of closed years'
// (importel, importec) and the entity (idente); rows at any level of the classification, from
// chapter ("1") to subconcept ("113.00"). Amounts are written as csv::number() reads them with
// the file's separator (an exponent too with "," or tab); an empty one is 0.
class SettlementTable final
{
public:
    // Reads the header and finds each entity's rows. Refuses a column missing, a line with
    // another number of fields than the header, a quote left open, a table without rows.
    explicit SettlementTable(QByteArray bytes, const ReadingProgress& progress = {});

    // Whether the rows say whose they are (an idente column).
    bool namesEntities() const { return m_entity.place >= 0; }
    // The entities the table has rows of, in the order it first names them; one without a name
    // when it names none.
    const QStringList& entities() const { return m_entities; }

    // An entity's settlement. A row counts when no other of the entity and side has a longer
    // code starting with its digits; a chapter is the sum of the counted rows of its digit, and
    // the collections that of the counted revenue rows of chapters 1 to 3. Refuses a row that
    // is neither revenue nor expenditure, a code that is no economic code, an amount that is no
    // number, an entity without rows, and a total its figure could not hold.
    Settlement settlementOf(const QString& entity) const;

private:
    // Records of one entity one after another: from `begin` (on `line`) up to `end`.
    struct Run
    {
        qsizetype begin;
        qsizetype end;
        int line;
    };
    struct Row;

    Row rowOf(const csv::Records& records) const;
    void index(csv::Records& records, const ReadingProgress& progress);

    QByteArray m_bytes;
    csv::Format m_format;
    qsizetype m_fieldCount = 0;
    csv::Column m_entity, m_side, m_code, m_recognised, m_yearCollected, m_closedCollected;
    QStringList m_entities;
    QHash<QString, qsizetype> m_places;
    std::vector<std::vector<Run>> m_runs;
};

} // namespace imports
