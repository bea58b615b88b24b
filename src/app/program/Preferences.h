// The per-user preferences: text values addressed by section and key, in the settings
// store of the application "Quenloft". A key that was never written reads as "".
#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace quenloft {

class Preferences
{
public:
    // The user's own store (organisation and application "Quenloft").
    Preferences();
    // An INI file of its own, for tests and for trying things out.
    explicit Preferences(const QString &iniFile);
    ~Preferences();
    Preferences(const Preferences &) = delete;
    Preferences &operator=(const Preferences &) = delete;

    [[nodiscard]] QString value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);

    // Writes pending changes to disk.
    void sync();

private:
    std::unique_ptr<QSettings> m_settings;
};

// Reads a stored flag: true only for a numeric text whose value is not zero.
[[nodiscard]] bool IsTrueText(const QString &text);
// How a flag is stored: "-1" for true, "0" for false.
[[nodiscard]] QString FlagText(bool value);

} // namespace quenloft
