#pragma once

#include <QWidget>

namespace kit {

// One row of a table: a view of its own with an optional background view
// beneath its content. A selected row is drawn highlighted; its labels turn
// white on the highlight while it lasts.
class TableViewCell : public QWidget {
    Q_OBJECT

public:
    // Rows start 320 points wide and 44 high, as on the phone.
    explicit TableViewCell(QWidget* parent = nullptr);

    QWidget* backgroundView() const { return _backgroundView; }
    // A plain ground drawn by the row itself, beneath everything: cheaper than a background view.
    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const { return _backgroundColor; }
    // The cell takes the view as its child, beneath everything else.
    void setBackgroundView(QWidget* view);

    bool isSelected() const { return _selected; }
    virtual void setSelected(bool selected, bool animated);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QWidget* _backgroundView = nullptr;
    // Made on the first selection: most rows are never selected.
    QWidget* _highlight = nullptr;
    QColor _backgroundColor = Qt::transparent;
    bool _selected = false;
};

} // namespace kit
