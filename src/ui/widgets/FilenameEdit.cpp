#include "ui/widgets/FilenameEdit.h"

#include "ui/dialogs/FileChoosers.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

FilenameEdit::FilenameEdit(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_edit = new QLineEdit(this);
    m_browse = new QToolButton(this);
    m_browse->setText(QStringLiteral("..."));
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_browse);
    setFocusProxy(m_edit);
    connect(m_edit, &QLineEdit::textChanged, this, &FilenameEdit::fileNameChanged);
    connect(m_browse, &QToolButton::clicked, this, &FilenameEdit::browse);
}

QString FilenameEdit::fileName() const
{
    return m_edit->text();
}

void FilenameEdit::setFileName(const QString &fileName)
{
    m_edit->setText(fileName);
}

void FilenameEdit::browse()
{
    const QString chosen = FileChoosers::openFile(this, QString(), m_filter, m_initialDir);
    if (!chosen.isEmpty())
        setFileName(chosen);
}
