#include "Password.h"

#include "ui_Password.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
// Shown masked, so the person clears it before typing.
const QString kPlaceholderWord = QStringLiteral("enterpassword");
} // namespace

TForm6::TForm6(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_ui(std::make_unique<Ui::TForm6>())
{
    m_ui->setupUi(this);
    m_ui->JvEdit1->setText(kPlaceholderWord);
    m_ui->JvEdit1->selectAll();
    connect(m_ui->DsFancyButton1, &QPushButton::clicked, this, &TForm6::DsFancyButton1Click);
    connect(m_ui->JvEdit1, &QLineEdit::returnPressed, this, &TForm6::DsFancyButton1Click);
    setFixedSize(sizeHint());
}

TForm6::~TForm6() = default;

QString TForm6::typedPassPhrase() const
{
    return m_ui->JvEdit1->text();
}

void TForm6::DsFancyButton1Click()
{
    accept();
}
