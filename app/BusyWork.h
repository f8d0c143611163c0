// Work that may take a while, done on a thread of its own while the windows keep painting.
#pragma once

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

#include <chrono>
#include <exception>
#include <future>
#include <utility>

namespace app {

// How long work runs before the cursor says the program is busy.
inline constexpr std::chrono::milliseconds BusyCursorDelay{500};

// Runs `work`, which must touch no widget, on a thread of its own, and returns what it returns
// or throws what it throws. Work that ends within a moment is simply waited for; longer work
// lets the windows paint meanwhile, taking no input, and past half a second shows a busy
// cursor.
template <typename Work> auto whileBusy(Work&& work)
{
    // Short enough not to be seen, long enough that a small case never spins the event loop.
    constexpr std::chrono::milliseconds Moment{100};
    QEventLoop loop;
    auto done = std::async(std::launch::async, [&work, &loop] {
        struct Wake
        {
            QEventLoop& loop;
            ~Wake() { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); }
        } wake{loop};
        return work();
    });
    if (done.wait_for(Moment) != std::future_status::ready) {
        bool busy = false;
        QTimer::singleShot(BusyCursorDelay - Moment, &loop, [&busy] {
            QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
            busy = true;
        });
        // The work wakes the loop once, as it ends: the future is ready a moment after.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        if (busy)
            QGuiApplication::restoreOverrideCursor();
    }
    return done.get();
}

} // namespace app
