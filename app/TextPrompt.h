// TTextPrompt: the small modal dialog that asks for one line of text.
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;

// Asks a question with a window title, a prompt line and a proposed text; returns the answer.
using TPrompter =
    std::function<QString(const QString& title, const QString& prompt, const QString& proposed)>;

class TTextPrompt final : public QDialog
{
    Q_OBJECT

public:
    TTextPrompt(const QString& title, const QString& prompt, const QString& proposed,
                QWidget* parent = nullptr);

    // The text in the box after "OK"; the proposed text after "Cancel", Esc or closing.
    QString Answer() const;

    // Shows the prompt modally, centred on the screen, and returns its answer.
    static QString Ask(const QString& title, const QString& prompt, const QString& proposed,
                       QWidget* parent = nullptr);

    static constexpr int MaxAnswerLength = 255;

private:
    QString m_proposed;
    QLineEdit* m_text;
};
