// Feeds arbitrary registry files and values to the userdef.reg reader and value writer.
// Whatever the input: no crash, and for every file the reader accepts, writing one value
// changes only that value. The bytes taken out are the old value's data (or nothing when the
// value or the key's section is new), the result reads back, the value reads back as written,
// every other value keeps its bytes, and writing the same value again changes nothing.

#include "registry/WineRegFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

QString latin1(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    // The writer's choices come first, the file takes the rest.
    const uint8_t keyChoice = input.ConsumeIntegral<uint8_t>();
    const uint8_t nameChoice = input.ConsumeIntegral<uint8_t>();
    const std::string newKey = input.ConsumeRandomLengthString(24);
    const std::string newName = input.ConsumeRandomLengthString(16);
    const quint32 type = input.PickValueInArray<quint32>({1, 2, 3, 4, 7, 0, 0x42});
    const std::string valueBytes = input.ConsumeRandomLengthString(120);
    const std::string fileBytes = input.ConsumeRemainingBytesAsString();

    const QByteArray content(fileBytes.data(), qsizetype(fileBytes.size()));
    const std::optional<WineRegFile> file = WineRegFile::parse(content);
    if (!file)
        return 0;

    const std::vector<WineRegFile::Entry> entries = file->entries();
    QString key = latin1(newKey);
    QString name = latin1(newName);
    if (!entries.empty() && keyChoice % 4 != 0) {
        const WineRegFile::Entry& entry = entries[(keyChoice / 4) % entries.size()];
        key = entry.key;
        if (keyChoice % 4 == 2 && key.contains(QLatin1Char('\\')))
            key.truncate(key.lastIndexOf(QLatin1Char('\\'))); // a key above a section
        if (nameChoice % 2 == 0)
            name = nameChoice % 4 == 0 ? entry.name.toUpper() : entry.name;
    }
    const WineRegFile::Value value{type,
                                   QByteArray(valueBytes.data(), qsizetype(valueBytes.size()))};
    const QDateTime now = QDateTime::fromSecsSinceEpoch(1796626735, Qt::UTC);

    const std::optional<WineRegFile::Edit> edit = file->setValue(key, name, value, now);
    check(edit.has_value() == file->hasKey(key), "a value is written exactly when the key exists");
    if (!edit)
        return 0;
    check(edit->begin >= 0 && edit->begin <= edit->end && edit->end <= content.size(),
          "the edit lies inside the file");
    const std::optional<QByteArray> old = file->rawValue(key, name);
    if (old)
        check(content.mid(edit->begin, edit->end - edit->begin) == *old,
              "only the old value's data is taken out");
    else
        check(edit->begin == edit->end, "a new value takes nothing out");

    const QByteArray written = WineRegFile::apply(content, *edit);
    const std::optional<WineRegFile> after = WineRegFile::parse(written);
    check(after.has_value(), "the written file reads back");
    check(after->hasKey(key), "the key is still there");
    const std::optional<QByteArray> raw = after->rawValue(key, name);
    check(raw.has_value(), "the value reads back");
    check(written.contains(*raw) && edit->replacement.contains(*raw),
          "the value's data is the written data");
    check(after->entries().size() == entries.size() + (old ? 0 : 1), "one value more at most");
    for (const WineRegFile::Entry& entry : entries) {
        if (sameName(entry.key, key) && sameName(entry.name, name))
            continue;
        check(after->rawValue(entry.key, entry.name) == file->rawValue(entry.key, entry.name),
              "every other value keeps its bytes");
    }

    const std::optional<WineRegFile::Edit> again = after->setValue(key, name, value, now);
    check(again.has_value() && WineRegFile::apply(written, *again) == written,
          "writing the same value again changes nothing");
    return 0;
}
