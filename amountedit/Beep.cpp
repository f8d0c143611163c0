// The desktop's default beep, replaceable so that tests can count beeps.
#include "Beep.h"

#include <QApplication>

#include <utility>

namespace amount {

namespace {

BeepHandler& handler()
{
    static BeepHandler h;
    return h;
}

} // namespace

void beep()
{
    if (handler())
        handler()();
    else
        QApplication::beep();
}

BeepHandler setBeepHandler(BeepHandler newHandler)
{
    return std::exchange(handler(), std::move(newHandler));
}

} // namespace amount
