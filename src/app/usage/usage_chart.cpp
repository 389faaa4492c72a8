#include "app/usage/usage_chart.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "platform/interface_language.h"

namespace veltaro {
namespace {

constexpr int kLeftMargin = 44;
constexpr int kBottomMargin = 28;
constexpr int kTopMargin = 24;
constexpr int kRightMargin = 12;

QString DateText(const LocalDate& date) {
    return QStringLiteral("%1-%2-%3")
        .arg(date.year, 4, 10, QLatin1Char('0'))
        .arg(date.month, 2, 10, QLatin1Char('0'))
        .arg(date.day, 2, 10, QLatin1Char('0'));
}

// A readable step for the hour axis: 1, 2, 5, 10, 20, 50, ... hours.
double AxisStep(double top) {
    static const double kFactors[] = {2, 2.5, 2};
    double step = 1;
    for (int next = 0; top / step > 6; ++next) {
        step *= kFactors[next % 3];
    }
    return step;
}

// One bar, as a screen reader sees it.
class BarAccessible final : public QAccessibleInterface {
public:
    BarAccessible(UsageChart* chart, int index) : chart_(chart), index_(index) {}
    bool isValid() const override { return chart_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return chart_->window()->windowHandle(); }
    QVector<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(chart_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? chart_->BarText(index_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect bar = chart_->BarRect(index_);
        return QRect(chart_->mapToGlobal(bar.topLeft()), bar.size());
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override { return {}; }

private:
    UsageChart* chart_;
    int index_;
};

class ChartAccessible final : public QAccessibleWidget {
public:
    explicit ChartAccessible(UsageChart* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}
    int childCount() const override { return static_cast<int>(Chart()->Buckets().size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        if (bars_.size() != static_cast<std::size_t>(childCount())) {
            bars_.clear();
            for (int bar = 0; bar < childCount(); ++bar) {
                bars_.push_back(std::make_unique<BarAccessible>(Chart(), bar));
            }
        }
        return bars_[static_cast<std::size_t>(index)].get();
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t index = 0; index < bars_.size(); ++index) {
            if (bars_[index].get() == child) {
                return static_cast<int>(index);
            }
        }
        return -1;
    }

private:
    UsageChart* Chart() const { return static_cast<UsageChart*>(widget()); }
    mutable std::vector<std::unique_ptr<BarAccessible>> bars_;
};

QAccessibleInterface* ChartAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("veltaro::UsageChart") && object->isWidgetType()) {
        return new ChartAccessible(static_cast<UsageChart*>(object));
    }
    return nullptr;
}

}  // namespace

UsageChart::UsageChart(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(ChartAccessibleFactory);
        return true;
    }();
    (void)installed;
    setMouseTracking(true);
    setMinimumSize(480, 220);
}

void UsageChart::SetBuckets(std::vector<UsageBucket> buckets, UsagePeriod period, int language) {
    buckets_ = std::move(buckets);
    period_ = period;
    language_ = language;
    setAccessibleName(ShowsChineseTexts(language) ? QStringLiteral("运行时间图")
                                                  : QStringLiteral("Running hours chart"));
    update();
}

QString UsageChart::BarText(int index) const {
    if (index < 0 || index >= static_cast<int>(buckets_.size())) {
        return {};
    }
    const UsageBucket& bucket = buckets_[static_cast<std::size_t>(index)];
    const QString hours = QString::number(static_cast<double>(bucket.seconds) / 3600, 'f', 1);
    return ShowsChineseTexts(language_)
               ? QStringLiteral("%1：%2 小时").arg(DateText(bucket.start), hours)
               : QStringLiteral("%1: %2 hours").arg(DateText(bucket.start), hours);
}

QRect UsageChart::PlotArea() const {
    return rect().adjusted(kLeftMargin, kTopMargin, -kRightMargin, -kBottomMargin);
}

double UsageChart::ScaleHours() const {
    std::int64_t busiest = 0;
    for (const UsageBucket& bucket : buckets_) {
        busiest = std::max(busiest, bucket.seconds);
    }
    const double hours = std::max(1.0, static_cast<double>(busiest) / 3600);
    const double step = AxisStep(hours);
    return std::ceil(hours / step) * step;
}

QRect UsageChart::BarRect(int index) const {
    if (index < 0 || index >= static_cast<int>(buckets_.size())) {
        return {};
    }
    const QRect plot = PlotArea();
    const double slot = static_cast<double>(plot.width()) / static_cast<double>(buckets_.size());
    const double hours =
        static_cast<double>(buckets_[static_cast<std::size_t>(index)].seconds) / 3600;
    const int height = static_cast<int>(std::lround(hours / ScaleHours() * plot.height()));
    const int left = plot.left() + static_cast<int>(slot * index + slot * 0.15);
    const int width = std::max(1, static_cast<int>(slot * 0.7));
    return {left, plot.bottom() - height + 1, width, height};
}

int UsageChart::BarAt(const QPoint& point) const {
    const QRect plot = PlotArea();
    if (buckets_.empty() || !plot.contains(point)) {
        return -1;
    }
    const double slot = static_cast<double>(plot.width()) / static_cast<double>(buckets_.size());
    return std::min(static_cast<int>(buckets_.size()) - 1,
                    static_cast<int>((point.x() - plot.left()) / slot));
}

QString UsageChart::AxisLabel(int index) const {
    const LocalDate& start = buckets_[static_cast<std::size_t>(index)].start;
    if (period_ == UsagePeriod::kMonth) {
        return QStringLiteral("%1-%2").arg(start.year).arg(start.month, 2, 10, QLatin1Char('0'));
    }
    return QStringLiteral("%1-%2")
        .arg(start.month, 2, 10, QLatin1Char('0'))
        .arg(start.day, 2, 10, QLatin1Char('0'));
}

QSize UsageChart::sizeHint() const {
    return {640, 280};
}

void UsageChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QRect plot = PlotArea();
    const double top = ScaleHours();
    const double step = AxisStep(top);
    painter.setPen(palette().color(QPalette::Mid));
    for (double hours = 0; hours <= top + 1e-9; hours += step) {
        const int y = plot.bottom() - static_cast<int>(std::lround(hours / top * plot.height()));
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(0, y - 8, kLeftMargin - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(hours));
        painter.setPen(palette().color(QPalette::Mid));
    }
    const int count = static_cast<int>(buckets_.size());
    // Enough labels to read the dates, never so many that they run into each other.
    const int every = std::max(1, count / 8);
    for (int index = 0; index < count; ++index) {
        painter.fillRect(BarRect(index),
                         index == count - 1 ? QColor(0x2a, 0x8c, 0xb0) : QColor(0x1f, 0x5f, 0x9e));
        if ((count - 1 - index) % every == 0) {
            const QRect bar = BarRect(index);
            painter.setPen(palette().color(QPalette::Text));
            painter.drawText(QRect(bar.center().x() - 40, plot.bottom() + 4, 80, kBottomMargin - 4),
                             Qt::AlignHCenter | Qt::AlignTop, AxisLabel(index));
        }
    }
    painter.setPen(palette().color(QPalette::Text));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawText(
        QRect(0, 0, kLeftMargin - 6, kTopMargin + 2), Qt::AlignRight | Qt::AlignTop,
        ShowsChineseTexts(language_) ? QStringLiteral("小时") : QStringLiteral("hours"));
}

void UsageChart::mouseMoveEvent(QMouseEvent* event) {
    const int bar = BarAt(event->position().toPoint());
    if (bar < 0) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(event->globalPosition().toPoint(), BarText(bar), this, BarRect(bar));
}

}  // namespace veltaro
