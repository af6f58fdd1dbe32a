#include "ExpenditurePage.h"

#include "RollOutPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

ExpenditurePage::ExpenditurePage(QWidget *parent) : QWidget(parent)
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
    auto *manage = new QPushButton(QStringLiteral("Manage"), bar);
    manage->setObjectName(QStringLiteral("DsFancyButton5"));
    barLayout->addWidget(add);
    barLayout->addWidget(m_balance, 1);
    barLayout->addWidget(manage);
    layout->addWidget(bar);

    // Expenditures: the "Show" choice over the category chart.
    auto *categories = new QWidget(this);
    auto *categoriesLayout = new QVBoxLayout(categories);
    categoriesLayout->setContentsMargins(0, 0, 0, 0);
    auto *showRow = new QHBoxLayout;
    showRow->addWidget(new QLabel(QStringLiteral("Show"), categories));
    auto *show = new QComboBox(categories);
    show->setObjectName(QStringLiteral("ComboBox1"));
    show->setEditable(true);
    show->addItems({QStringLiteral("All"), QStringLiteral("Current month"), QStringLiteral("Previous month")});
    showRow->addWidget(show, 1);
    categoriesLayout->addLayout(showRow);
    m_chartAreas[0] = new QWidget(categories);
    m_chartAreas[0]->setMinimumHeight(200);
    categoriesLayout->addWidget(m_chartAreas[0], 1);
    addSection(layout, QStringLiteral("Expenditures"), categories);

    m_chartAreas[1] = new QWidget(this);
    m_chartAreas[1]->setMinimumHeight(200);
    addSection(layout, QStringLiteral("History"), m_chartAreas[1]);

    auto *predictions = new QWidget(this);
    auto *predictionsLayout = new QVBoxLayout(predictions);
    predictionsLayout->setContentsMargins(0, 0, 0, 0);
    auto *readOuts = new QHBoxLayout;
    const std::tuple<const char *, const char *, Qt::Alignment> labels[] = {
        {"Label8", "red", Qt::AlignLeft},
        {"Label10", "blue", Qt::AlignHCenter},
        {"Label11", "grey", Qt::AlignRight},
        {"Label12", "black", Qt::AlignLeft}};
    for (const auto &[name, colour, alignment] : labels) {
        auto *label = new QLabel(QStringLiteral("n/a"), predictions);
        label->setObjectName(QLatin1String(name));
        label->setAlignment(alignment | Qt::AlignVCenter);
        label->setStyleSheet(QStringLiteral("QLabel { color: %1; font-weight: bold; }").arg(QLatin1String(colour)));
        readOuts->addWidget(label, 1);
    }
    predictionsLayout->addLayout(readOuts);
    m_chartAreas[2] = new QWidget(predictions);
    m_chartAreas[2]->setMinimumHeight(200);
    predictionsLayout->addWidget(m_chartAreas[2], 1);
    addSection(layout, QStringLiteral("Predictions"), predictions);

    m_future = makeList(QStringLiteral("ListView11"));
    addSection(layout, QStringLiteral("Future transactions"), m_future);
    m_periodic = makeList(QStringLiteral("ListView12"));
    addSection(layout, QStringLiteral("Periodic transactions"), m_periodic);

    m_booked = makeList(QStringLiteral("ListView3"));
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

QTreeView *ExpenditurePage::makeList(const QString &name)
{
    auto *list = new QTreeView(this);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setSectionsClickable(false);
    auto *model = new QStandardItemModel(0, 3, list);
    model->setHorizontalHeaderLabels({QStringLiteral("Description"), QStringLiteral("Amount"), QStringLiteral("Date")});
    list->setModel(model);
    return list;
}
