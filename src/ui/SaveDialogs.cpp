#include "ui/SaveDialogs.h"

#include "ui/ErrorReport.h"
#include "ui/NightVision.h"
#include "ui/WindowRules.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QStandardPaths>

namespace SaveDialogs {

namespace {

Answerer& CurrentAnswerer()
{
    static Answerer answerer;
    return answerer;
}

//! The folder of the last file name confirmed in this run; empty until then.
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
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(request.NameFilter);
    dialog->setDefaultSuffix(request.DefaultSuffix);
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
    QString folder = LastFolder();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    Ask({window, caption, QDir(folder).filePath(fileName), nameFilter, defaultSuffix},
        [chosen = std::move(chosen)](const QString& path) {
            LastFolder() = QFileInfo(path).absolutePath();
            chosen(path);
        });
}

void SetAnswerer(Answerer answerer)
{
    CurrentAnswerer() = std::move(answerer);
}

} // namespace SaveDialogs
