// The question of the import commands: which existing file to import, asked in Spanish.
#include "FileChooser.h"

#include "Messages.h"

#include <QFileDialog>

namespace editors {

QString chooseFileToImport(QWidget* parent, const QString& title, const QString& filter)
{
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::LookIn, reports::lookInLabel());
    dialog.setLabelText(QFileDialog::FileName, reports::fileNameLabel());
    dialog.setLabelText(QFileDialog::FileType, reports::fileTypeLabel());
    dialog.setLabelText(QFileDialog::Accept, reports::importCaption());
    dialog.setLabelText(QFileDialog::Reject, reports::cancelCaption());
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace editors
