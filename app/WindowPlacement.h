// How the main window is laid out and where it opens: what its form file cannot say of its
// controls' sizes, pages that scroll when the window is smaller than they ask for, and its size
// and place, remembered between runs.
#pragma once

class QMainWindow;
class QTabWidget;

namespace Ui {
class MainWindow;
}

namespace app {

// The toolbar's three buttons filling the window's width, the status bar's height, amount fields
// wide enough for what they show and no wider, the calculator's square button and the revenue
// and expenditure fields lined up one under the other.
void layOutForm(Ui::MainWindow& ui);

// Each page of `pages` scrolls up and down when the window is smaller than the page's layout
// asks for; the tabs and what lies outside them stay in sight.
void scrollPages(QTabWidget* pages);

// The default size and place, within the screen, or those the window was last closed with while
// they still fit a screen.
void placeWindow(QMainWindow& window);
// Remembers the window's size and place for the next run.
void rememberPlace(const QMainWindow& window);

} // namespace app
