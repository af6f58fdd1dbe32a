#include "ui/pages/ExpenditureChartViews.h"

#include "ui/widgets/Appearance.h"

#include "expenditures/ExpenditureText.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <limits>

namespace {

TDateTime fromAxis(qreal value)
{
    return DateTime::fromQDateTime(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(value)));
}

QChart *newChart()
{
    auto *chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    return chart;
}

// The desktop's light or dark colours; a copy to the clipboard is still drawn on white. A theme sets every
// colour and font of the chart, so what the views set themselves is set again after it.
void applyTheme(QChart *chart, const QPalette &palette)
{
    chart->setTheme(Appearance::isDark(palette) ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    chart->setBackgroundBrush(palette.color(QPalette::Base));
}

// An axis cannot show a span of nothing: a flat line gets a band around it.
std::pair<double, double> drawableRange(double minimum, double maximum)
{
    if (!(minimum < maximum))
        return {minimum - 1, minimum + 1};
    return {minimum, maximum};
}

} // namespace

QColor ExpenditureChartViews::lineColour(const QColor &forLightBackground, const QPalette &palette)
{
    if (!Appearance::isDark(palette))
        return forLightBackground;
    // Pure red, blue and mid grey are as dark as the lines are thin: on a dark background they are lifted
    // to a light tone of their own hue.
    const QColor hsl = forLightBackground.toHsl();
    return QColor::fromHslF(std::max(hsl.hslHueF(), 0.0f), hsl.hslSaturationF(), std::max(hsl.lightnessF(), 0.7f));
}

ExpenditureChartViews::ExpenditureChartViews(const Areas &areas, const ReadOuts &readOuts, QObject *parent)
    : QObject(parent), m_readOuts(readOuts), m_formats(LocaleFormats::system())
{
    m_chart3 = makeView(areas.categories, QStringLiteral("Chart3"), QStringLiteral("JvPopupMenu10"),
                        QStringLiteral("Copy1"), &ExpenditureChartViews::Copy1Click);
    m_chart2 = makeView(areas.history, QStringLiteral("Chart2"), QStringLiteral("JvPopupMenu12"),
                        QStringLiteral("Copy3"), &ExpenditureChartViews::Copy3Click);
    m_chart1 = makeView(areas.prediction, QStringLiteral("Chart1"), QStringLiteral("JvPopupMenu11"),
                        QStringLiteral("Copy2"), &ExpenditureChartViews::Copy2Click);

    m_axes1 = addLineAxes(m_chart1->chart());
    m_axes1.bottom->setFormat(m_formats.shortDate);
    m_chart1->chart()->legend()->setVisible(true);
    m_chart1->chart()->legend()->setAlignment(Qt::AlignBottom);
    m_chart1->viewport()->setCursor(Qt::CrossCursor);
    m_chart1->viewport()->setMouseTracking(true);
    m_chart1Viewport = m_chart1->viewport();
    m_chart1Viewport->installEventFilter(this);

    m_axes2 = addLineAxes(m_chart2->chart());
    m_axes2.bottom->setFormat(m_formats.shortDate);
    m_chart2->chart()->legend()->setVisible(false);

    QChart *bars = m_chart3->chart();
    m_series2 = new QBarSeries(bars);
    m_series2->setObjectName(QStringLiteral("Series2"));
    m_series2->setLabelsVisible(true);
    m_series2->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    // Upright marks do not run into each other over eleven narrow bars.
    m_series2->setLabelsAngle(-90);
    bars->addSeries(m_series2);
    auto *categoryAxis = new QBarCategoryAxis(bars);
    categoryAxis->append(QStringLiteral(" "));
    bars->addAxis(categoryAxis, Qt::AlignBottom);
    m_series2->attachAxis(categoryAxis);
    categoryAxis->setVisible(false);
    m_barValueAxis = new QValueAxis(bars);
    m_barValueAxis->setTitleText(QStringLiteral("Amount"));
    m_barValueAxis->setLabelFormat(QStringLiteral("%.0f"));
    bars->addAxis(m_barValueAxis, Qt::AlignLeft);
    m_series2->attachAxis(m_barValueAxis);
    bars->legend()->setVisible(true);
    bars->legend()->setAlignment(Qt::AlignRight);
    followPalette(QApplication::palette());
}

