// The per-user settings store that keeps the top ten between runs, addressed by
// application, section and key. Every operation throws StoreError when the store fails.
#pragma once

#include <QString>
#include <stdexcept>

class StoreError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultText when the application, section or key has no entry.
    virtual QString get(const QString &app, const QString &section, const QString &key,
                        const QString &defaultText) = 0;
    // Creates the entry or replaces its text; returns only once the text is stored.
    virtual void save(const QString &app, const QString &section, const QString &key,
                      const QString &text) = 0;
    // Removes the section with all its keys; a section that does not exist is an error.
    virtual void deleteSection(const QString &app, const QString &section) = 0;
};
