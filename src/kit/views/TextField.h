// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

namespace kit {

class TextField;

class TextFieldDelegate {
public:
    virtual ~TextFieldDelegate() = default;
    // After every change the owner makes; never for text set in code.
    virtual void textFieldDidChange(TextField&) {}
    // Return (Enter) was pressed in the field.
    virtual void textFieldDidReturn(TextField&) {}
};

// An editable line of text, with grey example text while it is empty. It lies clear
// on a row's box; the text reads back exactly as typed.
class TextField final : public QLineEdit {
    Q_OBJECT

public:
    explicit TextField(QWidget* parent = nullptr);

    void setDelegate(TextFieldDelegate* delegate) { _delegate = delegate; }
    void setTextColor(const QColor& color);

private:
    TextFieldDelegate* _delegate = nullptr;
};

} // namespace kit
