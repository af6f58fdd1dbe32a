#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A file name field with a button that opens a file chooser.
class FilenameEdit final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FilenameEdit)

public:
    explicit FilenameEdit(QWidget *parent = nullptr);

    QString fileName() const;
    void setFileName(const QString &fileName);
    QString filter() const { return m_filter; }
    void setFilter(const QString &filter) { m_filter = filter; }
    QString initialDir() const { return m_initialDir; }
    void setInitialDir(const QString &dir) { m_initialDir = dir; }
    QLineEdit *lineEdit() const { return m_edit; }
    QToolButton *browseButton() const { return m_browse; }

    // Opens the chooser; a chosen file replaces the text.
    void browse();

Q_SIGNALS:
    void fileNameChanged(const QString &fileName);

private:
    QLineEdit *m_edit = nullptr;
    QToolButton *m_browse = nullptr;
    QString m_filter;
    QString m_initialDir;
};
