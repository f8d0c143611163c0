// TFormularioPrincipal: the program's main window and its application-wide key hook.
#pragma once

#include "EntityData.h"
#include "ReportFigures.h"
#include "TextPrompt.h"

#include <QMainWindow>

#include <functional>
#include <string>

class TCalculadora;
class TForm2;
class QKeyEvent;

namespace Ui {
class TFormularioPrincipal;
}

class TFormularioPrincipal final : public QMainWindow
{
    Q_OBJECT

public:
    // Creates the window, then the results window and the loan calculator, in that order.
    explicit TFormularioPrincipal(QWidget* parent = nullptr);
    ~TFormularioPrincipal() override;

    TForm2* Form2() const { return m_form2; }
    TCalculadora* Calculadora() const { return m_calculadora; }
    const TEntityData& EntityData() const { return m_entity; }

    // Replaces the text prompt, so that a test can answer the questions.
    void setPrompter(TPrompter prompter) { m_prompter = std::move(prompter); }
    // Replaces the desktop's open action on the full report's output.
    void setDocumentOpener(std::function<void(const QString&)> opener)
    {
        m_documentOpener = std::move(opener);
    }
    // Replaces the program's folder, where the full report's template and output lie.
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }

    void EnsureEntityData();
    void UpdateLimitCaption();
    void calculadatos();
    // The entity data and the fields as they are displayed now, for the reports.
    TReportFigures ReportFigures() const;

    void BtnSalirClick();
    void BtnCalcularClick();
    void TbDatosEClick();
    void tbPorcientoEClick();
    void BtnPrestamoClick();
    void TbInformeClick();
    void BtnInformeClick();
    // The full report's tag values: true with Value set for one of its tags.
    bool GetCustomTagValueForInvoice(const std::string& Tag, std::string& Value) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    // The application-wide key hook; true when the key was handled in place of the target.
    bool AppMessage(QObject* receiver, QKeyEvent* key);
    void turnPage(int step);
    void setupToolBar();

    Ui::TFormularioPrincipal* m_ui;
    TEntityData m_entity;
    TPrompter m_prompter;
    std::function<void(const QString&)> m_documentOpener;
    QString m_programFolder;
    TForm2* m_form2 = nullptr;
    TCalculadora* m_calculadora = nullptr;
};
