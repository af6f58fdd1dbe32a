#pragma once

#include <QDialog>

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
    static constexpr const char *kHomepage = "https://marevo-notes.example.org/";

    explicit TForm5(QWidget *parent = nullptr);
    ~TForm5() override;

    void JvStaticText4Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::TForm5> m_ui;
};
