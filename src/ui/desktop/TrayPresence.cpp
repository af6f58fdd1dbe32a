#include "ui/desktop/TrayPresence.h"

#include "ui/dialogs/Messages.h"
#include "ui/widgets/Appearance.h"
#include "ui/widgets/BalloonHint.h"
#include "ui/widgets/ImageList.h"

#include "core/Clock.h"
#include "core/ProgramState.h"
#include "desktop/DesktopProbe.h"
#include "desktop/GlobalHotKeys.h"
#include "reminders/AutoHide.h"
#include "reminders/TodayEvents.h"
#include "settings/Settings.h"

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

const QString TrayPresence::kNoTrayNotice = QStringLiteral(
    "Marevo Notes keeps running when its window is closed, but this desktop shows no tray icons, so the window "
    "has been minimised instead.\n\n"
    "On GNOME, the extension \"AppIndicator and KStatusNotifierItem Support\" adds the tray; other desktops "
    "have a tray or status notifier area among their panel's items.\n\n"
    "To end the program, choose \"Close\" in the General menu.");

TrayPresence::TrayPresence(const EditedData &data, TrayWindow window, QSystemTrayIcon *icon, QMenu *menu,
                           QTimer *timer1)
    : QObject(&window.window), m_data(data), m_window(std::move(window)), m_icon(icon), m_menu(menu), m_timer1(timer1),
      m_probe(std::make_unique<SystemDesktopProbe>())
{
    m_balloon = new BalloonHint(&m_window.window);
    m_balloon->setObjectName(QStringLiteral("TrayBalloon"));
    connect(m_icon, &QSystemTrayIcon::activated, this, &TrayPresence::iconActivated);
    connect(m_menu, &QMenu::aboutToShow, this, &TrayPresence::JvPopupMenu2Popup);
    connect(m_timer1, &QTimer::timeout, this, &TrayPresence::Timer1Timer);
    m_window.window.installEventFilter(this);

    if (QWidget *shortcuts = m_window.shortcutsGroup) {
        m_hotKeysNote = new QLabel(shortcuts);
        m_hotKeysNote->setObjectName(QStringLiteral("HotKeysNote"));
        m_hotKeysNote->setWordWrap(true);
        shortcuts->layout()->addWidget(m_hotKeysNote);
    }
    setHotKeys(GlobalHotKeys::create());
    updateIcon();
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
    const Settings &settings = m_data.settings;
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
    connect(m_hotKeys.get(), &GlobalHotKeys::supportChanged, this,
            [this] { showHotKeysState(m_hotKeysRegistered); });
}

void TrayPresence::showHotKeysState(bool allRegistered)
{
    m_hotKeysRegistered = allRegistered;
    if (!m_hotKeysNote)
        return;
    QString note;
    if (!m_hotKeys->isSupported()) {
        const QString program = QCoreApplication::applicationFilePath();
        note = QStringLiteral("Global hot keys are not available on this desktop.") +
               QStringLiteral(" Bind a shortcut in the desktop's keyboard settings to one of these commands instead:"
                              "\n%1 --add-note\n%1 --show\n%1 --today-popup")
                   .arg(program);
    } else if (!allRegistered) {
        note = QStringLiteral("Some of these keys are taken by another program and do not work.");
    } else if (m_hotKeys->backend() == GlobalHotKeys::Backend::Portal) {
        note = QStringLiteral("The keys are bound through the desktop's global shortcuts; the desktop may ask to "
                              "confirm them, and they can be changed in its keyboard settings.");
    } else {
        note = QStringLiteral("The keys are taken from the X11 display.");
    }
    m_hotKeysNote->setText(note);
}

void TrayPresence::ShowTrayIconPopup(int visibleMs)
{
    const QString title = TodayEvents::title().left(TodayEvents::kTitleLimit);
    const QString body = TodayEvents::balloonBody(TodayEvents::text(m_data.notes, Clock::nowValue()));
    closeBalloon();
    if (m_icon->isVisible() && QSystemTrayIcon::supportsMessages()) {
        m_icon->showMessage(title, shownText(body), QSystemTrayIcon::Information, visibleMs);
    } else {
        // No notification area: the balloon stands at the top right corner of the screen.
        const QScreen *screen = QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect();
        m_balloon->showBalloon(QPoint(area.right() - m_balloon->sizeHint().width(), area.top()), title, shownText(body),
                               QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation), visibleMs);
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
    m_data.state.TrayPopupDelay = AutoHide::kMenuPopupDelay;
    updateTimer1();
}

