// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/tables/TableViewCell.h"

namespace kit {
class Label;
class ProgressView;
} // namespace kit

namespace practice {

// A topic's row on "Проверь себя": its name, how many of its questions are known of how
// many, as a number and a bar, and how many are due today.
class TopicCell final : public kit::TableViewCell {
    Q_OBJECT

public:
    static constexpr int rowHeight = 54;
    TopicCell(const QString& topic, const QString& title);

    QString topic() const { return _topic; }
    void setCounts(int known, int total, int due);
    kit::Label* title() const { return _title; }
    kit::Label* count() const { return _count; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString _topic;
    kit::Label* _title;
    kit::Label* _count;
    kit::ProgressView* _bar;
};

} // namespace practice
