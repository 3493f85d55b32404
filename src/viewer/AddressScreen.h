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

class AddressPanel;

// Hands a telephone number or a mail address to the desktop's application for it: false
// (and a line in the log) where the desktop has none.
bool handToDesktop(const QUrl& url);
// Hands an address from a page to the desktop; where the desktop has no application for
// it, presents an AddressScreen from presenter instead, so the number is never a link that
// does nothing.
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
    // The page: the address large, the copy button.
    AddressPanel* panel() const { return _panel; }
    kit::Label* captionLabel() const;
    kit::Label* addressLabel() const;
    kit::TitledButton* copyButton() const;
    kit::Label* copiedLabel() const;

    // Puts the shown text on the clipboard and says so.
    void copy();
    void done();

protected:
    void loadView() override;

private:
    QUrl _url;
    std::unique_ptr<kit::NavigationController> _stack;
    AddressPanel* _panel = nullptr;
};

} // namespace viewer
