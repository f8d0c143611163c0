// KeyRules: the application-wide key rules of data entry: "." in an amount field types the
// locale's decimal separator, Enter and Down move on as Tab does, Page Down and Page Up turn the
// main window's pages.
#pragma once

#include <QObject>

class QKeyEvent;
class QTabWidget;
class QWidget;

namespace app {

// An event filter for the whole application: it sees every key of every window before the
// focused widget does.
class KeyRules final : public QObject
{
    Q_OBJECT

public:
    // `pages` is the main window's page control; `firstField` starts its fields' tab order.
    KeyRules(QTabWidget* pages, QWidget* firstField, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key was handled in place of the target.
    bool apply(QWidget* target, const QKeyEvent* key);
    void turnPage(int step);

    QTabWidget* m_pages;
    QWidget* m_firstField;
};

} // namespace app
