#include "ExpenditureTestData.h"

#include "expenditures/ExpenditureRefresh.h"
#include "ui/pages/ExpenditureChartViews.h"
#include "ui/widgets/RollOutPanel.h"

#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

#include <cmath>

namespace {

qreal axisX(TDateTime date)
{
    return static_cast<qreal>(DateTime::toQDateTime(date).toMSecsSinceEpoch());
}

bool hasColourOtherThanWhite(const QImage &image)
{
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                return true;
    return false;
}

void compareLine(const QLineSeries *series, const ChartLine &line)
{
    QCOMPARE(series->count(), int(line.size()));
    for (int i = 0; i < line.size(); ++i) {
        QCOMPARE(series->at(i).x(), axisX(line[i].x));
        QCOMPARE(series->at(i).y(), line[i].y);
    }
}

} // namespace

class TestExpenditureCharts final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init();
    void cleanup();

    void prediction_drawsTheLibraryLines();
    void history_drawsTheCumulativeFlow();
    void categories_barsColoursAndTitle();
    void showBox_choosesThePeriod();
    void emptyBook_flatLinesAndNoBars();
    void copy_putsTheChartImageOnTheClipboard_data();
    void copy_putsTheChartImageOnTheClipboard();
    void mouseOverPrediction_showsTheReadOuts();
    void charts_madeWhenThePageIsFirstShown();
    void paletteSwitch_redrawsInTheDesktopsColours_data();
    void paletteSwitch_redrawsInTheDesktopsColours();

private:
    // What the library computes for the same book at the same moment.
    ExpenditurePageData expected(ShowPeriod period = ShowPeriod::All) const;
    QChart *chart(const char *name) const
    {
        m_window->expenditurePage()->charts();
        return m_window->expenditurePage()->findChild<QChartView *>(QLatin1String(name))->chart();
    }
    QBarSeries *series2() const
    {
        for (QAbstractSeries *series : chart("Chart3")->series())
            if (series->objectName() == QStringLiteral("Series2"))
                return static_cast<QBarSeries *>(series);
        qFatal("no Series2");
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    ExpenditureBook m_bookBefore;
};

void TestExpenditureCharts::init()
{
    setNow(2025, 3, 17);
    m_dir = std::make_unique<QTemporaryDir>();
    m_window = startProgram(m_dir->path());
    ExpenditureBook &book = m_window->expenditures();
    book.AllMoney = 1000;
    book.Expenditures = {transaction(QStringLiteral("Lunch"), -100, DateTime::encode(2025, 3, 1), true, 0, 1),
                         transaction(QStringLiteral("Cinema"), -30, DateTime::encode(2025, 3, 10), true, 0, 9),
                         transaction(QStringLiteral("Sofa"), -200, DateTime::encode(2025, 3, 20), false, 0, 2),
                         transaction(QStringLiteral("Pay"), 500, DateTime::encode(2025, 4, 1), false, 1, 11)};
    m_bookBefore = book;
    m_window->RefreshExpenditures();
}

void TestExpenditureCharts::cleanup()
{
    QApplication::setPalette(QPalette());
    m_window.reset();
    m_dir.reset();
    Clock::resetForTesting();
}

ExpenditurePageData TestExpenditureCharts::expected(ShowPeriod period) const
{
    ExpenditureBook copy = m_bookBefore;
    return RefreshExpenditures(copy, Clock::nowValue(), period, expenditureSettings(m_window->settings()),
                               m_window->expenditurePage()->formats());
}

