#pragma once

#include <QDialog>
#include <QUrl>

#include <memory>

namespace Ui {
class AboutDialog;
}

// The about window.
class AboutDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutDialog)

public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // The README that came with this copy: installed beside the program, or in the tree it was built from.
    // Empty when neither is there.
    static QUrl documentationUrl(const QString &executableDir);
    ~AboutDialog() override;

    void JvStaticText4Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::AboutDialog> m_ui;
};
