// A read-only table of figures a row a year: its headings, its rows in sight without scrolling,
// and every column wide enough for its texts.
#pragma once

#include <QList>
#include <QStringList>

class QTableWidget;

namespace editors {

// Gives the table its headings and a height for `rows` rows of a line each.
void prepareFigureTable(QTableWidget* table, const QStringList& headings, int rows);

// Shows the rows' texts aligned to the right, and widens the table to every column.
void showFigureRows(QTableWidget* table, const QList<QStringList>& rows);

} // namespace editors
