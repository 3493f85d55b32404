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
    // The cell takes the view as its child, beneath everything else.
    void setBackgroundView(QWidget* view);

    bool isSelected() const { return _selected; }
    virtual void setSelected(bool selected, bool animated);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QWidget* _backgroundView = nullptr;
    QWidget* _highlight;
    bool _selected = false;
};

} // namespace kit
