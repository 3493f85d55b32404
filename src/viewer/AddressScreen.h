// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/ViewController.h"

#include <QUrl>

#include <memory>

namespace kit {
class Label;
class NavigationController;
class TitledButton;
} // namespace kit

namespace viewer {

// Hands a telephone number or a mail address from a page to the desktop's application
// for it. Where the desktop has none, it presents an AddressScreen from presenter instead,
// so the number is never a link that does nothing.
void openAddress(const QUrl& url, kit::ViewController* presenter);

// The number (or mail address) shown large, to be dialled from a phone, with a button
// that copies it.
class AddressScreen final : public kit::ViewController {
    Q_OBJECT

public:
    explicit AddressScreen(const QUrl& url);
    ~AddressScreen() override;

    // The address as a person reads it: without its scheme and any query.
    static QString shownText(const QUrl& url);

    QUrl url() const { return _url; }
    bool isTelephone() const;
    kit::Label* captionLabel() const { return _caption; }
    kit::Label* addressLabel() const { return _address; }
    kit::TitledButton* copyButton() const { return _copy; }
    kit::Label* copiedLabel() const { return _copied; }

    // Puts the shown text on the clipboard and says so.
    void copy();
    void done();

protected:
    void loadView() override;

private:
    QUrl _url;
    std::unique_ptr<kit::NavigationController> _stack;
    kit::Label* _caption = nullptr;
    kit::Label* _address = nullptr;
    kit::TitledButton* _copy = nullptr;
    kit::Label* _copied = nullptr;
};

} // namespace viewer
