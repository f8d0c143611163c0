// CaseDocument: the open case's file, its unsaved changes, the recent cases, and the commands
// that create, open and save cases.
#pragma once

#include "CaseFile.h"
#include "FileStamp.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace app {

class CaseModel;

// The cases opened or saved last, newest first, at most `limit`.
QStringList withRecentCase(QStringList recent, const QString& path, int limit);

class CaseDocument final : public QObject
{
    Q_OBJECT

public:
    enum class SaveAnswer
    {
        Save,
        Discard,
        Cancel
    };
    // The questions the commands ask; replaceable so that tests can answer them. A path
    // question answers an empty text when the user cancels.
    struct Dialogs
    {
        std::function<SaveAnswer(const QString& caseName)> askToSave;
        std::function<QString(const QString& folder)> chooseCaseToOpen;
        std::function<QString(const QString& suggestedPath)> chooseWhereToSave;
        // The file changed on disk since it was opened or saved: replace it all the same?
        std::function<bool(const QString& caseName)> askToOverwrite;
    };

    static constexpr int RecentLimit = 8;

    // Saves what the model holds, and gives it the cases opened or made new.
    CaseDocument(CaseModel& model, QWidget* dialogParent);

    void setDialogs(Dialogs dialogs) { m_dialogs = std::move(dialogs); }

    // The case's file; empty while the case has never been saved.
    QString path() const { return m_path; }
    // The file's name, or "Sin título".
    QString displayName() const;
    bool isModified() const { return m_modified; }
    void markModified();
    QStringList recentCases() const;

    // The commands. Each asks first about unsaved changes where it would lose them; a failure
    // reaches the caller as an exception, with nothing on screen changed.
    void newCase();
    void open();
    void open(const QString& path);
    // False when the user cancelled the file question, or would not replace a file that
    // changed on disk since this window opened or last saved it.
    bool save();
    bool saveAs();

    // Asks whether to save unsaved changes and does what the answer says; false when the
    // work in hand must go on (cancelled, or the save failed).
    bool maybeSave();

signals:
    // The path, the unsaved-changes mark or the recent cases changed.
    void changed();

private:
    void load(const QString& path);
    void saveTo(const QString& path);
    // The file, as `stamp` found it, is now what this window opened or saved.
    void settle(const QString& path, const std::optional<userfile::FileStamp>& stamp);
    void rememberRecent(const QString& path);
    void forgetRecent(const QString& path);
    QString lastFolder() const;

    CaseModel& m_model;
    Dialogs m_dialogs;
    QString m_path;
    // The file as this window last read or wrote it.
    std::optional<userfile::FileStamp> m_stamp;
    bool m_modified = false;
};

} // namespace app
