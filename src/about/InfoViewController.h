#pragma once

#include "kit/controllers/ViewController.h"

#include <QUrl>

// The about screen: the application's emblem on its background picture, a way to
// write to technical support, and the App Store pages of three related applications.
class InfoViewController final : public kit::ViewController {
    Q_OBJECT

public:
    // The support address and the related applications' pages.
    static const QString supportAddress;
    static const QUrl rovanAddress;
    static const QUrl pexAddress;
    static const QUrl sulkaAddress;

    InfoViewController();

    // The support e-mail as it is handed to the desktop, percent-escaped as UTF-8.
    static QUrl supportMailUrl();

    void linkTouchUpInside();
    void rovan_tui();
    void pex_tui();
    void sulka_tui();
    void tkl_tui();

protected:
    void loadView() override;
};
