#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TForm6;
}

// Asks for the pass phrase at start; the program cannot go on without it.
class TForm6 final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm6)

public:
    explicit TForm6(QWidget *parent = nullptr);
    ~TForm6() override;

    QString typedPassPhrase() const;
    void DsFancyButton1Click();

public Q_SLOTS:
    // Neither Esc nor the window manager may skip the question.
    void reject() override {}

private:
    std::unique_ptr<Ui::TForm6> m_ui;
};
