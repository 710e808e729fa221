#pragma once

#include <QString>

#include <functional>

class QWidget;

//! Every message box of the program goes through here: the program shows a QMessageBox,
//! tests put a scripted answerer in its place.
namespace MessageBoxes {

enum class Buttons { Ok, OkCancel };
enum class Answer { Ok, Cancel };

struct Request
{
    QString Caption;
    QString Text;
    Buttons Choice = Buttons::Ok;
    bool ErrorIcon = false;
};

using Answerer = std::function<Answer(const Request&)>;

//! Shows an application-modal box and returns the user's answer.
Answer Show(const Request& request);

//! Replaces the box with `answerer` (tests); an empty answerer restores the real box.
void SetAnswerer(Answerer answerer);

//! True while a real box is open (its window has taken the activation from the program's).
bool IsOpen();

//! The refusal box of the optical windows: caption "Orvalis Calculator", OK.
void Refuse(const QString& sentence);

} // namespace MessageBoxes
