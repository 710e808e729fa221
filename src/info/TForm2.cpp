#include "info/TForm2.h"

#include "info/InfoWidgets.h"
#include "info/WebLink.h"
#include "ui/ErrorReport.h"
#include "ui/MessageBoxes.h"
#include "ui/WindowRules.h"

TForm2::TForm2(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupWindowFrame(this, {427, 335});
    SetBackground(this, Navy);

    Label1->setFont(PixelFont(29, false, SerifFace));
    for (QLabel* label : {Label1, Label11}) {
        SetBackground(label, Silver);
        SetTextColour(label, Qt::black);
    }

    // The notice ignores the mouse as a whole. It is made transparent to the mouse rather than
    // disabled, because a disabled label would turn grey and the notice is black on white.
    SetBackground(Panel1, Qt::white);
    Panel1->setAttribute(Qt::WA_TransparentForMouseEvents);
    const QList<QLabel*> notice{Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10};
    for (QLabel* line : notice) {
        const bool bold = line == Label2 || line == Label3 || line == Label5 || line == Label6;
        line->setFont(PixelFont(13, bold));
        SetTextColour(line, Qt::black);
    }

    for (QPushButton* button : {Button2, Button1})
        button->setFont(PixelFont(11, true));

    ConnectHandler(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    ConnectHandler(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);

    // Activation gives the focus to the web button when no control holds it yet.
    Button2->setFocus();
}

void TForm2::Button2Click()
{
    JumpToWeb();
}

void TForm2::Button1Click()
{
    close();
}

void TForm2::JumpToWeb()
{
    const MessageBoxes::Answer answer = MessageBoxes::Show({
        QStringLiteral("Orvalis Calculator"),
        QStringLiteral("About to connect to the World Wide Web.\n"
                       "This will work only if you are connected to\n"
                       "the Internet and have a web browser installed."),
        MessageBoxes::Buttons::OkCancel,
        false,
    });
    if (answer != MessageBoxes::Answer::Ok)
        return;
    // "c" and 5 (show the window activated, at its own size) are the request a Windows shell
    // would get; the desktop opener uses the address alone.
    OpenWebDocument(MakerWebAddress, QStringLiteral("c"), QString(), 5);
}
