#include "SettingsTestData.h"

#include "ui/dialogs/AboutDialog.h"
#include "ui/mainwindow/MainWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

class TestMainWindow final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void captionAndDesignSize();
    void fitsItsDesignWidth();
    void storedWidthOutOfRange_placedInsideTheScreen_data();
    void storedWidthOutOfRange_placedInsideTheScreen();
    void regions_standInOrder();
    void pages_inOrder_data();
    void pages_inOrder();
    void statusBar_hasSevenPanelsInOrder();
    void mainMenu_items_data();
    void mainMenu_items();
    void popupMenus_exist_data();
    void popupMenus_exist();
    void notesPopupMenu_sortItemsAreExclusive();
    void trayMenu_items();
    void notesList_columns();
    void imageList_hasEveryIndex();
    void about_showsVersionAndLink();

private:
    QTemporaryDir *m_dir = nullptr;
    MainWindow *m_window = nullptr;
};

void TestMainWindow::initTestCase()
{
    enterUiTestMode();
}

void TestMainWindow::init()
{
    m_dir = new QTemporaryDir;
    m_window = new MainWindow(m_dir->path() + QLatin1Char('/'));
    m_window->loadAllData();
    m_window->finishStartup();
    Messages::takeShown();
}

void TestMainWindow::cleanup()
{
    delete m_window;
    delete m_dir;
}

void TestMainWindow::captionAndDesignSize()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Marevo Notes [ver. 1.0.4.4]"));
    QCOMPARE(m_window->width(), 377);
    QVERIFY(m_window->height() <= 867);
}

void TestMainWindow::fitsItsDesignWidth()
{
    QVERIFY2(m_window->minimumSizeHint().width() <= 377,
             qPrintable(QString::number(m_window->minimumSizeHint().width())));
}

void TestMainWindow::storedWidthOutOfRange_placedInsideTheScreen_data()
{
    QTest::addColumn<QByteArray>("stored"); // the FormWidth element; empty: none
    QTest::newRow("none") << QByteArray();
    QTest::newRow("10") << QByteArray("<FormWidth>10</FormWidth>");
    QTest::newRow("3000") << QByteArray("<FormWidth>3000</FormWidth>");
}

void TestMainWindow::storedWidthOutOfRange_placedInsideTheScreen()
{
    QFETCH(QByteArray, stored);
    QTemporaryDir dir;
    TKeyValueXmlFile store;
    writeAll(dir.filePath(QStringLiteral("settings.xml")),
             SettingsFile::settingsData(store, Settings{}).replace("<FormWidth>377</FormWidth>", stored));
    auto window = startProgram(dir.path());
    Messages::takeShown();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QRect area = window->screen()->availableGeometry();
    QTRY_VERIFY(area.contains(window->frameGeometry()));
    QCOMPARE(window->frameGeometry().right(), area.right());
    QCOMPARE(window->frameGeometry().top(), area.top());
}

void TestMainWindow::regions_standInOrder()
{
    // Show the optional panels so every region takes space.
    const QStringList names{QStringLiteral("JvToolBar1"),   QStringLiteral("JvPanel6"),     QStringLiteral("JvPanel4"),
                            QStringLiteral("JvPanel2"),     QStringLiteral("JvRollOut1"),   QStringLiteral("JvPanel1"),
                            QStringLiteral("PageControl1"), QStringLiteral("StatusBarPro1")};
    for (const QString &name : names) {
        QWidget *region = m_window->findChild<QWidget *>(name);
        QVERIFY2(region, qPrintable(name));
        region->show();
    }
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    int lastBottom = -1;
    for (const QString &name : names) {
        QWidget *region = m_window->findChild<QWidget *>(name);
        const int top = region->mapTo(m_window, QPoint(0, 0)).y();
        QVERIFY2(top >= lastBottom, qPrintable(name));
        lastBottom = top + region->height();
    }
    QCOMPARE(m_window->findChild<QWidget *>(QStringLiteral("JvToolBar1"))->height(), 25);
    QCOMPARE(m_window->findChild<QWidget *>(QStringLiteral("JvPanel6"))->height(), 80);
    QCOMPARE(m_window->findChild<QWidget *>(QStringLiteral("JvPanel4"))->height(), 35);
    QCOMPARE(m_window->findChild<QWidget *>(QStringLiteral("JvPanel2"))->height(), 35);
    QCOMPARE(m_window->findChild<QWidget *>(QStringLiteral("JvRollOut1"))->height(), 170);
    QCOMPARE(m_window->findChild<QWidget *>(QStringLiteral("JvPanel1"))->height(), 48);
}

