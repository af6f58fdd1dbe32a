#include "TrayPresence.h"

#include "AddNote.h"
#include "BalloonHint.h"
#include "Notes.h"
#include "Settings.h"

#include "core/Clock.h"
#include "desktop/DesktopProbe.h"
#include "desktop/GlobalHotKeys.h"
#include "reminders/AutoHide.h"
#include "reminders/TodayEvents.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <QTimer>

namespace {

// The balloon's lines are joined by CR; a label wants LF. A note's own CR LF stays one break.
QString shownText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

TrayPresence::TrayPresence(TForm1 &mainWindow, QSystemTrayIcon *icon, QMenu *menu, QTimer *timer1)
    : QObject(&mainWindow), m_main(mainWindow), m_icon(icon), m_menu(menu), m_timer1(timer1),
      m_probe(std::make_unique<SystemDesktopProbe>())
{
    m_balloon = new BalloonHint(&mainWindow);
    m_balloon->setObjectName(QStringLiteral("TrayBalloon"));
    connect(m_icon, &QSystemTrayIcon::activated, this, &TrayPresence::iconActivated);
    connect(m_menu, &QMenu::aboutToShow, this, &TrayPresence::JvPopupMenu2Popup);
    connect(m_timer1, &QTimer::timeout, this, &TrayPresence::Timer1Timer);
    m_main.installEventFilter(this);

    if (QGroupBox *shortcuts = m_main.settingsDialog()->findChild<QGroupBox *>(QStringLiteral("GroupBox8"))) {
        m_hotKeysNote = new QLabel(shortcuts);
        m_hotKeysNote->setObjectName(QStringLiteral("HotKeysNote"));
        m_hotKeysNote->setWordWrap(true);
        shortcuts->layout()->addWidget(m_hotKeysNote);
    }
    // The record is written by the box's own connection first, so the keys follow the new value.
    for (const char *box : {"CheckBox2", "CheckBox20", "CheckBox23"})
        if (auto *check = m_main.settingsDialog()->findChild<QCheckBox *>(QLatin1String(box)))
            connect(check, &QCheckBox::toggled, this, &TrayPresence::applyHotKeys);
    setHotKeys(GlobalHotKeys::create());
}

TrayPresence::~TrayPresence() = default;

void TrayPresence::setHotKeys(std::unique_ptr<GlobalHotKeys> hotKeys)
{
    m_hotKeys = std::move(hotKeys);
    connectHotKeys();
    if (m_hotKeysApplied)
        applyHotKeys();
}

void TrayPresence::applyHotKeys()
{
    m_hotKeysApplied = true;
    const Settings &settings = m_main.settings();
    showHotKeysState(
        m_hotKeys->registerOnly(settings.Shortcut, settings.ShowWindowShortCut, settings.TodayEventsShortcut));
}

void TrayPresence::setDesktopProbe(std::unique_ptr<DesktopProbe> probe)
{
    m_probe = std::move(probe);
}

void TrayPresence::connectHotKeys()
{
    connect(m_hotKeys.get(), &GlobalHotKeys::addNotePressed, this, &TrayPresence::JvApplicationHotKey1HotKey);
    connect(m_hotKeys.get(), &GlobalHotKeys::showWindowPressed, this, &TrayPresence::JvApplicationHotKey2HotKey);
    connect(m_hotKeys.get(), &GlobalHotKeys::todayEventsPressed, this, &TrayPresence::JvApplicationHotKey3HotKey);
}

void TrayPresence::showHotKeysState(bool allRegistered)
{
    if (!m_hotKeysNote)
        return;
    if (!m_hotKeys->isSupported())
        m_hotKeysNote->setText(QStringLiteral("Global hot keys are not available on this desktop."));
    else if (!allRegistered)
        m_hotKeysNote->setText(QStringLiteral("Some of these keys are taken by another program and do not work."));
    m_hotKeysNote->setVisible(!m_hotKeys->isSupported() || !allRegistered);
}

void TrayPresence::ShowTrayIconPopup(int visibleMs)
{
    const QString title = TodayEvents::title().left(TodayEvents::kTitleLimit);
    const QString body = TodayEvents::balloonBody(TodayEvents::text(m_main.notes(), Clock::nowValue()));
    closeBalloon();
    if (m_icon->isVisible() && QSystemTrayIcon::supportsMessages()) {
        m_icon->showMessage(title, shownText(body), QSystemTrayIcon::Information, visibleMs);
    } else {
        // No notification area: the balloon stands at the top right corner of the screen.
        const QScreen *screen = QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect();
        m_balloon->showBalloon(QPoint(area.right() - m_balloon->sizeHint().width(), area.top()), title,
                               shownText(body), QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation),
                               visibleMs);
    }
    Q_EMIT balloonShown(title, body);
}

