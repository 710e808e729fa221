#pragma once

#include <QProxyStyle>

//! The desktop's style, passed on unchanged but for the pictures it would read from files
//! when the first window is made: those it draws itself, so that start-up neither opens a
//! file nor loads Qt's image plugins to learn the file's format. The menu bar's extension
//! button (shown only when the menus do not fit, which in this program's fixed-size windows
//! they always do) is the one such picture.
class ProgramStyle : public QProxyStyle
{
public:
    //! Wraps `desktop` and takes it as its own.
    explicit ProgramStyle(QStyle* desktop);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