void TestExpenditureCharts::prediction_drawsTheLibraryLines()
{
    const PredictionChart prediction = expected().prediction;
    QCOMPARE(prediction.defaultLine.size(), 89);
    QChart *chart1 = chart("Chart1");
    const QList<QAbstractSeries *> series = chart1->series();
    QCOMPARE(series.size(), 3);
    QCOMPARE(series[0]->name(), QStringLiteral("Default"));
    QCOMPARE(series[1]->name(), QStringLiteral("30 days"));
    QCOMPARE(series[2]->name(), QStringLiteral("All data"));
    compareLine(static_cast<QLineSeries *>(series[0]), prediction.defaultLine);
    compareLine(static_cast<QLineSeries *>(series[1]), prediction.thirtyDays);
    compareLine(static_cast<QLineSeries *>(series[2]), prediction.allData);
    const auto *first = static_cast<QLineSeries *>(series[0]);
    QCOMPARE(first->pen().width(), 2);
    QCOMPARE(first->pen().color(), QColor(255, 0, 0));
    QCOMPARE(static_cast<QLineSeries *>(series[1])->pen().color(), QColor(0, 0, 255));
    QVERIFY(chart1->legend()->isVisible());

    QValueAxis *right = nullptr;
    for (QAbstractAxis *axis : chart1->axes(Qt::Vertical, series[0]))
        if (axis->alignment() == Qt::AlignRight)
            right = static_cast<QValueAxis *>(axis);
    QVERIFY(right);
    QCOMPARE(right->min(), prediction.range.minimum);
    QCOMPARE(right->max(), prediction.range.maximum);
    QVERIFY(right->labelsVisible());
    QStringList titles;
    for (QAbstractAxis *axis : chart1->axes())
        titles.append(axis->titleText());
    QVERIFY(titles.contains(QStringLiteral("Date")));
    QVERIFY(titles.contains(QStringLiteral("Amount")));

    // A refresh replaces the lines instead of adding to them.
    m_window->RefreshExpenditures();
    QCOMPARE(chart1->series().size(), 3);
}

void TestExpenditureCharts::history_drawsTheCumulativeFlow()
{
    const HistoryChart history = expected().history;
    QChart *chart2 = chart("Chart2");
    QCOMPARE(chart2->series().size(), 1);
    const auto *line = static_cast<QLineSeries *>(chart2->series()[0]);
    compareLine(line, history.line);
    // From 1 March to today, counting every transaction up to each day.
    QCOMPARE(line->count(), 17);
    QCOMPARE(line->at(16).y(), -130.0);
    QVERIFY(line->pointsVisible());
    QCOMPARE(line->name(), QString());
    QVERIFY(!chart2->legend()->isVisible());
}

void TestExpenditureCharts::categories_barsColoursAndTitle()
{
    const CategoryChart categories = expected().categories;
    QBarSeries *bars = series2();
    QCOMPARE(bars->count(), int(categories.bars.size()));
    QCOMPARE(bars->count(), 2);
    const QList<QBarSet *> sets = bars->barSets();
    QCOMPARE(sets[0]->label(), QStringLiteral("Food"));
    QCOMPARE(sets[0]->at(0), 100.0);
    QCOMPARE(sets[0]->color(), QColor(0, 255, 0));
    QCOMPARE(sets[1]->label(), QStringLiteral("Fun"));
    QCOMPARE(sets[1]->at(0), 30.0);
    QCOMPARE(sets[1]->color(), QColor(0, 0, 0));
    QVERIFY(bars->isLabelsVisible());
    QCOMPARE(chart("Chart3")->title(), *categories.title);
    QVERIFY(chart("Chart3")->title().endsWith(QStringLiteral("/day  Total: 130 PLN")));
}

void TestExpenditureCharts::showBox_choosesThePeriod()
{
    QComboBox *show = m_window->expenditurePage()->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
    QCOMPARE(show->currentText(), QStringLiteral("All"));
    show->setCurrentIndex(1);
    // 1 March is the open start of the current month: only the cinema counts.
    QCOMPARE(series2()->count(), 1);
    QCOMPARE(series2()->barSets()[0]->label(), QStringLiteral("Fun"));
    QCOMPARE(chart("Chart3")->title(), *expected(ShowPeriod::CurrentMonth).categories.title);

    show->setCurrentIndex(2);
    QCOMPARE(series2()->count(), 0);

    show->setEditText(QStringLiteral("Last year"));
    QCOMPARE(m_window->expenditurePage()->showPeriod(), ShowPeriod::None);
    QCOMPARE(series2()->count(), 0);
    QCOMPARE(chart("Chart3")->title(), QStringLiteral("Avr: 0.00 PLN/day  Total: 0 PLN"));
    QCOMPARE(show->count(), 3);
}

