#include "shell/TamskApp.h"

#include <QGuiApplication>
#include <QQuickStyle>

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("VELTO"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("VELTO"));
    QGuiApplication::setDesktopFileName(QStringLiteral("velto"));
    QQuickStyle::setStyle(QStringLiteral("Basic"));

    TamskApp app;
    if (!app.showMainWindow()) return 1;
    return QGuiApplication::exec();
}
