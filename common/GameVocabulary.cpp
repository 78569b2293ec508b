#include "common/GameVocabulary.h"

#include <array>

namespace {

struct CharacterWords {
    Character character;
    const char* caption;
    const char* code;
};

constexpr std::array<CharacterWords, 3> Characters = {{
    {Character::Brix, "Brix", "brix"},
    {Character::Vosk, "Vosk", "vosk"},
    {Character::Nyla, "Nyla", "nyla"},
}};

const CharacterWords* wordsOf(Character character)
{
    for (const CharacterWords& words : Characters)
        if (words.character == character)
            return &words;
    return nullptr;
}

} // namespace

QString editionCaption(Edition edition)
{
    return edition == Edition::V123 ? QStringLiteral("1.23") : QStringLiteral("Rkv");
}

QString characterCaption(Character character)
{
    const CharacterWords* words = wordsOf(character);
    return words ? QString::fromLatin1(words->caption) : QString();
}

QString characterCode(Character character)
{
    const CharacterWords* words = wordsOf(character);
    return words ? QString::fromLatin1(words->code) : QStringLiteral("");
}

Character characterFromCode(const QString& code)
{
    for (const CharacterWords& words : Characters)
        if (code == QLatin1String(words.code))
            return words.character;
    return Character::None;
}
