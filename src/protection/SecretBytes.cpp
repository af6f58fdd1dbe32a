#include "SecretBytes.h"

#include <sodium.h>

#include <utility>

bool initSodium()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

TSecretBytes::TSecretBytes(std::size_t size)
{
    if (!initSodium())
        return;
    // sodium_malloc(0) still gives a guarded page; an empty pass phrase is a legal one.
    m_data = static_cast<unsigned char *>(sodium_malloc(size));
    if (m_data)
        m_size = size;
}

TSecretBytes::~TSecretBytes()
{
    if (m_data) {
        sodium_memzero(m_data, m_size);
        sodium_free(m_data);
    }
}

TSecretBytes::TSecretBytes(TSecretBytes &&other) noexcept
    : m_data(std::exchange(other.m_data, nullptr))
    , m_size(std::exchange(other.m_size, 0))
{
}

TSecretBytes &TSecretBytes::operator=(TSecretBytes &&other) noexcept
{
    if (this != &other) {
        TSecretBytes old(std::move(*this));
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

TSecretBytes TSecretBytes::fromPassPhrase(const QString &passPhrase)
{
    QByteArray utf8 = passPhrase.toUtf8();
    TSecretBytes bytes(std::size_t(utf8.size()));
    if (!bytes.isNull() && !utf8.isEmpty())
        std::copy(utf8.cbegin(), utf8.cend(), reinterpret_cast<char *>(bytes.data()));
    wipe(utf8);
    return bytes;
}

void wipe(QByteArray &bytes)
{
    if (!bytes.isEmpty() && !bytes.isDetached())
        bytes.clear(); // shared with another holder: only drop our reference
    if (!bytes.isEmpty())
        sodium_memzero(bytes.data(), std::size_t(bytes.size()));
    bytes.clear();
}
