#pragma once

#include <QDialog>
#include <QUrl>

#include <memory>

namespace Ui {
class TForm5;
}

// The about window.
class TForm5 final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm5)

public:
    explicit TForm5(QWidget *parent = nullptr);

    // The README that came with this copy: installed beside the program, or in the tree it was built from.
    // Empty when neither is there.
    static QUrl documentationUrl(const QString &executableDir);
    ~TForm5() override;

    void JvStaticText4Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::TForm5> m_ui;
};
