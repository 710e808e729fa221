#pragma once

#include <QString>

#include <functional>

class QUrl;

//! The maker's web page. A name under ".example" is reserved, so the link can never lead to
//! somebody else's site.
inline const QString MakerWebAddress = QStringLiteral("https://www.orvalis-calculator.example/");

//! Asks the desktop to open `document` (a web address or a file) with its default handler and
//! returns at once; the program neither waits for the browser nor learns whether it started.
//! `parameters`, `directory` and `showMode` are what a Windows shell would take along with the
//! document; the desktop opener takes the address alone, so they only document the request.
void OpenWebDocument(const QString& document, const QString& parameters, const QString& directory, int showMode);

//! What actually opens an address: QDesktopServices::openUrl in the program. Its result is
//! not used.
using WebOpener = std::function<bool(const QUrl&)>;

//! Replaces the desktop's opener (tests); an empty opener restores QDesktopServices::openUrl.
void SetWebOpener(WebOpener opener);