void ExpenditureChartViews::followPalette(const QPalette &palette)
{
    if (m_themed && palette == m_palette)
        return;
    m_themed = true;
    m_palette = palette;
    for (QChartView *view : {m_chart1, m_chart2, m_chart3})
        applyTheme(view->chart(), palette);
    for (const LineAxes &axes : {m_axes1, m_axes2}) {
        // Hidden labels would leave the title no room: they stay, drawn in no colour.
        axes.left->setLabelsColor(Qt::transparent);
        axes.left->setGridLineVisible(false);
        axes.left->setMinorGridLineVisible(false);
    }
    QLegend *legend = m_chart3->chart()->legend();
    QFont legendFont = legend->font();
    legendFont.setPointSizeF(legendFont.pointSizeF() * 0.85);
    legend->setFont(legendFont);
    showPrediction(m_prediction);
    showHistory(m_history);
    showCategories(m_categories);
}

void ExpenditureChartViews::setFormats(const LocaleFormats &formats)
{
    m_formats = formats;
    m_axes1.bottom->setFormat(m_formats.shortDate);
    m_axes2.bottom->setFormat(m_formats.shortDate);
}

QChartView *ExpenditureChartViews::makeView(QWidget *area, const QString &name, const QString &menuName,
                                            const QString &copyName, void (ExpenditureChartViews::*copy)())
{
    auto *view = new QChartView(newChart(), area);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setRubberBand(QChartView::NoRubberBand);
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);

    auto *menu = new QMenu(view);
    menu->setObjectName(menuName);
    QAction *action = menu->addAction(QStringLiteral("Copy"));
    action->setObjectName(copyName);
    connect(action, &QAction::triggered, this, copy);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, menu,
            [view, menu](const QPoint &at) { menu->popup(view->mapToGlobal(at)); });
    return view;
}

ExpenditureChartViews::LineAxes ExpenditureChartViews::addLineAxes(QChart *chart)
{
    LineAxes axes;
    axes.bottom = new QDateTimeAxis(chart);
    axes.bottom->setTitleText(QStringLiteral("Date"));
    axes.bottom->setTickCount(4);
    chart->addAxis(axes.bottom, Qt::AlignBottom);
    // The left axis carries the title only; the values are read on the right.
    axes.left = new QValueAxis(chart);
    axes.left->setTitleText(QStringLiteral("Amount"));
    axes.left->setTickCount(2);
    chart->addAxis(axes.left, Qt::AlignLeft);
    axes.right = new QValueAxis(chart);
    axes.right->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(axes.right, Qt::AlignRight);
    return axes;
}

void ExpenditureChartViews::showLines(QChart *chart, const LineAxes &axes, const QList<Line> &lines,
                                      const AxisRange &range)
{
    chart->removeAllSeries();
    m_axisTimes.checkZone();
    double first = std::numeric_limits<double>::infinity();
    double last = -std::numeric_limits<double>::infinity();
    for (const Line &line : lines) {
        auto *series = new QLineSeries(chart);
        series->setName(line.title);
        QPen pen(lineColour(line.colour, m_palette));
        pen.setWidth(2);
        series->setPen(pen);
        QList<QPointF> points;
        points.reserve(line.points->size());
        for (const ChartPoint &point : *line.points) {
            const qreal x = static_cast<qreal>(m_axisTimes.msecsSinceEpoch(point.x));
            points.append({x, point.y});
            first = std::min(first, x);
            last = std::max(last, x);
        }
        series->replace(points);
        chart->addSeries(series);
        series->attachAxis(axes.bottom);
        // An axis without a series is not drawn; the left one only shows its title.
        series->attachAxis(axes.left);
        series->attachAxis(axes.right);
    }
    if (first <= last) {
        const auto [from, to] = drawableRange(first, last);
        axes.bottom->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(from)),
                              QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(to)));
    }
    const auto [minimum, maximum] = drawableRange(range.minimum, range.maximum);
    axes.right->setRange(minimum, maximum);
}

void ExpenditureChartViews::showPrediction(const PredictionChart &prediction)
{
    m_prediction = prediction;
    showLines(m_chart1->chart(), m_axes1,
              {{&m_prediction.defaultLine, QStringLiteral("Default"), QColor(255, 0, 0)},
               {&m_prediction.thirtyDays, QStringLiteral("30 days"), QColor(0, 0, 255)},
               {&m_prediction.allData, QStringLiteral("All data"), QColor(128, 128, 128)}},
              m_prediction.range);
}

