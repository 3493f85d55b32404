// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QWidget>

namespace kit {
class Label;
class TitledButton;
} // namespace kit

namespace viewer {

// A telephone number (or mail address) shown large, to be dialled from a phone, with a
// button that copies it: the page of the address screen, or a panel of its own over another
// screen (the emergency card), which keeps that screen in view around it and carries its own
// "Готово".
class AddressPanel final : public QWidget {
    Q_OBJECT

public:
    enum class Look { Page, Floating };

    // shown: the address as the person reads it (a number as its owner wrote it).
    AddressPanel(const QUrl& url, const QString& shown, Look look, QWidget* parent = nullptr);

    // The height the panel needs at its width.
    static int heightFor(Look look);

    bool isTelephone() const;
    QString shownText() const { return _shown; }
    kit::Label* captionLabel() const { return _caption; }
    kit::Label* addressLabel() const { return _address; }
    kit::TitledButton* copyButton() const { return _copy; }
    kit::Label* copiedLabel() const { return _copied; }
    // The floating panel's own "Готово"; none on a page.
    kit::TitledButton* doneButton() const { return _done; }

    // Puts the shown text on the clipboard and says so.
    void copy();

signals:
    // "Готово" on a floating panel, or Escape in it.
    void done();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QUrl _url;
    QString _shown;
    Look _look;
    kit::Label* _caption = nullptr;
    kit::Label* _address = nullptr;
    kit::TitledButton* _copy = nullptr;
    kit::Label* _copied = nullptr;
    kit::TitledButton* _done = nullptr;
};

} // namespace viewer
