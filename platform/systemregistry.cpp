#include "platform/systemregistry.h"

#ifdef Q_OS_WIN

#include "platform/registry_win.h"

long SystemRegistry::openKey(std::uint32_t root, const QString &path, std::uint32_t access, Handle *key)
{
    return winreg::openKey(root, path.toLocal8Bit().constData(), access, key);
}

long SystemRegistry::queryValue(Handle key, const QString &name, std::uint32_t *type, unsigned char *data,
                                std::uint32_t *size)
{
    return winreg::queryValue(key, name.toLocal8Bit().constData(), type, data, size);
}

long SystemRegistry::closeKey(Handle key)
{
    return winreg::closeKey(key);
}

#else

long SystemRegistry::openKey(std::uint32_t, const QString &, std::uint32_t, Handle *)
{
    return FileNotFound;
}

long SystemRegistry::queryValue(Handle, const QString &, std::uint32_t *, unsigned char *, std::uint32_t *)
{
    return FileNotFound;
}

long SystemRegistry::closeKey(Handle)
{
    return Success;
}

#endif
