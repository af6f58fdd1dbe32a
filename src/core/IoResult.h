#pragma once

#include <QString>

// Outcome of a file operation: on failure a message a person can act on.
struct IoResult
{
    bool ok = true;
    QString error;

    static IoResult success() { return {}; }
    static IoResult failure(const QString &message) { return {false, message}; }
    explicit operator bool() const { return ok; }
};
