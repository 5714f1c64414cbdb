// Resource bundles linked into the program as read-only data (cmake/TobrinelResources.cmake).
// None is registered at start: each is registered by the code that reads it, when it first
// does, so that a bundle nobody asks for is never read.
#pragma once

#include <QResource>

#include <mutex>

// Declares the bundle <name>; at namespace scope.
#define TOBRINEL_RESOURCE_BUNDLE(name) extern "C" const unsigned char tobrinel_bundle_##name[]

// Registers a bundle the first time it is called with that `once`.
inline void registerResourceBundle(std::once_flag &once, const unsigned char *bundle)
{
    std::call_once(once, [bundle] { QResource::registerResource(bundle); });
}
