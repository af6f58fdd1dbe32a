#include "ui/dialogs/AboutDialog.h"

#include "core/Version.h"
#include "ui/widgets/ImageList.h"
#include "ui_AboutDialog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_ui(std::make_unique<Ui::AboutDialog>())
{
    m_ui->setupUi(this);
    m_ui->Label1->setText(QStringLiteral("Marevo Notes ver. " MAREVO_VERSION));
    m_ui->Image1->setPixmap(ImageList1::applicationIcon().pixmap(64, 64));
    QFont link = m_ui->JvStaticText4->font();
    link.setUnderline(true);
    m_ui->JvStaticText4->setFont(link);
    m_ui->JvStaticText4->setStyleSheet(QStringLiteral("QLabel { color: palette(link); }"));
    m_ui->JvStaticText4->installEventFilter(this);
    // The program has no web site; the link leads to the documentation shipped with it.
    const QUrl documentation = documentationUrl(QCoreApplication::applicationDirPath());
    m_ui->JvStaticText4->setEnabled(!documentation.isEmpty());
    m_ui->JvStaticText4->setToolTip(documentation.toLocalFile());
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setFixedSize(sizeHint());
}

AboutDialog::~AboutDialog() = default;

QUrl AboutDialog::documentationUrl(const QString &executableDir)
{
    const QString candidates[] = {executableDir + QStringLiteral("/../share/doc/marevo-notes/README.md"),
                                  QStringLiteral(MAREVO_SOURCE_DIR "/README.md")};
    for (const QString &candidate : candidates) {
        const QFileInfo file(candidate);
        if (file.isFile())
            return QUrl::fromLocalFile(file.canonicalFilePath());
    }
    return {};
}

void AboutDialog::JvStaticText4Click()
{
    const QUrl documentation = documentationUrl(QCoreApplication::applicationDirPath());
    if (!documentation.isEmpty())
        QDesktopServices::openUrl(documentation);
}

bool AboutDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->JvStaticText4) {
        const bool clicked = event->type() == QEvent::MouseButtonRelease &&
                             static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        const bool keyed =
            event->type() == QEvent::KeyPress && (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Return ||
                                                  static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space);
        if (clicked || keyed) {
            JvStaticText4Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