void TrayPresence::JvTrayIcon1Click()
{
    m_data.state.HideCountdown = m_data.settings.AutohideDelay;
    if (m_window.window.isVisible() && !m_window.window.isMinimized())
        Q_EMIT hideWindowRequested();
    else
        Q_EMIT showWindowRequested();
}

void TrayPresence::JvTrayIcon1MouseMove()
{
    if (m_data.settings.TrayIconPopUp && m_data.state.TrayPopupDelay <= 0)
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
    if (m_data.settings.Shortcut)
        addNoteFromOutside();
}

void TrayPresence::addNoteFromOutside()
{
    QWidget *front = m_window.noteEditor.isVisible() ? &m_window.noteEditor : &m_window.window;
    if (front->isVisible() && !front->isMinimized()) {
        front->raise();
        front->activateWindow();
    }
    Q_EMIT addNoteRequested();
}

void TrayPresence::JvApplicationHotKey2HotKey()
{
    if (!m_data.settings.ShowWindowShortCut)
        return;
    Q_EMIT showWindowRequested();
    m_data.state.HideCountdown = m_data.settings.AutohideDelay;
}

void TrayPresence::JvApplicationHotKey3HotKey()
{
    if (m_data.settings.TodayEventsShortcut)
        ShowTrayIconPopup(kBalloonFromKeyMs);
}

void TrayPresence::Timer1Timer()
{
    AutoHideInput input;
    input.desktop = m_probe->read();
    input.windowVisible = m_window.window.isVisible() && !m_window.window.isMinimized();
    input.windowRect = m_window.window.frameGeometry();
    input.dialogOpen = m_window.dialogOpen();
    const AutoHideStep step = AutoHide::Timer1Timer(m_data.state, m_data.settings, input);
    if (step.show && !input.windowVisible)
        Q_EMIT showWindowRequested();
    if (step.hide)
        Q_EMIT hideWindowRequested();
    updateTimer1();
}

void TrayPresence::updateTimer1()
{
    if (!AutoHide::timerNeeded(m_data.state, m_data.settings))
        m_timer1->stop();
    else if (!m_timer1->isActive())
        m_timer1->start();
}

bool TrayPresence::eventFilter(QObject *watched, QEvent *event)
{
    // Minimised with an icon in the notification area, the window goes there and leaves the task bar.
    // Hiding is left until the state change is through, or the window manager may see it half done.
    if (watched == &m_window.window && event->type() == QEvent::WindowStateChange && m_window.window.isMinimized() &&
        m_icon->isVisible()) {
        QTimer::singleShot(0, this, [this] {
            if (!m_window.window.isMinimized() || !m_icon->isVisible())
                return;
            m_window.window.hide();
            // Shown again from the icon, it comes back as it was before, not minimised.
            m_window.window.setWindowState(m_window.window.windowState() & ~Qt::WindowMinimized);
        });
    }
    if (watched == &m_window.window &&
        (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange))
        updateIcon();
    return QObject::eventFilter(watched, event);
}

bool TrayPresence::takeTrayNotice()
{
    if (m_icon->isVisible() || m_data.settings.TrayHintShown)
        return false;
    m_data.settings.TrayHintShown = true;
    return true;
}

void TrayPresence::showTrayNotice()
{
    Messages::information(nullptr, kNoTrayNotice);
}

void TrayPresence::updateIcon()
{
    m_icon->setIcon(ImageList1::trayIcon(Appearance::isDark(m_window.window.palette())));
}

void TrayPresence::refreshToolTip()
{
    const QString text = TodayEvents::text(m_data.notes, Clock::nowValue());
    m_icon->setToolTip(text.isEmpty()
                           ? QStringLiteral("Marevo Notes")
                           : TodayEvents::title() + QLatin1Char('\n') + shownText(TodayEvents::balloonBody(text)));
}
