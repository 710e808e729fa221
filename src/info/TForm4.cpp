#include "info/TForm4.h"

#include "info/InfoWidgets.h"
#include "ui/ErrorReport.h"
#include "ui/WindowRules.h"

TForm4::TForm4(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupWindowFrame(this, {481, 316});
    SetBackground(this, Navy);
    SetupLongText(Memo1, QStringLiteral(":/info/texts/Usage.txt"), PixelFont(11, true));
    Button1->setFont(PixelFont(11, true));

    ConnectHandler(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);

    // Activation gives the focus to the text when no control holds it yet.
    Memo1->setFocus();
}

void TForm4::Button1Click()
{
    // The calculator comes to the front even when the user closed it meanwhile.
    close();
    if (m_openCalculator)
        m_openCalculator();
}
