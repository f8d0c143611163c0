// How the windows' tests judge a layout: controls outside their container, controls that
// overlap, labels too small for their text.
#pragma once

#include <QLabel>
#include <QLayout>
#include <QStringList>
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

} // namespace testsupport
