// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace kit {

// A thin bar that fills from the left: its progress is a float from 0 to 1 and
// is kept within that range.
class ProgressView final : public QWidget {
    Q_OBJECT

public:
    explicit ProgressView(QWidget* parent = nullptr);

    float progress() const { return _progress; }
    void setProgress(float progress);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float _progress = 0;
};

} // namespace kit