void TestMainWindow::pages_inOrder_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("content");
    QTest::newRow("notes") << 0 << QStringLiteral("TabSheet1") << QStringLiteral("Notes")
                           << QStringLiteral("ListView1");
    QTest::newRow("notepad") << 1 << QStringLiteral("TabSheet2") << QStringLiteral("Notepad")
                             << QStringLiteral("Notepad");
    QTest::newRow("week") << 2 << QStringLiteral("TabSheet3") << QStringLiteral("Week schedule")
                          << QStringLiteral("ListView10");
    QTest::newRow("expenditures") << 3 << QStringLiteral("TabSheet4") << QStringLiteral("Expenditure management")
                                  << QStringLiteral("ListView3");
}

void TestMainWindow::pages_inOrder()
{
    QFETCH(int, index);
    QFETCH(QString, sheet);
    QFETCH(QString, caption);
    QFETCH(QString, content);
    auto *pages = m_window->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    QCOMPARE(pages->count(), 4);
    QCOMPARE(pages->widget(index)->objectName(), sheet);
    QCOMPARE(pages->tabText(index), caption);
    QVERIFY(pages->widget(index)->findChild<QWidget *>(content));
    // The caption shows whole at the design width: no tab beyond the bar's edge, none shortened.
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    const QTabBar *bar = pages->tabBar();
    QVERIFY(bar->rect().contains(bar->tabRect(index)));
    QVERIFY(bar->tabRect(index).width() > bar->fontMetrics().horizontalAdvance(caption));
}

void TestMainWindow::statusBar_hasSevenPanelsInOrder()
{
    auto *bar = m_window->findChild<QStatusBar *>(QStringLiteral("StatusBarPro1"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    const QStringList panels{QStringLiteral("JvSwitch2"),         QStringLiteral("JvFullColorLabel3"),
                             QStringLiteral("JvFullColorLabel2"), QStringLiteral("JvFullColorLabel1"),
                             QStringLiteral("JvFullColorLabel0"), QStringLiteral("JvClock1")};
    const int widths[] = {40, 45, 45, 45, 45, 120};
    int lastX = -1;
    for (int i = 0; i < panels.size(); ++i) {
        QWidget *panel = bar->findChild<QWidget *>(panels[i]);
        QVERIFY2(panel, qPrintable(panels[i]));
        QCOMPARE(panel->width(), widths[i]);
        QVERIFY(panel->x() > lastX);
        lastX = panel->x();
    }
    QCOMPARE(bar->findChild<QWidget *>(QStringLiteral("JvSwitch2"))->toolTip(), QStringLiteral("Encryption"));
    QCOMPARE(bar->findChild<QLabel *>(QStringLiteral("JvFullColorLabel3"))->text(), QStringLiteral("0"));
}

void TestMainWindow::mainMenu_items_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("General") << QStringLiteral("File1") << QStringLiteral("General")
                             << QStringList{QStringLiteral("Addnote1=Add note"),
                                            QStringLiteral("Find1=Find"),
                                            QStringLiteral("N3=-"),
                                            QStringLiteral("Undo1=Undo"),
                                            QStringLiteral("Redo1=Redo"),
                                            QStringLiteral("N22=-"),
                                            QStringLiteral("Exportdata1=Export data..."),
                                            QStringLiteral("Makebackup1=Export notes..."),
                                            QStringLiteral("ExportIcs1=Export to calendar (.ics)..."),
                                            QStringLiteral("N19=-"),
                                            QStringLiteral("Importnotes1=Import notes..."),
                                            QStringLiteral("Importappendnotes1=Import notes (append) ..."),
                                            QStringLiteral("Importdata1=Import old notes..."),
                                            QStringLiteral("ImportIcs1=Import from calendar (.ics)..."),
                                            QStringLiteral("N20=-"),
                                            QStringLiteral("Settings1=Settings"),
                                            QStringLiteral("SyncNow1=Sync now"),
                                            QStringLiteral("N21=-"),
                                            QStringLiteral("Close2=Close")};
    QTest::newRow("Help") << QStringLiteral("About1") << QStringLiteral("Help")
                          << QStringList{QStringLiteral("About2=About...")};
}

void TestMainWindow::mainMenu_items()
{
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    auto *menuWidget = m_window->findChild<QMenu *>(menu);
    QVERIFY(menuWidget);
    QCOMPARE(menuWidget->title(), title);
    QStringList actual;
    for (QAction *action : menuWidget->actions())
        actual.append(action->objectName() + QLatin1Char('=') +
                      (action->isSeparator() ? QStringLiteral("-") : action->text()));
    QCOMPARE(actual, items);
}

void TestMainWindow::popupMenus_exist_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("items");
    QTest::newRow("notes list") << QStringLiteral("JvPopupMenu1") << 11;
    QTest::newRow("tray") << QStringLiteral("JvPopupMenu2") << 5;
    for (int i = 3; i <= 9; ++i)
        QTest::addRow("day list %d", i) << QStringLiteral("JvPopupMenu%1").arg(i) << 8;
}

