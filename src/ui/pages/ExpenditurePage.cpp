#include "ui/pages/ExpenditurePage.h"

#include "ui/pages/ExpenditureChartViews.h"
#include "ui/pages/ExpenditureListModel.h"
#include "ui/widgets/RollOutPanel.h"

#include "core/Clock.h"
#include "expenditures/ExpenditureRefresh.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

void execCentred(QDialog *dialog)
{
    if (!dialog)
        return;
    // A fixed-size dialog takes its size from its layout only once that has run.
    if (dialog->layout())
        dialog->layout()->activate();
    if (const QScreen *screen = dialog->screen())
        dialog->move(screen->availableGeometry().center() - dialog->rect().center());
    dialog->exec();
}

} // namespace

ExpenditureSettings expenditureSettings(const Settings &settings)
{
    ExpenditureSettings result;
    result.Currency = settings.Currency;
    result.CurrencyPrefix = settings.CurrencyPrefix;
    result.CurrencySuffix = settings.CurrencySuffix;
    result.PredictFor = settings.PredictFor;
    return result;
}

ExpenditurePage::ExpenditurePage(QWidget *parent) : QWidget(parent), m_formats(LocaleFormats::system())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);

    auto *bar = new QWidget(this);
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(2, 2, 2, 2);
    auto *add = new QPushButton(QStringLiteral("Add transaction"), bar);
    add->setObjectName(QStringLiteral("DsFancyButton8"));
    m_balance = new QLabel(QStringLiteral("n/a"), bar);
    m_balance->setObjectName(QStringLiteral("Label9"));
    m_balance->setAlignment(Qt::AlignCenter);
    QFont bold = m_balance->font();
    bold.setBold(true);
    m_balance->setFont(bold);
    m_balance->installEventFilter(this);
    auto *manage = new QPushButton(QStringLiteral("Manage"), bar);
    manage->setObjectName(QStringLiteral("DsFancyButton5"));
    barLayout->addWidget(add);
    barLayout->addWidget(m_balance, 1);
    barLayout->addWidget(manage);
    layout->addWidget(bar);
    connect(add, &QPushButton::clicked, this, &ExpenditurePage::DsFancyButton8Click);
    connect(manage, &QPushButton::clicked, this, &ExpenditurePage::DsFancyButton5Click);

    // Expenditures: the "Show" choice over the category chart.
    auto *categories = new QWidget(this);
    auto *categoriesLayout = new QVBoxLayout(categories);
    categoriesLayout->setContentsMargins(0, 0, 0, 0);
    auto *showRow = new QHBoxLayout;
    showRow->addWidget(new QLabel(QStringLiteral("Show"), categories));
    m_show = new QComboBox(categories);
    m_show->setObjectName(QStringLiteral("ComboBox1"));
    m_show->setEditable(true);
    m_show->setInsertPolicy(QComboBox::NoInsert);
    m_show->addItems({QStringLiteral("All"), QStringLiteral("Current month"), QStringLiteral("Previous month")});
    showRow->addWidget(m_show, 1);
    categoriesLayout->addLayout(showRow);
    auto *categoriesArea = new QWidget(categories);
    // Tall enough for the legend's eleven categories.
    categoriesArea->setMinimumHeight(300);
    categoriesLayout->addWidget(categoriesArea, 1);
    addSection(layout, QStringLiteral("Expenditures"), categories);
    connect(m_show, &QComboBox::currentTextChanged, this, &ExpenditurePage::ComboBox1Change);

    auto *historyArea = new QWidget(this);
    historyArea->setMinimumHeight(220);
    addSection(layout, QStringLiteral("History"), historyArea);

    auto *predictions = new QWidget(this);
    auto *predictionsLayout = new QVBoxLayout(predictions);
    predictionsLayout->setContentsMargins(0, 0, 0, 0);
    auto *readOutRow = new QHBoxLayout;
    const std::pair<const char *, Qt::Alignment> labels[] = {{"Label8", Qt::AlignLeft},
                                                             {"Label10", Qt::AlignHCenter},
                                                             {"Label11", Qt::AlignRight},
                                                             {"Label12", Qt::AlignLeft}};
    int at = 0;
    for (const auto &[name, alignment] : labels) {
        auto *label = new QLabel(QStringLiteral("n/a"), predictions);
        label->setObjectName(QLatin1String(name));
        label->setAlignment(alignment | Qt::AlignVCenter);
        readOutRow->addWidget(label, 1);
        m_readOuts[static_cast<size_t>(at++)] = label;
    }
    colourReadOuts(QApplication::palette());
    predictionsLayout->addLayout(readOutRow);
    auto *predictionArea = new QWidget(predictions);
    predictionArea->setMinimumHeight(220);
    predictionsLayout->addWidget(predictionArea, 1);
    addSection(layout, QStringLiteral("Predictions"), predictions);
    m_chartAreas = {categoriesArea, historyArea, predictionArea};

    m_future = makeList(QStringLiteral("ListView11"), &m_futureModel);
    addSection(layout, QStringLiteral("Future transactions"), m_future);
    m_periodic = makeList(QStringLiteral("ListView12"), &m_periodicModel);
    addSection(layout, QStringLiteral("Periodic transactions"), m_periodic);

    m_booked = makeList(QStringLiteral("ListView3"), &m_bookedModel);
    layout->addWidget(m_booked, 1);
}

