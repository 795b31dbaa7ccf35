#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

namespace dayvell {

// The program's main window, over which every dialog is centred. The main
// window registers itself when it is created.
void RegisterMainScreen(QWidget* mainScreen);
QWidget* MainScreen();

// Top-left corner that centres a window of the given size over the main
// window's frame; integer halves truncate toward zero, so a window larger than
// the main window gets a negative offset.
QPoint CenteredOver(const QRect& mainFrame, const QSize& windowSize);

// Where the main window starts: at the top-left corner of a 640 by 480
// screen, centred on any other (halves truncated toward zero).
QPoint InitialPlacement(const QSize& screen, const QSize& window);

// Moves the window so that it is centred over the registered main window
// (over the primary screen when there is none yet).
void CenterOverMainScreen(QWidget* window);

// Geometry a maximised window must take so that it fits the full-screen
// client area: a window taller than that area is cut to its height at top 0;
// otherwise a window wider than it is cut to its width at left 0. At most one
// correction per call; nothing when the window fits.
std::optional<QRect> FittedMaximisedGeometry(const QRect& window, const QSize& fullScreenClient);

// Applies FittedMaximisedGeometry to a maximised window, against the available
// area of its screen. A window that is not maximised is left alone.
void FitMaximisedWindow(QWidget* window);

} // namespace dayvell
