// The question of the import commands: which existing file to import, asked in Spanish.
#pragma once

#include <QString>

class QWidget;

namespace editors {

// The path chosen in a file dialog titled `title` showing the files of `filter`; empty when the
// user cancels.
QString chooseFileToImport(QWidget* parent, const QString& title, const QString& filter);

} // namespace editors
