#pragma once

#include <QObject>

#include <memory>

// The three system-wide keys of the program. Registration may fail (another program holds
// the key) or be impossible (a desktop without global grabs): isSupported() tells the latter.
class GlobalHotKeys : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GlobalHotKeys)

public:
    enum class Key
    {
        AddNote,    // Ctrl+Q
        ShowWindow, // Ctrl+D
        TodayEvents // Ctrl+T
    };

    // Who takes the keys: the X server's grab, the desktop portal, or nobody.
    enum class Backend
    {
        None,
        X11,
        Portal
    };

    using QObject::QObject;

    virtual bool isSupported() const = 0;
    virtual Backend backend() const { return Backend::X11; }
    // False when the key could not be taken.
    virtual bool registerKey(Key key) = 0;
    virtual void unregisterKey(Key key) = 0;
    // Takes the keys that are switched on and gives the others back at once, so that other
    // programs get them; false when a key that is on could not be taken.
    bool registerOnly(bool addNote, bool showWindow, bool todayEvents);
    void unregisterAll();

    // On a Wayland session the desktop portal where it is offered, else the X11 grab where the
    // program runs on an X server, else the portal, else one that registers nothing.
    static std::unique_ptr<GlobalHotKeys> create();
    // The build's X11 backend (X11HotKeys.cpp or NoX11.cpp); null without an X server.
    static std::unique_ptr<GlobalHotKeys> createX11();

Q_SIGNALS:
    void addNotePressed();
    void showWindowPressed();
    void todayEventsPressed();
    // isSupported() changed after the fact (the portal answers later than it is asked).
    void supportChanged();

protected:
    void emitPressed(Key key);
};

// For desktops without global key grabs (Wayland, headless).
class NoGlobalHotKeys final : public GlobalHotKeys
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NoGlobalHotKeys)

public:
    using GlobalHotKeys::GlobalHotKeys;

    bool isSupported() const override { return false; }
    Backend backend() const override { return Backend::None; }
    bool registerKey(Key) override { return false; }
    void unregisterKey(Key) override {}
};
