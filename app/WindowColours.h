// WindowColours: the main window's colours, chosen for its palette and chosen again whenever
// the palette changes.
#pragma once

#include "Verdict.h"

#include <QObject>

namespace Ui {
class MainWindow;
}

namespace app {

class WindowColours final : public QObject
{
    Q_OBJECT

public:
    // Colours the window's form now and whenever the window's palette changes.
    WindowColours(QWidget* window, Ui::MainWindow& ui);

    // The verdict's text takes the colour of its outcome.
    void showOutcome(borrowing::Outcome outcome);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();

    QWidget* m_window;
    Ui::MainWindow& m_ui;
    borrowing::Outcome m_outcome = borrowing::Outcome::NoAuthorisation;
};

} // namespace app
