#include "shell/TamskApp.h"

#include <QGuiApplication>
#include <QIcon>
#include <QQuickStyle>

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("VELTO"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("VELTO"));
    QGuiApplication::setDesktopFileName(QStringLiteral("velto"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/velto.svg")));
    QQuickStyle::setStyle(QStringLiteral("Basic"));

    TamskApp app;
    if (!app.showMainWindow()) return 1;
    return QGuiApplication::exec();
}
