#include "info/WebLink.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

WebOpener& CurrentOpener()
{
    static WebOpener opener;
    return opener;
}

} // namespace

void OpenWebDocument(const QString& document, const QString& /*parameters*/, const QString& /*directory*/,
                     int /*showMode*/)
{
    // Takes a full address as it is, and a bare file path as a local file.
    const QUrl url = QUrl::fromUserInput(document);
    // When nothing can open the address the desktop may say so itself; the program stays
    // silent, as the confirmation box has already told the user what is needed.
    if (const WebOpener& opener = CurrentOpener())
        opener(url);
    else
        QDesktopServices::openUrl(url);
}

void SetWebOpener(WebOpener opener)
{
    CurrentOpener() = std::move(opener);
}