void TrayPresence::closeBalloon()
{
    m_balloon->closeBalloon();
    // Qt's own balloon closes on an empty message.
    if (m_icon->isVisible() && QSystemTrayIcon::supportsMessages())
        m_icon->showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 0);
}

void TrayPresence::JvPopupMenu2Popup()
{
    closeBalloon();
    m_main.state().TrayPopupDelay = AutoHide::kMenuPopupDelay;
    updateTimer1();
}

void TrayPresence::JvTrayIcon1Click()
{
    m_main.state().HideCountdown = m_main.settings().AutohideDelay;
    if (m_main.isVisible() && !m_main.isMinimized())
        m_main.hideToTray();
    else
        m_main.showFromTray();
}

void TrayPresence::JvTrayIcon1MouseMove()
{
    if (m_main.settings().TrayIconPopUp && m_main.state().TrayPopupDelay <= 0)
        ShowTrayIconPopup();
}

void TrayPresence::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger)
        JvTrayIcon1Click();
    else if (reason == QSystemTrayIcon::MiddleClick)
        ShowTrayIconPopup(kBalloonFromKeyMs);
}

void TrayPresence::JvApplicationHotKey1HotKey()
{
    if (!m_main.settings().Shortcut)
        return;
    QWidget *front = m_main.noteEditor()->isVisible() ? static_cast<QWidget *>(m_main.noteEditor()) : &m_main;
    if (front->isVisible() && !front->isMinimized()) {
        front->raise();
        front->activateWindow();
    }
    m_main.DsFancyButton1Click();
}

void TrayPresence::JvApplicationHotKey2HotKey()
{
    if (!m_main.settings().ShowWindowShortCut)
        return;
    m_main.showFromTray();
    m_main.state().HideCountdown = m_main.settings().AutohideDelay;
}

void TrayPresence::JvApplicationHotKey3HotKey()
{
    if (m_main.settings().TodayEventsShortcut)
        ShowTrayIconPopup(kBalloonFromKeyMs);
}

void TrayPresence::Timer1Timer()
{
    AutoHideInput input;
    input.desktop = m_probe->read();
    input.windowVisible = m_main.isVisible() && !m_main.isMinimized();
    input.windowRect = m_main.frameGeometry();
    input.dialogOpen = m_main.anyDialogOpen();
    const AutoHideStep step = AutoHide::Timer1Timer(m_main.state(), m_main.settings(), input);
    if (step.show && !input.windowVisible)
        m_main.showFromTray();
    if (step.hide)
        m_main.hideToTray();
    updateTimer1();
}

void TrayPresence::updateTimer1()
{
    if (!AutoHide::timerNeeded(m_main.state(), m_main.settings()))
        m_timer1->stop();
    else if (!m_timer1->isActive())
        m_timer1->start();
}

bool TrayPresence::eventFilter(QObject *watched, QEvent *event)
{
    // Minimised with an icon in the notification area, the window goes there and leaves the task bar.
    // Hiding is left until the state change is through, or the window manager may see it half done.
    if (watched == &m_main && event->type() == QEvent::WindowStateChange && m_main.isMinimized() &&
        m_icon->isVisible()) {
        QTimer::singleShot(0, this, [this] {
            if (!m_main.isMinimized() || !m_icon->isVisible())
                return;
            m_main.hide();
            // Shown again from the icon, it comes back as it was before, not minimised.
            m_main.setWindowState(m_main.windowState() & ~Qt::WindowMinimized);
        });
    }
    return QObject::eventFilter(watched, event);
}

void TrayPresence::refreshToolTip()
{
    const QString text = TodayEvents::text(m_main.notes(), Clock::nowValue());
    m_icon->setToolTip(text.isEmpty() ? QStringLiteral("Marevo Notes")
                                      : TodayEvents::title() + QLatin1Char('\n')
                                            + shownText(TodayEvents::balloonBody(text)));
}
