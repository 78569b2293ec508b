#include "setup/UserSettingsStore.h"

// Placeholder until the settings store lands.
bool UserSettingsStore::save(const QString&, const QString&, const QString&, const QString&)
{
    m_error = QStringLiteral("Saving settings is not available yet.");
    return false;
}

std::optional<QString> UserSettingsStore::load(const QString&, const QString&, const QString&)
{
    return std::nullopt;
}
