// KeyRules: the application-wide key rules of data entry: "." in an amount field types the
// locale's decimal separator, Enter and Down move on as Tab does, Page Down and Page Up turn the
// main window's pages.
#include "KeyRules.h"

#include "AmountEdit.h"
#include "Command.h"
#include "LocaleSeparators.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace app {

namespace {

bool isPageControl(const QWidget* w)
{
    return qobject_cast<const QTabWidget*>(w) ||
           (qobject_cast<const QTabBar*>(w) && qobject_cast<const QTabWidget*>(w->parentWidget()));
}

// The first field of the page in the fields' tab order, which starts at `tabOrderStart`.
void focusFirstControlOf(QWidget* page, QWidget* tabOrderStart)
{
    QWidget* w = tabOrderStart;
    do {
        if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
            w->isVisibleTo(page)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
        w = w->nextInFocusChain();
    } while (w != tabOrderStart);
}

} // namespace

KeyRules::KeyRules(QTabWidget* pages, QWidget* firstField, QObject* parent)
    : QObject(parent), m_pages(pages), m_firstField(firstField)
{
}

bool KeyRules::eventFilter(QObject* watched, QEvent* event)
{
    // A key event reaches the focused widget first and may then travel to its parents;
    // the hook acts once, on the first delivery.
    if (event->type() == QEvent::KeyPress) {
        const QWidget* focus = QApplication::focusWidget();
        if (watched == focus || (!focus && watched == QApplication::activeWindow())) {
            bool handled = false;
            command::run([&] {
                handled = apply(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
            });
            return handled;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool KeyRules::apply(QWidget* target, const QKeyEvent* key)
{
    // A file dialog keeps its own keys: Enter there accepts the name typed.
    if (qobject_cast<const QFileDialog*>(target->window()))
        return false;
    // The keypad's "." types the locale's decimal separator into an amount field.
    const QChar decimal = amount::currentSeparators().decimal;
    if (key->text() == u"." && decimal != u'.' && qobject_cast<amount::AmountEdit*>(target)) {
        QKeyEvent separator(QEvent::KeyPress, decimal == u',' ? Qt::Key_Comma : Qt::Key_unknown,
                            key->modifiers(), QString(decimal), key->isAutoRepeat(), key->count());
        QCoreApplication::sendEvent(target, &separator);
        return true;
    }
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        if (qobject_cast<QLineEdit*>(target) || isPageControl(target)) {
            const bool back = key->modifiers() & Qt::ShiftModifier;
            QKeyEvent tab(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab, key->modifiers());
            QCoreApplication::sendEvent(target, &tab);
            return true;
        }
        if (key->key() != Qt::Key_Down) {
            if (auto* button = qobject_cast<QPushButton*>(target)) {
                button->click();
                return true;
            }
        }
        break;
    case Qt::Key_PageDown:
        turnPage(+1);
        break;
    case Qt::Key_PageUp:
        turnPage(-1);
        break;
    default:
        break;
    }
    return false;
}

void KeyRules::turnPage(int step)
{
    QTabWidget* pages = m_pages;
    const int index = pages->currentIndex() + step;
    if (index < 0 || index >= pages->count())
        return;
    const QWidget* focused = pages->window()->focusWidget();
    const QWidget* page = pages->currentWidget();
    // A page without a field to take the focus holds it itself.
    const bool focusWasOnPage = focused && (focused == page || page->isAncestorOf(focused));
    pages->setCurrentIndex(index);
    if (focusWasOnPage)
        focusFirstControlOf(pages->currentWidget(), m_firstField);
}

} // namespace app