void TestExpenditureCharts::emptyBook_flatLinesAndNoBars()
{
    m_window->expenditures() = ExpenditureBook{};
    m_window->expenditures().AllMoney = 40;
    m_window->RefreshExpenditures();
    for (QAbstractSeries *series : chart("Chart1")->series()) {
        const auto *line = static_cast<QLineSeries *>(series);
        QCOMPARE(line->count(), 89);
        for (const QPointF &point : line->points())
            QCOMPARE(point.y(), 40.0);
    }
    const auto *history = static_cast<QLineSeries *>(chart("Chart2")->series()[0]);
    QCOMPARE(history->count(), 1);
    QCOMPARE(history->at(0), QPointF(axisX(DateTime::encode(2025, 3, 17)), 0));
    QCOMPARE(series2()->count(), 0);
    QCOMPARE(chart("Chart3")->title(), QStringLiteral("Avr: 0.00 PLN/day  Total: 0 PLN"));
    QCOMPARE(m_window->expenditurePage()->balanceLabel()->text(), QStringLiteral("40 PLN"));
}

void TestExpenditureCharts::copy_putsTheChartImageOnTheClipboard_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("chart");
    QTest::newRow("categories") << QStringLiteral("JvPopupMenu10") << QStringLiteral("Copy1")
                                << QStringLiteral("Chart3");
    QTest::newRow("prediction") << QStringLiteral("JvPopupMenu11") << QStringLiteral("Copy2")
                                << QStringLiteral("Chart1");
    QTest::newRow("history") << QStringLiteral("JvPopupMenu12") << QStringLiteral("Copy3") << QStringLiteral("Chart2");
}

void TestExpenditureCharts::copy_putsTheChartImageOnTheClipboard()
{
    QFETCH(QString, menu);
    QFETCH(QString, action);
    QFETCH(QString, chart);
    auto *view = m_window->expenditurePage()->charts()->chart1()->window()->findChild<QChartView *>(chart);
    auto *popup = view->findChild<QMenu *>(menu);
    QVERIFY(popup);
    QCOMPARE(popup->actions().size(), 1);
    QCOMPARE(popup->actions()[0]->objectName(), action);
    QCOMPARE(popup->actions()[0]->text(), QStringLiteral("Copy"));

    QApplication::clipboard()->clear();
    popup->actions()[0]->trigger();
    const QImage image = QApplication::clipboard()->image();
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), view->size());
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    QVERIFY(hasColourOtherThanWhite(image));
}

void TestExpenditureCharts::mouseOverPrediction_showsTheReadOuts()
{
    auto *pages = m_window->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    pages->setCurrentIndex(3);
    for (RollOutPanel *panel : m_window->expenditurePage()->findChildren<RollOutPanel *>())
        panel->setCollapsed(false);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    ExpenditurePage *page = m_window->expenditurePage();
    auto *view = page->charts()->chart1();
    QCOMPARE(view->viewport()->cursor().shape(), Qt::CrossCursor);
    QLabel *labels[] = {
        page->findChild<QLabel *>(QStringLiteral("Label8")), page->findChild<QLabel *>(QStringLiteral("Label10")),
        page->findChild<QLabel *>(QStringLiteral("Label11")), page->findChild<QLabel *>(QStringLiteral("Label12"))};
    for (QLabel *label : labels)
        QCOMPARE(label->text(), QStringLiteral("n/a"));

    const PredictionChart prediction = expected().prediction;
    const auto move = [view](const QPoint &at) {
        QMouseEvent event(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &event);
    };
    // Half way through 16 April: the 30th point of each line, "Default" flat at 1300 around it.
    QChart *chart1 = view->chart();
    const TDateTime t = DateTime::encode(2025, 4, 16, 12);
    const QPointF inChart = chart1->mapToPosition(QPointF(axisX(t), 1300), chart1->series()[0]);
    move(view->mapFromScene(chart1->mapToScene(inChart)));
    const LocaleFormats &formats = page->formats();
    QCOMPARE(prediction.defaultLine[29].y, 1300.0);
    QCOMPARE(labels[0]->text(), QStringLiteral("1300"));
    QCOMPARE(labels[1]->text(), ExpenditureText::number(std::round(prediction.thirtyDays[29].y), formats));
    QCOMPARE(labels[2]->text(), ExpenditureText::number(std::round(prediction.allData[29].y), formats));
    QCOMPARE(labels[3]->text(), QStringLiteral("Date: ") + formats.formatDate(QDate(2025, 4, 16)));

    // Left of the first day the labels keep their texts.
    const QStringList before = {labels[0]->text(), labels[1]->text(), labels[2]->text(), labels[3]->text()};
    move(QPoint(1, view->viewport()->height() / 2));
    QCOMPARE((QStringList{labels[0]->text(), labels[1]->text(), labels[2]->text(), labels[3]->text()}), before);
}

