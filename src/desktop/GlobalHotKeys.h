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

    using QObject::QObject;

    virtual bool isSupported() const = 0;
    // False when the key could not be taken.
    virtual bool registerKey(Key key) = 0;
    virtual void unregisterKey(Key key) = 0;
    // Takes the keys that are switched on and gives the others back at once, so that other
    // programs get them; false when a key that is on could not be taken.
    bool registerOnly(bool addNote, bool showWindow, bool todayEvents);
    void unregisterAll();

    // The backend the build chose (X11HotKeys.cpp or NoX11.cpp): X11 where the program runs on an
    // X server, otherwise one that registers nothing.
    static std::unique_ptr<GlobalHotKeys> create();

Q_SIGNALS:
    void addNotePressed();
    void showWindowPressed();
    void todayEventsPressed();

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
    bool registerKey(Key) override { return false; }
    void unregisterKey(Key) override {}
};
