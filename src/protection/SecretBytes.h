#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>

// Bytes that must not outlive their use: kept in locked memory with guard pages
// (libsodium's sodium_malloc) and wiped when freed.
class TSecretBytes
{
public:
    TSecretBytes() = default;
    // Empty (isNull) when the memory could not be had.
    explicit TSecretBytes(std::size_t size);
    ~TSecretBytes();
    TSecretBytes(TSecretBytes &&other) noexcept;
    TSecretBytes &operator=(TSecretBytes &&other) noexcept;
    TSecretBytes(const TSecretBytes &) = delete;
    TSecretBytes &operator=(const TSecretBytes &) = delete;

    // The pass phrase's UTF-8 bytes; the temporary copy Qt makes is wiped too.
    static TSecretBytes fromPassPhrase(const QString &passPhrase);

    bool isNull() const { return m_data == nullptr; }
    unsigned char *data() { return m_data; }
    const unsigned char *data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    unsigned char *m_data = nullptr;
    std::size_t m_size = 0;
};

// Wipes a QByteArray that held a secret; the caller's copy only (Qt shares data on copy).
void wipe(QByteArray &bytes);

// libsodium must be set up once before any other call; safe from any thread.
bool initSodium();
