// The platform's default beep, replaceable so that tests can count beeps.
#include "Beep.h"

#include <QApplication>

#include <utility>

namespace numedit {

namespace {

BeepHandler& handler()
{
    static BeepHandler h;
    return h;
}

} // namespace

void Beep()
{
    if (handler())
        handler()();
    else
        QApplication::beep();
}

BeepHandler SetBeepHandler(BeepHandler newHandler)
{
    return std::exchange(handler(), std::move(newHandler));
}

} // namespace numedit
