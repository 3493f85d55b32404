// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/tables/TableViewCell.h"

class QLabel;
namespace kit {
class Label;
}

namespace contents {

// A row of the search's text section: the article's title and, under it in grey, a short
// piece of its text around the best match, the matched words in bold.
class TextResultCell final : public kit::TableViewCell {
    Q_OBJECT

public:
    TextResultCell();

    // Fills the row; the snippet is HTML (the matched words in <b>).
    void setResult(const QString& title, const QString& snippet);

    QString title() const;
    QString snippet() const;
    // The row's height for what it shows.
    float height() const { return _height; }
    void setSelected(bool selected, bool animated) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    kit::Label* _title;
    QLabel* _snippet;
    float _height = 44;
};

} // namespace contents
