#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class PassPhraseDialog;
}

// Asks for the pass phrase at start; the program cannot go on without it.
class PassPhraseDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PassPhraseDialog)

public:
    explicit PassPhraseDialog(QWidget *parent = nullptr);
    ~PassPhraseDialog() override;

    QString typedPassPhrase() const;
    void DsFancyButton1Click();

public Q_SLOTS:
    // Neither Esc nor the window manager may skip the question.
    void reject() override {}

private:
    std::unique_ptr<Ui::PassPhraseDialog> m_ui;
};
