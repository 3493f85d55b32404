// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

namespace kit {

class TextView;

class TextViewDelegate {
public:
    virtual ~TextViewDelegate() = default;
    // After every change the owner makes; never for text set in code.
    virtual void textViewDidChange(TextView&) {}
};

// An editable text of several lines. The text reads back exactly as it was
// typed: line breaks as "\n", no trimming, no spaces altered.
class TextView final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TextView(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    void setDelegate(TextViewDelegate* delegate) { _delegate = delegate; }

private:
    TextViewDelegate* _delegate = nullptr;
    bool _settingText = false;
};

} // namespace kit
