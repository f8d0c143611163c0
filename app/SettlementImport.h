// SettlementImport: "Importar liquidación…", a settlement read beside the window from the file
// the user chooses, its entity chosen in the import dialog, and put in the case as one edit.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace app {

class CaseModel;
struct SettlementSource;

class SettlementImport final : public QObject
{
    Q_OBJECT

public:
    // The file question, the progress and the dialog are shown over `window`.
    SettlementImport(CaseModel& model, QWidget* window);

    // Replaces the file question, so that a test can answer it; an empty path means the user
    // cancelled.
    void setFileChooser(std::function<QString()> chooser) { m_chooseFile = std::move(chooser); }

    // How long a reading runs unseen before it shows its progress.
    static constexpr int ProgressDelayMs = 100;

    // The command.
    void importSettlement();

private:
    // Reads on a thread of its own while a progress dialog, which may cancel, stays usable.
    SettlementSource readBesideTheWindow(const QString& path);

    CaseModel& m_model;
    QWidget* m_window;
    std::function<QString()> m_chooseFile;
};

} // namespace app
