#include "setup/LauncherSettings.h"

#include "common/ProgramName.h"
#include "common/SettingsStore.h"

namespace {

const QString& application()
{
    return ProgramName;
}

const QString& section()
{
    static const QString name = QStringLiteral("Settings");
    return name;
}

} // namespace

bool LauncherSettings::save(SettingsStore& store) const
{
    return store.save(application(), section(), QStringLiteral("Path"), path) &&
           store.save(application(), section(), QStringLiteral("Alias"), alias) &&
           store.save(application(), section(), QStringLiteral("Fur"), fur) &&
           store.save(application(), section(), QStringLiteral("Char"), character);
}

std::optional<LauncherSettings> LauncherSettings::load(SettingsStore& store)
{
    bool failed = false;
    auto read = [&](const QString& key, const QString& fallback) {
        if (failed)
            return QString();
        std::optional<QString> value = store.load(application(), section(), key);
        if (!value && !store.error().isEmpty())
            failed = true;
        return value.value_or(fallback);
    };
    LauncherSettings settings;
    settings.path = read(QStringLiteral("Path"), setuptexts::GameDirectory);
    settings.alias = read(QStringLiteral("Alias"), setuptexts::Alias);
    settings.fur = read(QStringLiteral("Fur"), setuptexts::FurColors);
    settings.character = read(QStringLiteral("Char"), characterCode(setuptexts::LoadedCharacter));
    if (failed)
        return std::nullopt;
    return settings;
}
