// TFormularioPrincipal: the program's main window and its application-wide key hook.
#pragma once

#include "EntityData.h"
#include "ReportFigures.h"
#include "TextPrompt.h"

#include <QMainWindow>

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
    // Command still to be built; not connected.
    void BtnInformeClick() {}

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
    TForm2* m_form2 = nullptr;
    TCalculadora* m_calculadora = nullptr;
};
