// TextPrompt: the small modal dialog that asks for one line of text.
#include "TextPrompt.h"

#include "Messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace app {

TextPrompt::TextPrompt(const QString& title, const QString& prompt, const QString& proposed,
                       QWidget* parent)
    : QDialog(parent), m_proposed(proposed), m_text(new QLineEdit(proposed, this))
{
    setObjectName(QStringLiteral("TextPrompt"));
    setWindowTitle(title);
    auto* promptLabel = new QLabel(prompt, this);
    promptLabel->setObjectName(QStringLiteral("Prompt"));
    promptLabel->setBuddy(m_text);
    m_text->setObjectName(QStringLiteral("Text"));
    m_text->setMaxLength(MaxAnswerLength);
    // Wide enough to show a long entity name whole.
    constexpr int MinimumTextWidth = 300;
    m_text->setMinimumWidth(MinimumTextWidth);
    auto* ok = new QPushButton(reports::promptOkCaption(), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(reports::promptCancelCaption(), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    setTabOrder(m_text, ok);
    setTabOrder(ok, cancel);
    m_text->selectAll();
    m_text->setFocus();
}

QString TextPrompt::answer() const
{
    return result() == QDialog::Accepted ? m_text->text() : m_proposed;
}

QString TextPrompt::ask(const QString& title, const QString& prompt, const QString& proposed,
                        QWidget* parent)
{
    TextPrompt dialog(title, prompt, proposed, parent);
    dialog.adjustSize();
    if (const QScreen* screen = dialog.screen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    dialog.exec();
    return dialog.answer();
}

} // namespace app
