// The system's registry: Windows' own; elsewhere there is none, so every key is missing.
#pragma once

#include "platform/registry.h"

class SystemRegistry final : public Registry
{
public:
    long openKey(std::uint32_t root, const QString &path, std::uint32_t access, Handle *key) override;
    long queryValue(Handle key, const QString &name, std::uint32_t *type, unsigned char *data,
                    std::uint32_t *size) override;
    long closeKey(Handle key) override;
};