void ExpenditureChartViews::showHistory(const HistoryChart &history)
{
    m_history = history;
    QChart *chart = m_chart2->chart();
    showLines(chart, m_axes2, {{&m_history.line, QString(), QColor(0, 0, 255)}}, m_history.range);
    static_cast<QLineSeries *>(chart->series().constFirst())->setPointsVisible(true);
}

void ExpenditureChartViews::showCategories(const CategoryChart &shown)
{
    m_categories = shown;
    const CategoryChart &categories = m_categories;
    // The values are written outside the bars, on the chart's own background.
    const QColor text = Appearance::isDark(m_palette) ? m_palette.color(QPalette::WindowText) : QColor(Qt::black);
    m_series2->clear();
    double largest = 0;
    for (const CategoryBar &bar : categories.bars) {
        auto *set = new QBarSet(bar.label);
        set->append(bar.value);
        set->setColor(QColor(bar.colour.red, bar.colour.green, bar.colour.blue));
        // An outline keeps the white category visible on the white chart.
        set->setPen(QPen(text, 1));
        set->setLabelColor(text);
        m_series2->append(set);
        largest = std::max(largest, bar.value);
    }
    // The legend lists the values beside the categories.
    const QList<QLegendMarker *> markers = m_chart3->chart()->legend()->markers(m_series2);
    for (qsizetype i = 0; i < markers.size() && i < categories.bars.size(); ++i)
        markers[i]->setLabel(ExpenditureText::number(categories.bars[i].value, m_formats) + QLatin1Char(' ') +
                             categories.bars[i].label);
    m_barValueAxis->setRange(0, largest > 0 ? largest * 1.25 : 1);
    if (categories.title)
        m_chart3->chart()->setTitle(*categories.title);
}

void ExpenditureChartViews::Chart1MouseMove(const QPointF &position)
{
    QChart *chart = m_chart1->chart();
    const QList<QAbstractSeries *> series = chart->series();
    if (series.isEmpty())
        return;
    const QPointF inChart = chart->mapFromScene(m_chart1->mapToScene(position.toPoint()));
    const TDateTime t = fromAxis(chart->mapToValue(inChart, series.constFirst()).x());
    const ChartLine *lines[] = {&m_prediction.defaultLine, &m_prediction.thirtyDays, &m_prediction.allData};
    for (int j = 0; j < 3; ++j) {
        const std::optional<double> y = ExpenditureCharts::readout(*lines[j], t);
        if (!y)
            continue;
        m_readOuts[j]->setText(ExpenditureText::number(*y, m_formats));
        if (j == 0)
            m_readOuts[3]->setText(QStringLiteral("Date: ") + ExpenditureText::dateText(t, m_formats));
    }
}

QImage ExpenditureChartViews::chartImage(QChartView *view)
{
    const QSize size = view->size().isEmpty() ? view->sizeHint() : view->size();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // A chart in a folded section has never been laid out: lay it out at the view's size first.
    QChart *chart = view->chart();
    if (chart->size() != QSizeF(size)) {
        chart->resize(size);
        if (chart->layout())
            chart->layout()->activate();
    }
    view->scene()->render(&painter, QRectF(QPointF(0, 0), QSizeF(size)), QRectF(chart->pos(), QSizeF(size)));
    return image;
}

void ExpenditureChartViews::copyToClipboard(QChartView *view)
{
    QApplication::clipboard()->setImage(chartImage(view));
}

void ExpenditureChartViews::Copy1Click()
{
    copyToClipboard(m_chart3);
}

void ExpenditureChartViews::Copy2Click()
{
    copyToClipboard(m_chart1);
}

void ExpenditureChartViews::Copy3Click()
{
    copyToClipboard(m_chart2);
}

bool ExpenditureChartViews::eventFilter(QObject *watched, QEvent *event)
{
    // The type first: during the view's destruction its viewport() may no longer be called.
    if (event->type() == QEvent::MouseMove && watched == m_chart1Viewport)
        Chart1MouseMove(static_cast<QMouseEvent *>(event)->position());
    return QObject::eventFilter(watched, event);
}
