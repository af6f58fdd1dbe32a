#pragma once

#include "desktop/DesktopProbe.h"
#include "desktop/GlobalHotKeys.h"

#include <memory>

// A desktop whose mouse and keys the test sets.
class ScriptedDesktop final : public DesktopProbe
{
public:
    explicit ScriptedDesktop(std::shared_ptr<DesktopState> state) : m_state(std::move(state)) {}
    DesktopState read() const override { return *m_state; }

private:
    std::shared_ptr<DesktopState> m_state;
};

// Hot keys that the test presses; registration succeeds or fails as told.
class ScriptedHotKeys final : public GlobalHotKeys
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScriptedHotKeys)

public:
    ScriptedHotKeys(bool supported, bool registers) : m_supported(supported), m_registers(registers) {}

    bool isSupported() const override { return m_supported; }
    bool registerKey(Key) override { return m_supported && m_registers; }
    void unregisterKey(Key) override {}
    void press(Key key) { emitPressed(key); }

private:
    bool m_supported;
    bool m_registers;
};
