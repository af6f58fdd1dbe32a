#pragma once

#include "core/LocalEpochCache.h"
#include "core/LocaleFormats.h"
#include "expenditures/ExpenditureCharts.h"

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QPointF>

#include <array>

class QBarSeries;
class QChart;
class QChartView;
class QDateTimeAxis;
class QImage;
class QLabel;
class QMenu;
class QValueAxis;
class QWidget;

// The page's three charts: prediction (Chart1) with its read-outs, history (Chart2) and the
// expenses per category (Chart3). They draw what the refresh computed; each copies itself
// to the clipboard from its pop-up menu.
class ExpenditureChartViews final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExpenditureChartViews)

public:
    struct Areas
    {
        QWidget *categories = nullptr;
        QWidget *history = nullptr;
        QWidget *prediction = nullptr;
    };
    // Label8 ("Default"), Label10 ("30 days"), Label11 ("All data"), Label12 (date).
    using ReadOuts = std::array<QLabel *, 4>;

    ExpenditureChartViews(const Areas &areas, const ReadOuts &readOuts, QObject *parent = nullptr);

    void setFormats(const LocaleFormats &formats);
    // The desktop switched between light and dark: every chart is drawn again in its colours.
    void followPalette(const QPalette &palette);
    // A line's colour, chosen for a light background, as drawn on the palette's.
    static QColor lineColour(const QColor &forLightBackground, const QPalette &palette);
    void showPrediction(const PredictionChart &prediction);
    void showHistory(const HistoryChart &history);
    void showCategories(const CategoryChart &categories);

    // The read-outs for the mouse at `position` in Chart1's view.
    void Chart1MouseMove(const QPointF &position);
    void Copy1Click(); // Chart3
    void Copy2Click(); // Chart1
    void Copy3Click(); // Chart2

    QChartView *chart1() const { return m_chart1; }
    QChartView *chart2() const { return m_chart2; }
    QChartView *chart3() const { return m_chart3; }
    // The chart as the clipboard gets it: drawn on white at the view's current size.
    static QImage chartImage(QChartView *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QChartView *makeView(QWidget *area, const QString &name, const QString &menuName, const QString &copyName,
                         void (ExpenditureChartViews::*copy)());
    struct LineAxes
    {
        QDateTimeAxis *bottom = nullptr; // "Date"
        QValueAxis *left = nullptr;      // "Amount", a title only
        QValueAxis *right = nullptr;     // the scale the lines are plotted against
    };
    static LineAxes addLineAxes(QChart *chart);
    struct Line
    {
        const ChartLine *points;
        QString title;
        QColor colour;
    };
    void showLines(QChart *chart, const LineAxes &axes, const QList<Line> &lines, const AxisRange &range);
    static void copyToClipboard(QChartView *view);

    QChartView *m_chart1 = nullptr;
    QWidget *m_chart1Viewport = nullptr; // watched for the read-outs
    QChartView *m_chart2 = nullptr;
    QChartView *m_chart3 = nullptr;
    QBarSeries *m_series2 = nullptr;
    QValueAxis *m_barValueAxis = nullptr;
    LineAxes m_axes1;
    LineAxes m_axes2;
    ReadOuts m_readOuts{};
    PredictionChart m_prediction; // what Chart1 shows, for the read-outs
    HistoryChart m_history;       // and the others, to draw them again in new colours
    CategoryChart m_categories;
    QPalette m_palette;
    bool m_themed = false;
    LocaleFormats m_formats;
    LocalEpochCache m_axisTimes; // the same days on every refresh
};
