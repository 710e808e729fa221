#include "info/TIntroForm.h"

#include "info/InfoWidgets.h"
#include "info/TForm2.h"
#include "ui/ErrorReport.h"
#include "ui/WindowRules.h"

TIntroForm::TIntroForm(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupWindowFrame(this, {594, 403});
    SetBackground(this, Navy);
    SetupLongText(Memo1, QStringLiteral(":/info/texts/Introduction.txt"), PixelFont(13, true));
    for (QPushButton* button : {Button1, Button2})
        button->setFont(PixelFont(11, true));

    ConnectHandler(Button1, &QPushButton::clicked, this, &TIntroForm::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TIntroForm::Button2Click);

    // Activation gives the focus to the text when no control holds it yet.
    Memo1->setFocus();
}

void TIntroForm::Button1Click()
{
    TForm2::JumpToWeb();
}

void TIntroForm::Button2Click()
{
    close();
}
