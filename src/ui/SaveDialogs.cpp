#include "ui/SaveDialogs.h"

#include "ui/ErrorReport.h"
#include "ui/MessageBoxes.h"
#include "ui/NightVision.h"
#include "ui/SafeSave.h"
#include "ui/WindowRules.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QPointer>
#include <QStandardPaths>

namespace SaveDialogs {

namespace {

Answerer& CurrentAnswerer()
{
    static Answerer answerer;
    return answerer;
}

//! The folder of the last file written or read in this run; empty until then.
QString& LastFolder()
{
    static QString folder;
    return folder;
}

//! The open dialog of each window that asked.
QHash<QWidget*, QPointer<QFileDialog>>& OpenDialogs()
{
    static QHash<QWidget*, QPointer<QFileDialog>> dialogs;
    return dialogs;
}

//! The folder a save dialog opens in: the last one written to in this run, else the documents
//! folder, else home. Qt names ~/Documents even where there is none, and its dialog asked to
//! open in a folder that does not exist opens in the working directory, a folder the user of a
//! program started from the desktop's menu never chose: a folder that is gone gives way to the
//! next.
QString FirstFolder()
{
    for (const QString& folder :
         {LastFolder(), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)})
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    return QDir::homePath();
}

void ShowDialog(const Request& request, Chosen chosen)
{
    QPointer<QFileDialog>& open = OpenDialogs()[request.Window];
    if (open) {
        ShowWindow(open);
        return;
    }
    // Qt's own dialog rather than the desktop's: it can be shown without blocking the
    // program's windows, and it takes the program's look.
    auto* dialog = new QFileDialog(request.Window, request.Caption);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setWindowModality(Qt::NonModal);
    dialog->setAcceptMode(request.Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog->setFileMode(request.Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setNameFilter(request.NameFilter);
    dialog->setDefaultSuffix(request.DefaultSuffix);
    if (!request.AsksBeforeReplacing)
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    const QFileInfo suggested(request.SuggestedPath);
    dialog->setDirectory(suggested.absolutePath());
    dialog->selectFile(suggested.fileName());
    NightVision::OfferInBoxesOf(dialog); // its own "replace?" box blocks the program's shortcut
    QObject::connect(dialog, &QDialog::finished, dialog,
                     [dialog, window = QPointer<QWidget>(request.Window), chosen = std::move(chosen)](int result) {
                         dialog->deleteLater();
                         Guarded([&] {
                             const QString path = dialog->selectedFiles().value(0);
                             if (window)
                                 window->activateWindow();
                             if (result == QDialog::Accepted && !path.isEmpty())
                                 chosen(path);
                         });
                     });
    open = dialog;
    ShowWindow(dialog);
}

} // namespace

void Ask(const Request& request, Chosen chosen)
{
    if (const Answerer& answerer = CurrentAnswerer()) {
        const QString path = answerer(request);
        if (!path.isEmpty())
            Guarded([&] { chosen(path); });
        return;
    }
    ShowDialog(request, std::move(chosen));
}

void AskToSave(QWidget* window, const QString& caption, const QString& fileName, const QString& nameFilter,
               const QString& defaultSuffix, Chosen chosen)
{
    Ask({window, caption, QDir(FirstFolder()).filePath(fileName), nameFilter, defaultSuffix},
        [chosen = std::move(chosen)](const QString& path) {
            chosen(path);
            // Only a folder a file was written to is offered again: after a failure the dialog
            // offers what it offered before, not the folder that refused the file.
            LastFolder() = QFileInfo(path).absolutePath();
        });
}

void AskToSaveCompleted(QWidget* window, const QString& caption, const QString& fileName, const QString& nameFilter,
                        const QString& defaultSuffix, const std::function<QString(const QString&)>& completed,
                        Chosen chosen)
{
    Request request{window, caption, QDir(FirstFolder()).filePath(fileName), nameFilter, defaultSuffix};
    request.AsksBeforeReplacing = false;
    Ask(request, [caption, completed, chosen = std::move(chosen)](const QString& name) {
        const QString path = completed(name);
        if (QFileInfo::exists(path)
            && MessageBoxes::Show({caption,
                                   QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName()),
                                   MessageBoxes::Buttons::OkCancel})
                   == MessageBoxes::Answer::Cancel)
            return;
        chosen(path);
        LastFolder() = QFileInfo(path).absolutePath();
    });
}

void AskToOpen(QWidget* window, const QString& caption, const QString& nameFilter, Chosen chosen)
{
    Ask({window, caption, FirstFolder() + QLatin1Char('/'), nameFilter, QString(), true},
        [chosen = std::move(chosen)](const QString& path) {
            chosen(path);
            LastFolder() = QFileInfo(path).absolutePath();
        });
}

void SetAnswerer(Answerer answerer)
{
    CurrentAnswerer() = std::move(answerer);
}

void RememberFolderOf(const QString& path)
{
    LastFolder() = QFileInfo(path).absolutePath();
}

void ForgetLastFolder()
{
    LastFolder().clear();
}

void AskToSavePicture(QWidget* window, const QString& fileName, const std::function<QImage()>& picture)
{
    AskToSave(window, QStringLiteral("Save Picture"), fileName, QStringLiteral("PNG pictures (*.png)"), QStringLiteral("png"),
              [picture](const QString& path) {
                  const QImage image = picture();
                  SaveSafely(path, [&image](QIODevice& file) { return image.save(&file, "PNG"); });
              });
}

} // namespace SaveDialogs
