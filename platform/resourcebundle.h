// Resource bundles linked into the program as read-only data (cmake/TobrinelResources.cmake).
// None is registered at start: each is registered by the code that reads it, when it first
// does, so that a bundle nobody asks for is never read.
#pragma once

#include <QByteArray>
#include <QResource>

#include <mutex>

// Declares the bundle <name>'s data; at namespace scope.
#define TOBRINEL_RESOURCE_BUNDLE(name) extern "C" const unsigned char tobrinel_bundle_##name[]

class ResourceBundle
{
public:
    constexpr explicit ResourceBundle(const unsigned char *data) : m_data(data) {}

    // Makes the bundle's files readable; only the first call does anything.
    void registerOnce()
    {
        std::call_once(m_once, [this] { QResource::registerResource(m_data); });
    }

private:
    const unsigned char *m_data;
    std::once_flag m_once;
};

// The bytes of a resource file: where they lie in the program when stored plain (no copy),
// unpacked when stored compressed.
inline QByteArray resourceBytes(const QResource &resource)
{
    if (resource.compressionAlgorithm() == QResource::NoCompression)
        return QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()), resource.size());
    return resource.uncompressedData();
}
