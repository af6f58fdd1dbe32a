#pragma once

#include "ui/mainwindow/EditedData.h"

#include <QObject>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>

class BalloonHint;
class DesktopProbe;
class GlobalHotKeys;
class QLabel;
class QMenu;
class QTimer;
class QWidget;

// The main window's parts the presence works with.
struct TrayWindow
{
    QWidget &window;                  // shown, hidden, and watched for minimising
    QWidget &noteEditor;              // brought to the front by the "add note" key while it is open
    QWidget *shortcutsGroup;          // the settings dialog's hot-key group, where a key not taken is told
    std::function<bool()> dialogOpen; // one of the program's dialogs is up
};

// The program's presence on the desktop beside its window: the notification-area icon and its
// balloon, the three global hot keys, and the automatic hiding and pop-up driven by Timer1.
class TrayPresence final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrayPresence)

public:
    // How long a balloon stays: the mouse keeps the short one alive by moving on the icon;
    // one opened by a key or a click has nothing to keep it, so it stays long enough to be read.
    static constexpr int kBalloonMs = 500;
    static constexpr int kBalloonFromKeyMs = 5000;
    static const QString kNoTrayNotice;

    TrayPresence(const EditedData &data, TrayWindow window, QSystemTrayIcon *icon, QMenu *menu, QTimer *timer1);
    ~TrayPresence() override;

    GlobalHotKeys &hotKeys() { return *m_hotKeys; }
    void setHotKeys(std::unique_ptr<GlobalHotKeys> hotKeys);
    // Holds exactly the keys switched on in the settings; nothing is taken before they are read.
    void applyHotKeys();
    void setDesktopProbe(std::unique_ptr<DesktopProbe> probe);
    // The balloon drawn by the program itself where the desktop has no notification area.
    BalloonHint *ownBalloon() const { return m_balloon; }

    void ShowTrayIconPopup(int visibleMs = kBalloonMs);
    void closeBalloon();
    void JvPopupMenu2Popup();
    void JvTrayIcon1Click();
    void JvTrayIcon1MouseMove();
    void JvApplicationHotKey1HotKey();
    // The "add note" key's work, also asked for from the command line: an open editor comes to the front.
    void addNoteFromOutside();
    void JvApplicationHotKey2HotKey();
    void JvApplicationHotKey3HotKey();
    void Timer1Timer();
    // Timer1 runs only while hiding is on or the balloon is held back.
    void updateTimer1();
    // Closed where the desktop shows no tray icon: the notice of how to get one and how the program ends
    // is due once; true (and marked in the settings) when it is due now.
    bool takeTrayNotice();
    void showTrayNotice();
    // The full-colour icon on light panels, the symbolic one on dark ones.
    void updateIcon();
    // The icon's tooltip carries today's events, since tray hosts here report no mouse movement.
    void refreshToolTip();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

Q_SIGNALS:
    // Title and body as the balloon got them (the body's lines joined by CR).
    void balloonShown(const QString &title, const QString &body);
    // The icon, a hot key or the automatic hiding want the window shown or hidden.
    void showWindowRequested();
    void hideWindowRequested();
    // The "add note" hot key.
    void addNoteRequested();

private:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void connectHotKeys();
    void showHotKeysState(bool allRegistered);

    EditedData m_data;
    TrayWindow m_window;
    QSystemTrayIcon *m_icon;
    QMenu *m_menu;
    QTimer *m_timer1;
    BalloonHint *m_balloon = nullptr;
    QLabel *m_hotKeysNote = nullptr;
    std::unique_ptr<GlobalHotKeys> m_hotKeys;
    bool m_hotKeysApplied = false;
    bool m_hotKeysRegistered = true;
    std::unique_ptr<DesktopProbe> m_probe;
};
