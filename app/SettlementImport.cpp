// SettlementImport: "Importar liquidación…", a settlement read beside the window from the file
// the user chooses, its entity chosen in the import dialog, and put in the case as one edit.
#include "SettlementImport.h"

#include "CaseModel.h"
#include "FileChooser.h"
#include "Messages.h"
#include "SettlementDialog.h"
#include "SettlementSource.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QScopeGuard>

#include <atomic>
#include <chrono>
#include <future>
#include <optional>

namespace app {

namespace {

constexpr int ProgressSteps = 1000;

// The progress as the reading tells it: a busy bar while its length is not known.
void showProgress(QProgressDialog& dialog, qint64 done, qint64 total)
{
    if (dialog.wasCanceled())
        return;
    dialog.setMaximum(total > 0 ? ProgressSteps : 0);
    dialog.setValue(total > 0 ? static_cast<int>(done * ProgressSteps / total) : 0);
}

} // namespace

SettlementImport::SettlementImport(CaseModel& model, QWidget* window)
    : QObject(window), m_model(model), m_window(window), m_chooseFile([window] {
          return editors::chooseFileToImport(window, reports::importSettlementTitle(),
                                             reports::settlementFileFilter());
      })
{
}

void SettlementImport::importSettlement()
{
    const QString path = m_chooseFile();
    if (path.isEmpty())
        return;
    std::optional<SettlementSource> source;
    try {
        source.emplace(readBesideTheWindow(path));
    } catch (const imports::ReadingCancelled&) {
        return;
    }

    editors::SettlementDialog dialog(m_window);
    dialog.setTable(source->table, source->inventory);
    if (dialog.exec() != QDialog::Accepted || !dialog.settlement())
        return;
    const borrowing::Case& c = m_model.current();
    QString name = c.entityName;
    QString province = c.entityProvince;
    if (const auto& entity = dialog.chosenEntity(); entity && !entity->name.isEmpty()) {
        name = entity->name;
        // A code that names no province leaves the one the case has.
        if (const QString named = imports::provinceOfCode(entity->code); !named.isEmpty())
            province = named;
    }
    m_model.setSettlement(imports::withSettlement(c.figures, *dialog.settlement()), name, province);
}

SettlementSource SettlementImport::readBesideTheWindow(const QString& path)
{
    QProgressDialog progress(reports::importingText(QFileInfo(path).fileName()),
                             reports::cancelCaption(), 0, ProgressSteps, m_window);
    progress.setWindowTitle(reports::importSettlementTitle());
    // Nothing else is done with the case while it is read.
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    std::atomic<bool> cancelled = false;
    connect(&progress, &QProgressDialog::canceled, &progress, [&cancelled] { cancelled = true; });

    QEventLoop loop;
    auto reading = std::async(std::launch::async, [&] {
        const auto wake = qScopeGuard(
            [&loop] { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); });
        return readSettlementSource(path, [&](qint64 done, qint64 total) {
            QMetaObject::invokeMethod(
                &progress, [&progress, done, total] { showProgress(progress, done, total); },
                Qt::QueuedConnection);
            return !cancelled;
        });
    });
    // A small file is read before the progress would be seen; the window is not painted
    // meanwhile, nor does it take input.
    if (reading.wait_for(std::chrono::milliseconds(ProgressDelayMs)) != std::future_status::ready) {
        progress.show();
        loop.exec();
    }
    return reading.get();
}

} // namespace app
