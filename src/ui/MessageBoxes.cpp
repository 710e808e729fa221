#include "ui/MessageBoxes.h"

#include "ui/NightVision.h"

#include <QApplication>
#include <QMessageBox>

namespace MessageBoxes {

namespace {

int OpenBoxes = 0;

Answer ShowQMessageBox(const Request& request)
{
    QMessageBox box(request.ErrorIcon ? QMessageBox::Critical : QMessageBox::NoIcon, request.Caption, request.Text,
                    request.Choice == Buttons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok); // Enter answers OK
    NightVision::OfferIn(&box);
    ++OpenBoxes;
    const int result = box.exec();
    --OpenBoxes;
    return result == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

Answerer& CurrentAnswerer()
{
    static Answerer answerer;
    return answerer;
}

} // namespace

Answer Show(const Request& request)
{
    if (const Answerer& answerer = CurrentAnswerer())
        return answerer(request);
    return ShowQMessageBox(request);
}

bool IsOpen()
{
    return OpenBoxes > 0;
}

void SetAnswerer(Answerer answerer)
{
    CurrentAnswerer() = std::move(answerer);
}

void Refuse(const QString& sentence)
{
    Show({QStringLiteral("Orvalis Calculator"), sentence, Buttons::Ok, false});
}

} // namespace MessageBoxes
