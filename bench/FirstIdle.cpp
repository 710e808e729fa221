#include "FirstIdle.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

bool EveryVisibleWindowExposed()
{
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && !(widget->windowHandle() && widget->windowHandle()->isExposed()))
            return false;
    return true;
}

} // namespace

void ReportFirstIdle()
{
    auto* dispatcher = QAbstractEventDispatcher::instance();
    auto* connection = new QMetaObject::Connection;
    *connection = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, qApp, [connection] {
        if (!QCoreApplication::instance() || QApplication::topLevelWidgets().isEmpty() || !EveryVisibleWindowExposed())
            return;
        QObject::disconnect(*connection);
        delete connection;
        std::fputs("idle\n", stdout);
        std::fflush(stdout);
        char line[16];
        [[maybe_unused]] const char* answer = std::fgets(line, sizeof line, stdin);
        QCoreApplication::quit();
    });
}
