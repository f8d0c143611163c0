// TApplication: the application object and its default handling of failed commands.
#pragma once

#include <QApplication>

#include <exception>
#include <functional>

class TApplication final : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    // Runs the event; a std::exception escaping it is shown and the program goes on.
    bool notify(QObject* receiver, QEvent* event) override;

    // The title of error messages: the program file's name up to its first ".", every
    // letter after the first in lower case.
    static QString TitleFor(const QString& programFilePath);
    // The message as shown: "." appended when its last character sorts after ".".
    static QString ShownMessage(const QString& message);

    QString Title() const { return m_title; }
    void ShowException(const std::exception& e);

    // Replaces the message box, so that a test can see what would be shown.
    using ErrorPresenter = std::function<void(const QString& title, const QString& message)>;
    void setErrorPresenter(ErrorPresenter presenter) { m_presenter = std::move(presenter); }

private:
    QString m_title;
    ErrorPresenter m_presenter;
};
