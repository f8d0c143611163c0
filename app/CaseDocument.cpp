// CaseDocument: the open case's file, its unsaved changes, the recent cases, and the commands
// that create, open and save cases.
#include "CaseDocument.h"

#include "BusyWork.h"
#include "CaseModel.h"
#include "Command.h"
#include "Messages.h"
#include "Refusals.h"
#include "UserFile.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

namespace app {

namespace {

const QString Extension = QStringLiteral("endeudamiento");
const QString RecentKey = QStringLiteral("recentCases");
const QString FolderKey = QStringLiteral("lastFolder");

// The file dialog, in Spanish whatever Qt's own language is.
QString chooseFile(QWidget* parent, QFileDialog::AcceptMode mode, const QString& start)
{
    const bool opening = mode == QFileDialog::AcceptOpen;
    QFileDialog dialog(parent, opening ? reports::openCaseTitle() : reports::saveCaseTitle(), start,
                       reports::caseFileFilter());
    dialog.setAcceptMode(mode);
    dialog.setFileMode(opening ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setLabelText(QFileDialog::LookIn, reports::lookInLabel());
    dialog.setLabelText(QFileDialog::FileName, reports::fileNameLabel());
    dialog.setLabelText(QFileDialog::FileType, reports::fileTypeLabel());
    dialog.setLabelText(QFileDialog::Accept,
                        opening ? reports::openCaption() : reports::saveCaption());
    dialog.setLabelText(QFileDialog::Reject, reports::cancelCaption());
    while (dialog.exec() == QDialog::Accepted) {
        const QString path = dialog.selectedFiles().value(0);
        if (opening || !QFileInfo::exists(path))
            return path;
        QMessageBox question(QMessageBox::Question, command::boxTitle(),
                             reports::replaceQuestion(QFileInfo(path).fileName()),
                             QMessageBox::NoButton, &dialog);
        QPushButton* replace =
            question.addButton(reports::replaceCaption(), QMessageBox::AcceptRole);
        question.setEscapeButton(
            question.addButton(reports::cancelCaption(), QMessageBox::RejectRole));
        question.exec();
        if (question.clickedButton() == replace)
            return path;
    }
    return {};
}

bool askToOverwriteInABox(QWidget* parent, const QString& caseName)
{
    QMessageBox box(QMessageBox::Warning, command::boxTitle(), reports::overwriteQuestion(caseName),
                    QMessageBox::NoButton, parent);
    QPushButton* overwrite =
        box.addButton(reports::overwriteCaption(), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(reports::cancelCaption(), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == overwrite;
}

CaseDocument::SaveAnswer askToSaveInABox(QWidget* parent, const QString& caseName)
{
    QMessageBox box(QMessageBox::Question, command::boxTitle(),
                    reports::saveChangesQuestion(caseName), QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(reports::saveCaption(), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(reports::discardCaption(), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(reports::cancelCaption(), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return CaseDocument::SaveAnswer::Save;
    if (box.clickedButton() == discard)
        return CaseDocument::SaveAnswer::Discard;
    return CaseDocument::SaveAnswer::Cancel;
}

} // namespace

QStringList withRecentCase(QStringList recent, const QString& path, int limit)
{
    recent.removeAll(path);
    recent.prepend(path);
    return recent.mid(0, limit);
}

CaseDocument::CaseDocument(CaseModel& model, QWidget* dialogParent)
    : QObject(dialogParent),
      m_model(model), m_dialogs{[dialogParent](const QString& caseName) {
                                    return askToSaveInABox(dialogParent, caseName);
                                },
                                [dialogParent](const QString& folder) {
                                    return chooseFile(dialogParent, QFileDialog::AcceptOpen,
                                                      folder);
                                },
                                [dialogParent](const QString& suggestedPath) {
                                    return chooseFile(dialogParent, QFileDialog::AcceptSave,
                                                      suggestedPath);
                                },
                                [dialogParent](const QString& caseName) {
                                    return askToOverwriteInABox(dialogParent, caseName);
                                }}
{
}

QString CaseDocument::displayName() const
{
    return m_path.isEmpty() ? reports::untitledName() : QFileInfo(m_path).fileName();
}

void CaseDocument::markModified()
{
    if (m_modified)
        return;
    m_modified = true;
    emit changed();
}

QStringList CaseDocument::recentCases() const
{
    return QSettings().value(RecentKey).toStringList();
}

void CaseDocument::newCase()
{
    if (!maybeSave())
        return;
    m_model.reset({});
    m_path.clear();
    m_stamp.reset();
    m_modified = false;
    emit changed();
}

void CaseDocument::open()
{
    if (!maybeSave())
        return;
    const QString path = m_dialogs.chooseCaseToOpen(lastFolder());
    if (!path.isEmpty())
        load(path);
}

void CaseDocument::open(const QString& path)
{
    if (maybeSave())
        load(path);
}

void CaseDocument::load(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // Taken first: a change while reading then shows as a change at the next save.
    const std::optional<userfile::FileStamp> stamp = userfile::fileStamp(absolute);
    casefile::Case c;
    const auto refuse = [&](const QString& reason) {
        if (!QFileInfo::exists(absolute))
            forgetRecent(absolute);
        throw std::runtime_error(
            reports::cannotOpenText(QFileInfo(absolute).fileName(), reason).toStdString());
    };
    try {
        c = whileBusy([absolute] { return casefile::readCaseFile(absolute); });
    } catch (const userfile::FileError& e) {
        refuse(QString::fromUtf8(e.what()));
    } catch (const borrowing::Refused& e) {
        refuse(reports::refusalText(e.refusal()));
    }
    m_model.reset(c);
    settle(absolute, stamp);
}

bool CaseDocument::save()
{
    if (m_path.isEmpty())
        return saveAs();
    const std::optional<userfile::FileStamp> now = userfile::fileStamp(m_path);
    // A file another program replaced since; one that is gone is simply written again.
    if (now && m_stamp && *now != *m_stamp && !m_dialogs.askToOverwrite(displayName()))
        return false;
    saveTo(m_path);
    return true;
}

bool CaseDocument::saveAs()
{
    const QString suggested =
        m_path.isEmpty() ? QDir(lastFolder()).filePath(displayName() + u'.' + Extension) : m_path;
    QString path = m_dialogs.chooseWhereToSave(suggested);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + Extension;
    saveTo(QFileInfo(path).absoluteFilePath());
    return true;
}

void CaseDocument::saveTo(const QString& path)
{
    try {
        // A copy: the window may change the case while it is written.
        whileBusy([path, c = m_model.current()] { casefile::writeCaseFile(path, c); });
    } catch (const userfile::FileError& e) {
        throw std::runtime_error(
            reports::cannotSaveText(QFileInfo(path).fileName(), QString::fromUtf8(e.what()))
                .toStdString());
    }
    settle(path, userfile::fileStamp(path));
}

void CaseDocument::settle(const QString& path, const std::optional<userfile::FileStamp>& stamp)
{
    m_path = path;
    m_stamp = stamp;
    m_modified = false;
    rememberRecent(path);
    emit changed();
}

bool CaseDocument::maybeSave()
{
    if (!m_modified)
        return true;
    switch (m_dialogs.askToSave(displayName())) {
    case SaveAnswer::Save: {
        bool saved = false;
        command::run([&] { saved = save(); });
        return saved;
    }
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void CaseDocument::rememberRecent(const QString& path)
{
    QSettings settings;
    settings.setValue(RecentKey, withRecentCase(recentCases(), path, RecentLimit));
    settings.setValue(FolderKey, QFileInfo(path).absolutePath());
}

void CaseDocument::forgetRecent(const QString& path)
{
    QStringList recent = recentCases();
    if (recent.removeAll(path) > 0) {
        QSettings().setValue(RecentKey, recent);
        emit changed();
    }
}

QString CaseDocument::lastFolder() const
{
    return QSettings().value(FolderKey, QDir::homePath()).toString();
}

} // namespace app