void TestMainWindow::popupMenus_exist()
{
    QFETCH(QString, name);
    QFETCH(int, items);
    auto *menu = m_window->findChild<QMenu *>(name);
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), items);
}

void TestMainWindow::notesPopupMenu_sortItemsAreExclusive()
{
    auto *byPriority = m_window->findChild<QAction *>(QStringLiteral("bypriority1"));
    auto *byDone = m_window->findChild<QAction *>(QStringLiteral("bydonedesc1"));
    QVERIFY(byDone->isChecked());
    byPriority->trigger();
    QVERIFY(byPriority->isChecked());
    QVERIFY(!byDone->isChecked());
    QCOMPARE(m_window->findChild<QAction *>(QStringLiteral("bydaysleft1"))->text(), QStringLiteral("by days left "));
}

void TestMainWindow::trayMenu_items()
{
    auto *menu = m_window->findChild<QMenu *>(QStringLiteral("JvPopupMenu2"));
    QStringList captions;
    for (QAction *action : menu->actions())
        captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(captions, (QStringList{QStringLiteral("Run on startup"), QStringLiteral("Settings"),
                                    QStringLiteral("Sync now"), QStringLiteral("-"), QStringLiteral("Close")}));
}

void TestMainWindow::notesList_columns()
{
    auto *list = m_window->findChild<QTreeView *>(QStringLiteral("ListView1"));
    QCOMPARE(list->model()->columnCount(), 3);
    QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Note"));
    QCOMPARE(list->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("%"));
    QCOMPARE(list->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Left"));
}

void TestMainWindow::imageList_hasEveryIndex()
{
    for (int index : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14, 16, 17, 20}) {
        const QIcon icon = ImageList1::icon(index);
        QVERIFY2(!icon.isNull() && !icon.pixmap(16, 16).isNull(), qPrintable(QString::number(index)));
        // Sharp at twice the size: the artwork is vector.
        QCOMPARE(icon.pixmap(32, 32).width(), 32);
    }
    QVERIFY(ImageList1::icon(99).isNull());
}

void TestMainWindow::about_showsVersionAndLink()
{
    auto *about = m_window->findChild<AboutDialog *>();
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), QStringLiteral("About"));
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("Marevo Notes ver. 1.0.4.4"));
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("JvStaticText4"))->text(),
             QStringLiteral("Visit Marevo Notes Homepage"));
    QVERIFY(about->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    // The link leads to documentation that exists here, installed or in the build's sources, never the web.
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/doc/marevo-notes")));
    QFile installed(prefix.filePath(QStringLiteral("share/doc/marevo-notes/README.md")));
    QVERIFY(installed.open(QIODevice::WriteOnly));
    installed.close();
    QCOMPARE(AboutDialog::documentationUrl(prefix.filePath(QStringLiteral("bin"))),
             QUrl::fromLocalFile(QFileInfo(installed).canonicalFilePath()));
    const QUrl fromBuild = AboutDialog::documentationUrl(QCoreApplication::applicationDirPath());
    QVERIFY(fromBuild.isLocalFile());
    QVERIFY(QFileInfo(fromBuild.toLocalFile()).isFile());
    QVERIFY(about->findChild<QLabel *>(QStringLiteral("JvStaticText4"))->isEnabled());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
