#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace dayvell {
namespace {

QPointer<QWidget>& registeredMainScreen()
{
    static QPointer<QWidget> mainScreen;
    return mainScreen;
}

} // namespace

void RegisterMainScreen(QWidget* mainScreen)
{
    registeredMainScreen() = mainScreen;
}

QWidget* MainScreen()
{
    return registeredMainScreen();
}

QPoint CenteredOver(const QRect& mainFrame, const QSize& windowSize)
{
    return { mainFrame.left() + (mainFrame.width() - windowSize.width()) / 2,
             mainFrame.top() + (mainFrame.height() - windowSize.height()) / 2 };
}

QPoint InitialPlacement(const QSize& screen, const QSize& window)
{
    if (screen == QSize(640, 480))
        return { 0, 0 };
    return { (screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2 };
}

void CenterOverMainScreen(QWidget* window)
{
    QRect over;
    if (QWidget* mainScreen = MainScreen())
        over = mainScreen->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        over = screen->availableGeometry();
    window->move(CenteredOver(over, window->frameGeometry().size()));
}

std::optional<QRect> FittedMaximisedGeometry(const QRect& window, const QSize& fullScreenClient)
{
    QRect fitted = window;
    if (window.height() > fullScreenClient.height()) {
        fitted.moveTop(0);
        fitted.setHeight(fullScreenClient.height());
        return fitted;
    }
    if (window.width() > fullScreenClient.width()) {
        fitted.moveLeft(0);
        fitted.setWidth(fullScreenClient.width());
        return fitted;
    }
    return std::nullopt;
}

void FitMaximisedWindow(QWidget* window)
{
    if (!window->isMaximized() || !window->screen())
        return;
    const QSize client = window->screen()->availableGeometry().size();
    if (auto fitted = FittedMaximisedGeometry(window->geometry(), client))
        window->setGeometry(*fitted);
}

} // namespace dayvell