void TestExpenditureCharts::charts_madeWhenThePageIsFirstShown()
{
    ExpenditurePage *page = m_window->expenditurePage();
    QVERIFY(!page->hasCharts());
    QVERIFY(!page->findChild<QChartView *>());
    m_window->show();
    QVERIFY(!page->hasCharts());
    m_window->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->setCurrentWidget(page->parentWidget());
    QVERIFY(page->hasCharts());
    // What the refresh before computed is drawn at once.
    const ExpenditurePageData drawn = expected();
    QCOMPARE(chart("Chart1")->series().size(), 3);
    compareLine(static_cast<QLineSeries *>(chart("Chart1")->series().constFirst()), drawn.prediction.defaultLine);
    compareLine(static_cast<QLineSeries *>(chart("Chart2")->series().constFirst()), drawn.history.line);
    QCOMPARE(qsizetype(series2()->count()), drawn.categories.bars.size());
}

void TestExpenditureCharts::paletteSwitch_redrawsInTheDesktopsColours_data()
{
    QTest::addColumn<bool>("darkFirst");
    QTest::newRow("light to dark") << false;
    QTest::newRow("dark to light") << true;
}

void TestExpenditureCharts::paletteSwitch_redrawsInTheDesktopsColours()
{
    QFETCH(bool, darkFirst);
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2A2A2A));
    dark.setColor(QPalette::WindowText, QColor(0xEEEEEE));
    dark.setColor(QPalette::Base, QColor(0x1E1E1E));
    dark.setColor(QPalette::Text, QColor(0xEEEEEE));
    const QPalette light = QApplication::palette();
    if (darkFirst)
        QApplication::setPalette(dark);
    chart("Chart1");
    QApplication::setPalette(darkFirst ? light : dark);
    QApplication::processEvents();
    const bool nowDark = !darkFirst;
    const QPalette &palette = nowDark ? dark : light;

    for (const char *name : {"Chart1", "Chart2", "Chart3"}) {
        QCOMPARE(chart(name)->theme(), nowDark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
        QCOMPARE(chart(name)->backgroundBrush().color(), palette.color(QPalette::Base));
    }
    const QList<QAbstractSeries *> lines = chart("Chart1")->series();
    QCOMPARE(lines.size(), 3);
    const QColor blue = static_cast<QLineSeries *>(lines[1])->pen().color();
    QCOMPARE(blue, ExpenditureChartViews::lineColour(QColor(0, 0, 255), palette));
    // Readable: far from the background's lightness, whichever it is.
    QVERIFY(std::abs(blue.lightnessF() - palette.color(QPalette::Base).lightnessF()) > 0.4);
    QCOMPARE(static_cast<QLineSeries *>(lines[1])->pen().width(), 2);
    for (QAbstractAxis *axis : chart("Chart1")->axes(Qt::Vertical))
        if (axis->alignment() == Qt::AlignLeft)
            QCOMPARE(static_cast<QValueAxis *>(axis)->labelsColor(), QColor(Qt::transparent));
    QCOMPARE(series2()->barSets().constFirst()->labelColor(),
             nowDark ? palette.color(QPalette::WindowText) : QColor(Qt::black));
    // The week schedule's pale weekday tints turn deep on a dark desktop, at once.
    const auto *monday = m_window->findChild<QWidget *>(QStringLiteral("ListView4"));
    QCOMPARE(monday->palette().color(QPalette::Base).lightnessF() < 0.5, nowDark);
    const QString label8 = m_window->findChild<QLabel *>(QStringLiteral("Label8"))->styleSheet();
    QVERIFY2(label8.contains(ExpenditureChartViews::lineColour(QColor(255, 0, 0), palette).name()), qPrintable(label8));
}

QTEST_MAIN(TestExpenditureCharts)
#include "tst_expenditurecharts.moc"
