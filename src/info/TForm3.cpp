#include "info/TForm3.h"

#include "info/InfoWidgets.h"
#include "ui/ErrorReport.h"
#include "ui/WindowRules.h"

TForm3::TForm3(QWidget* parent)
    : QWidget(parent)
{
    // One font and colour for the text and the button alike; black stays black on a dark
    // desktop, so the text box keeps a white page under it and the button a light face.
    setFont(PixelFont(11, true));
    setupUi(this);
    SetupWindowFrame(this, {483, 309});
    SetBackground(this, Navy);
    for (QWidget* control : std::initializer_list<QWidget*>{Memo1, Button1})
        SetTextColour(control, Qt::black);
    SetRoleColour(Memo1, QPalette::Base, Qt::white);
    SetRoleColour(Button1, QPalette::Button, ButtonFace);
    SetupLongText(Memo1, QStringLiteral(":/info/texts/Theory.txt"), font());

    ConnectHandler(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);

    // Activation gives the focus to the text when no control holds it yet.
    Memo1->setFocus();
}

void TForm3::Button1Click()
{
    // The calculator comes to the front even when the user closed it meanwhile.
    close();
    if (m_openCalculator)
        m_openCalculator();
}
