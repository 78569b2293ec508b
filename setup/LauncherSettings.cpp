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
    settings.path = read(QStringLiteral("Path"), QStringLiteral("Brix Quorrel 2 Directory"));
    settings.alias = read(QStringLiteral("Alias"), QStringLiteral("Enter Alias..."));
    settings.fur = read(QStringLiteral("Fur"), QStringLiteral("Enter Fur Colors (in hex)..."));
    settings.character = read(QStringLiteral("Char"), QStringLiteral("brix"));
    if (failed)
        return std::nullopt;
    return settings;
}

QString LauncherSettings::characterCode(Character character)
{
    switch (character) {
    case Character::Brix:
        return QStringLiteral("brix");
    case Character::Vosk:
        return QStringLiteral("vosk");
    case Character::Nyla:
        return QStringLiteral("nyla");
    case Character::None:
        break;
    }
    return QStringLiteral("");
}

Character LauncherSettings::characterFromCode(const QString& code)
{
    if (code == QLatin1String("brix"))
        return Character::Brix;
    if (code == QLatin1String("vosk"))
        return Character::Vosk;
    if (code == QLatin1String("nyla"))
        return Character::Nyla;
    return Character::None;
}