RollOutPanel *ExpenditurePage::addSection(QVBoxLayout *layout, const QString &caption, QWidget *content)
{
    auto *section = new RollOutPanel(this);
    section->setCaption(caption);
    section->setContent(content);
    section->setCollapsed(true);
    layout->addWidget(section);
    return section;
}

QTreeView *ExpenditurePage::makeList(const QString &name, ExpenditureListModel **model)
{
    auto *list = new QTreeView(this);
    list->setObjectName(name);
    *model = new ExpenditureListModel({QStringLiteral("Description"), QStringLiteral("Amount"), QStringLiteral("Date")},
                                      list);
    setUpReportList(list, *model);
    list->header()->resizeSection(0, 170);
    list->header()->resizeSection(1, 90);
    return list;
}

void ExpenditurePage::setWindows(QDialog *addTransaction, QDialog *manage, QDialog *changeValue)
{
    m_addTransaction = addTransaction;
    m_manage = manage;
    m_changeValue = changeValue;
}

void ExpenditurePage::setFormats(const LocaleFormats &formats)
{
    m_formats = formats;
    if (m_charts)
        m_charts->setFormats(formats);
}

ExpenditureChartViews *ExpenditurePage::charts()
{
    if (!m_charts) {
        m_charts = new ExpenditureChartViews(m_chartAreas, m_readOuts, this);
        m_charts->setFormats(m_formats);
        m_charts->showPrediction(m_prediction);
        m_charts->showHistory(m_history);
        m_charts->showCategories(m_categories);
        // From here on the charts hold what they show.
        m_prediction = {};
        m_history = {};
        m_categories = {};
    }
    return m_charts;
}

void ExpenditurePage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    charts();
}

void ExpenditurePage::followPalette(const QPalette &palette)
{
    colourReadOuts(palette);
    if (m_charts)
        m_charts->followPalette(palette);
}

void ExpenditurePage::colourReadOuts(const QPalette &palette)
{
    // The lines' colours, and the text's own for the date.
    const QColor colours[] = {QColor(255, 0, 0), QColor(0, 0, 255), QColor(128, 128, 128)};
    for (size_t i = 0; i < m_readOuts.size(); ++i) {
        const QColor colour = i < std::size(colours) ? ExpenditureChartViews::lineColour(colours[i], palette)
                                                     : palette.color(QPalette::WindowText);
        m_readOuts[i]->setStyleSheet(
            QStringLiteral("QLabel { color: %1; font-weight: bold; }").arg(colour.name()));
    }
}

ShowPeriod ExpenditurePage::showPeriod() const
{
    // Typed text that names no entry leaves none selected.
    const int index = m_show->currentIndex();
    if (index < 0 || m_show->currentText() != m_show->itemText(index))
        return ShowPeriod::None;
    return ExpenditureCharts::showPeriodFromIndex(index);
}

void ExpenditurePage::refresh(ExpenditureBook &book, const Settings &settings)
{
    showPage(RefreshExpenditures(book, Clock::nowValue(), showPeriod(), expenditureSettings(settings), m_formats,
                                 m_search));
}

bool ExpenditurePage::refreshLists(ExpenditureBook &book, const Settings &settings)
{
    const ExpenditurePageData page = RefreshExpenditures(book, Clock::nowValue(), showPeriod(),
                                                         expenditureSettings(settings), m_formats, m_search, false);
    if (page.booked > 0) {
        showPage(page);
        return true;
    }
    m_bookedModel->setRows(page.occurred);
    m_futureModel->setRows(page.future);
    m_periodicModel->setRows(page.periodic);
    if (page.balanceText)
        m_balance->setText(*page.balanceText);
    return false;
}

void ExpenditurePage::showPage(const ExpenditurePageData &page)
{
    m_bookedModel->setRows(page.occurred);
    m_futureModel->setRows(page.future);
    m_periodicModel->setRows(page.periodic);
    if (page.balanceText)
        m_balance->setText(*page.balanceText);
    if (m_charts) {
        m_charts->showPrediction(page.prediction);
        m_charts->showHistory(page.history);
        m_charts->showCategories(page.categories);
    } else {
        m_prediction = page.prediction;
        m_history = page.history;
        m_categories = page.categories;
    }
}

void ExpenditurePage::DsFancyButton8Click()
{
    execCentred(m_addTransaction);
}

void ExpenditurePage::DsFancyButton5Click()
{
    execCentred(m_manage);
}

void ExpenditurePage::Label9DblClick()
{
    execCentred(m_changeValue);
}

void ExpenditurePage::ComboBox1Change()
{
    Q_EMIT refreshRequested();
}

bool ExpenditurePage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_balance && event->type() == QEvent::MouseButtonDblClick)
        Label9DblClick();
    return QWidget::eventFilter(watched, event);
}
