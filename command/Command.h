// Commands that report their own failures: the wrapper every command runs through, and the
// error box it shows.
#pragma once

#include <QString>

#include <exception>
#include <functional>

namespace command {

// Runs a command; what it throws is shown in the error box (a std::exception's message, a
// general one for anything else) and the program goes on with the windows as they stood. False
// when the command failed.
bool run(const std::function<void()>& command);

// A callable that runs receiver->method() as a command, for connecting to a signal.
template <typename Receiver, typename Method> auto guarded(Receiver* receiver, Method method)
{
    return [receiver, method] { run([&] { (receiver->*method)(); }); };
}

// Shows the error box for a failed command: error icon, one OK button, the program's title.
// The message is UTF-8; a "\r" in it breaks the line.
void showError(const std::exception& error);
// The same for a failure that is no std::exception: a general message.
void showUnexpectedError();

// The title of the program's message boxes: titleFor() the running program.
QString boxTitle();
// The error box's title for a program file: its name up to the first ".", every letter after
// the first in lower case.
QString titleFor(const QString& programFilePath);
// The message as shown: "." appended when its last character sorts after ".", so that a
// sentence ends with a full stop while one ending in "!" or ")" is left as it is.
QString shownMessage(const QString& message);

// Replaces the error box, so that a test can see what would be shown; returns the previous
// presenter. An empty function restores the box.
using ErrorPresenter = std::function<void(const QString& title, const QString& message)>;
ErrorPresenter setErrorPresenter(ErrorPresenter presenter);

} // namespace command
