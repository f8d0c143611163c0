// TextPrompt: the small modal dialog that asks for one line of text.
#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;

namespace app {

// Asks a question with a window title, a prompt line and a proposed text; returns the answer.
using Prompter =
    std::function<QString(const QString& title, const QString& prompt, const QString& proposed)>;

class TextPrompt final : public QDialog
{
    Q_OBJECT

public:
    TextPrompt(const QString& title, const QString& prompt, const QString& proposed,
               QWidget* parent = nullptr);

    // The text in the box after "OK"; the proposed text after "Cancel", Esc or closing.
    QString answer() const;

    // Shows the prompt modally, centred on the screen, and returns its answer.
    static QString ask(const QString& title, const QString& prompt, const QString& proposed,
                       QWidget* parent = nullptr);

    static constexpr int MaxAnswerLength = 255;

private:
    QString m_proposed;
    QLineEdit* m_text;
};

} // namespace app
