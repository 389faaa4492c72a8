#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "recorder/usage.h"

namespace veltaro {

// A bar chart of running hours per period, drawn with QPainter: hours up the left, the periods'
// dates along the bottom. Hovering a bar shows its period and hours; a screen reader reads every
// bar as a child of the chart.
class UsageChart : public QWidget {
    Q_OBJECT

public:
    explicit UsageChart(QWidget* parent = nullptr);

    void SetBuckets(std::vector<UsageBucket> buckets, UsagePeriod period, int language);
    const std::vector<UsageBucket>& Buckets() const { return buckets_; }

    // "2026-12-01: 5.2 hours" / "2026-12-01：5.2 小时": what a bar says.
    QString BarText(int index) const;
    // The bar's rectangle in the widget; empty when out of range.
    QRect BarRect(int index) const;
    int BarAt(const QPoint& point) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QRect PlotArea() const;
    double ScaleHours() const;
    QString AxisLabel(int index) const;

    std::vector<UsageBucket> buckets_;
    UsagePeriod period_ = UsagePeriod::kDay;
    int language_ = 9;
};

}  // namespace veltaro
