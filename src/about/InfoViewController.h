// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/ViewController.h"

#include <QUrl>

namespace about {

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

    // The support address's button: a mail to technical support.
    void writeToSupport();
    // The related applications' buttons: each one's page in the App Store.
    void openRovan();
    void openPex();
    void openSulka();
    // The developer's mark: it opens nothing.
    void developerMarkTouched();

protected:
    void loadView() override;
};

} // namespace about
