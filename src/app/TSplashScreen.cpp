#include "app/TSplashScreen.h"

#include "ui/Artwork.h"
#include "ui/ErrorReport.h"

TSplashScreen::TSplashScreen(QWidget* parent)
    : QWidget(parent)
    , Timer1(new QTimer(this))
{
    setupUi(this);
    // Close box only: no minimise box, and it stays above every other window.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::WindowStaysOnTopHint);
    setWindowIcon(ProgramIcon());
    setFixedSize(515, 262);
    // In night vision the style shows it in red (ui/NightVision.h), turned once, when first shown so.
    Image1->setPixmap(QPixmap::fromImage(SplashPictureFor(devicePixelRatioF())));

    // The four seconds run from the splash's creation, not from its showing.
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(4000);
    Timer1->setTimerType(Qt::PreciseTimer); // a coarse timer may fire up to 5 % early
    ConnectHandler(Timer1, &QTimer::timeout, this, &TSplashScreen::Timer1Timer);
    Timer1->start();
}

void TSplashScreen::Timer1Timer()
{
    // Once gone, the splash never comes back; a later expiry has nothing left to do.
    Timer1->stop();
    close();
}
