#pragma once

#include <QImage>
#include <QString>

#include <functional>

class QWidget;

//! Every "save as" question of the program goes through here: the program shows a modeless
//! QFileDialog, tests put a scripted answerer in its place.
namespace SaveDialogs {

struct Request
{
    QWidget* Window = nullptr; //!< the window that asks; its dialog belongs to it
    QString Caption;
    QString SuggestedPath;     //!< the folder and file name offered first
    QString NameFilter;        //!< for example "PDF documents (*.pdf)"
    QString DefaultSuffix;     //!< added to a name typed without an extension
    bool Open = false;         //!< a file to read, which must exist, rather than one to write
    bool AsksBeforeReplacing = true; //!< the dialog asks before a name that exists is confirmed
};

//! Runs when the user confirms a name, with the whole path.
using Chosen = std::function<void(const QString& path)>;
//! Answers in place of the dialog (tests): a path, or an empty text for Cancel.
using Answerer = std::function<QString(const Request&)>;

//! Asks for a file to save to. Like every window of the program the dialog is not modal: the
//! other windows stay usable, and `chosen` runs through the handler guard once the user has
//! confirmed a name and the dialog has gone, with the asking window active again. Cancel
//! runs nothing. Asking again from a window whose dialog is open brings that dialog forward.
void Ask(const Request& request, Chosen chosen);

//! Ask for a file first named `fileName`, offered in the folder of the last file written or
//! read in this run, or until then in the user's documents folder, or in the home folder where
//! that folder is gone. A folder is remembered once `chosen` returns: a failed save throws, and
//! leaves the folder offered as it was.
void AskToSave(QWidget* window, const QString& caption, const QString& fileName, const QString& nameFilter,
               const QString& defaultSuffix, Chosen chosen);

//! As AskToSave, for a file whose name the program completes: `completed` gives the path that
//! will really be written for the name confirmed (a suffix added), and `chosen` gets that path.
//! The dialog asks nothing about the name it was given; the program asks before replacing the
//! file that will be replaced, and only that one.
void AskToSaveCompleted(QWidget* window, const QString& caption, const QString& fileName, const QString& nameFilter,
                        const QString& defaultSuffix, const std::function<QString(const QString&)>& completed,
                        Chosen chosen);

//! Asks for an existing file to read, in the same folder as AskToSave offers and remembered the
//! same way: once `chosen` has read it without throwing.
void AskToOpen(QWidget* window, const QString& caption, const QString& nameFilter, Chosen chosen);

//! Asks for a PNG file first named `fileName`, as AskToSave does, and writes `picture()` to it
//! through SaveSafely: the picture as it stands when the user confirms the name.
void AskToSavePicture(QWidget* window, const QString& fileName, const std::function<QImage()>& picture);

//! Replaces the dialog with `answerer` (tests); an empty answerer restores the real dialog.
void SetAnswerer(Answerer answerer);

//! Remembers the folder of a file the program read or wrote without a dialog (a job named on
//! the command line), to be offered first as after a dialog.
void RememberFolderOf(const QString& path);

//! Forgets the folder last written to, as at start-up (tests that each start the program).
void ForgetLastFolder();

} // namespace SaveDialogs
