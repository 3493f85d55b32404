// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLineEdit;

namespace kit {

class BarButton;

// A 44-point bar with a rounded search field, a hint text and, while a search
// runs, a cancel button.
class SearchBar final : public QWidget {
    Q_OBJECT

public:
    static constexpr int barHeight = 44;

    explicit SearchBar(QWidget* parent = nullptr);

    QString text() const;
    // Also tells those who follow the text, as typing does.
    void setText(const QString& text);
    QString placeholderText() const;
    void setPlaceholderText(const QString& text);
    void setShowsCancelButton(bool shows);

    QLineEdit* field() const { return _field; }
    void resignFirstResponder();

signals:
    void textChanged(const QString& text);
    void editingBegan();
    void cancelClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutField();

    QLineEdit* _field;
    BarButton* _cancel;
    bool _showsCancel = false;
};

} // namespace kit
