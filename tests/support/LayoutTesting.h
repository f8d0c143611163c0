// How the windows' tests judge a layout: controls outside their container, controls that
// overlap, labels too small for their text, at the sizes a window may take.
#pragma once

#include <QLabel>
#include <QLayout>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace testsupport {

// The faults of how `container`'s visible controls lie, and in turn those of every laid-out
// control among them; empty when there are none.
inline QStringList layoutFaults(const QWidget* container)
{
    QList<const QWidget*> controls;
    for (const QObject* child : container->children()) {
        const auto* control = qobject_cast<const QWidget*>(child);
        if (control && control->isVisible() && !control->isWindow())
            controls << control;
    }
    QStringList faults;
    for (qsizetype a = 0; a < controls.size(); ++a) {
        const QWidget* control = controls[a];
        const QString name = control->objectName();
        if (!container->rect().contains(control->geometry()))
            faults << name + QStringLiteral(" lies outside ") + container->objectName();
        for (qsizetype b = a + 1; b < controls.size(); ++b) {
            if (control->geometry().intersects(controls[b]->geometry()))
                faults << name + QStringLiteral(" overlaps ") + controls[b]->objectName();
        }
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            const bool whole = label->wordWrap()
                                   ? label->height() >= label->heightForWidth(label->width())
                                   : label->width() >= label->sizeHint().width();
            if (!whole)
                faults << name + QStringLiteral(" cuts its text");
        }
        if (control->layout())
            faults << layoutFaults(control);
    }
    return faults;
}

// The rows of a data-driven layout test: the window as it opens, at its smallest, enlarged.
inline void addWindowSizes()
{
    QTest::addColumn<bool>("smallest");
    QTest::addColumn<QSize>("extra");
    QTest::newRow("as it opens") << false << QSize(0, 0);
    QTest::newRow("at its smallest") << true << QSize(0, 0);
    QTest::newRow("enlarged") << false << QSize(200, 150);
}

// Resizes the shown `window` to the size of the current addWindowSizes() row and returns its
// layout faults there, and whether it opened at less than its smallest size or `stretching`
// failed to take all that the window gained or lost.
inline QStringList faultsAtWindowSize(QWidget* window, const QWidget* stretching)
{
    QFETCH(bool, smallest);
    QFETCH(QSize, extra);
    const QSize opening = window->size();
    const QSize stretchingAtOpening = stretching->size();
    QStringList faults;
    if (opening.expandedTo(window->minimumSizeHint()) != opening)
        faults << QStringLiteral("the window opens smaller than its smallest size");
    const QSize size = (smallest ? window->minimumSizeHint() : opening) + extra;
    window->resize(size);
    if (!QTest::qWaitFor([&] { return window->size() == size; }))
        faults << QStringLiteral("the window does not take its size");
    faults << layoutFaults(window);
    if (stretching->size() - stretchingAtOpening != size - opening)
        faults << stretching->objectName() + QStringLiteral(" does not take the room");
    return faults;
}

} // namespace testsupport
