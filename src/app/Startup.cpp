#include "app/Startup.h"

#include "app/ProgramWindows.h"
#include "app/TSplashScreen.h"
#include "app/WindowSet.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <functional>

void PrepareApplication()
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
}

namespace {

//! Runs `then` from the event loop once `window` has been hidden.
void WhenHidden(QWidget* window, std::function<void()> then)
{
    class Watcher : public QObject
    {
    public:
        Watcher(QWidget* watched, std::function<void()> then) : QObject(watched), m_then(std::move(then)) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Hide) {
                QTimer::singleShot(0, parent(), m_then);
                deleteLater();
            }
            return false;
        }

    private:
        std::function<void()> m_then;
    };
    if (!window->isVisible()) {
        QTimer::singleShot(0, window, std::move(then));
        return;
    }
    window->installEventFilter(new Watcher(window, std::move(then)));
}

} // namespace

int RunProgram(QApplication& application, const QByteArray& job)
{
    CreateProgramWindows();
    if (!job.isEmpty())
        WhenHidden(Windows().SplashScreen, [job] { OpenJobAtStart(job); });
    const int status = application.exec();
    DestroyProgramWindows();
    return status;
}

bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}
