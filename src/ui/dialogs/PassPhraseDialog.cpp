#include "ui/dialogs/PassPhraseDialog.h"

#include "ui_PassPhraseDialog.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
// Shown masked, so the person clears it before typing.
const QString kPlaceholderWord = QStringLiteral("enterpassword");
} // namespace

PassPhraseDialog::PassPhraseDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_ui(std::make_unique<Ui::PassPhraseDialog>())
{
    m_ui->setupUi(this);
    m_ui->JvEdit1->setText(kPlaceholderWord);
    m_ui->JvEdit1->selectAll();
    connect(m_ui->DsFancyButton1, &QPushButton::clicked, this, &PassPhraseDialog::DsFancyButton1Click);
    connect(m_ui->JvEdit1, &QLineEdit::returnPressed, this, &PassPhraseDialog::DsFancyButton1Click);
    setFixedSize(sizeHint());
}

PassPhraseDialog::~PassPhraseDialog() = default;

QString PassPhraseDialog::typedPassPhrase() const
{
    return m_ui->JvEdit1->text();
}

void PassPhraseDialog::DsFancyButton1Click()
{
    accept();
}
