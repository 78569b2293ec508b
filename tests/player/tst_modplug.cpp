// The module-player library through its ModPlug_ functions, with SDL's dummy audio driver, and
// its disk driver where the rendered samples themselves are checked.
#include "ModFileWriter.h"

#include "player/ModPlugPlayer.h"
#include "player/ModuleFile.h"
#include "player/modplug.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// What the library asks of the disk driver: 32-bit float stereo at 48 kHz.
constexpr int rate = 48000;
constexpr qint64 bytesPerSecond = qint64(rate) * 2 * sizeof(float);

// Sixteen rows at speed 3: 0.96 s of a looped square wave, notes changing every fourth row.
modfile::Song shortSong()
{
    modfile::Song song;
    song.rowsPerPattern = 16;
    song.speed = 3;
    return song;
}

// The player's file, created and destroyed with the scope.
struct PlayerHandle {
    explicit PlayerHandle(const char* parameters = "loop|false")
        : handle(ModPlug_CreateEx(parameters))
    {
    }
    ~PlayerHandle() { ModPlug_Destroy(handle); }
    operator ModPlugHandle() const { return handle; }
    ModPlugHandle handle;
};

// Samples of the disk driver's output file, reading no further than `bytes` into it.
QList<float> samples(const QString& path, qint64 from, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(from))
        return {};
    const QByteArray data = file.read(bytes);
    QList<float> out(data.size() / qsizetype(sizeof(float)));
    std::memcpy(out.data(), data.constData(), size_t(out.size()) * sizeof(float));
    return out;
}

float peak(const QList<float>& values, qsizetype from = 0, qsizetype count = -1)
{
    float highest = 0;
    for (float v : values.mid(from, count))
        highest = std::max(highest, std::abs(v));
    return highest;
}

qsizetype firstSound(const QList<float>& values)
{
    for (qsizetype i = 0; i < values.size(); ++i)
        if (values[i] != 0.0f)
            return i;
    return -1;
}

#ifdef Q_OS_WIN
// A named pipe with its server end open: opening it as a file works, reading it would block.
QByteArray makePipe(const QTemporaryDir&)
{
    static const wchar_t name[] = L"\\\\.\\pipe\\korvane-tst-modplug";
    static const HANDLE server =
        CreateNamedPipeW(name, PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    return server == INVALID_HANDLE_VALUE ? QByteArray() : QString::fromWCharArray(name).toUtf8();
}
#else
QByteArray makePipe(const QTemporaryDir& dir)
{
    const QByteArray fifo = dir.filePath(QStringLiteral("pipe.mod")).toUtf8();
    return ::mkfifo(fifo.constData(), 0600) == 0 ? fifo : QByteArray();
}
#endif

qint64 fileSize(const QString& path)
{
    return QFileInfo(path).size();
}

} // namespace

class TestModPlug : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_song;

    QByteArray path(const char* name) const
    {
        return m_dir.filePath(QString::fromUtf8(name)).toUtf8();
    }

    // Sends the sound into a file in the test's directory. The disk driver writes a buffer
    // every few milliseconds, faster than real time, and goes on writing silence until the
    // device is closed, so a test reads only a bounded stretch of it.
    QString useDiskDriver()
    {
        const QString file = m_dir.filePath(QStringLiteral("sound.raw"));
        QFile::remove(file);
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(file)); // SDL opens it with fopen
#ifdef Q_OS_WIN
        // SDL's own getenv on Windows hands out one shared buffer, so reading the delay after the
        // file name would rename the file to the delay's value; there, the driver keeps its
        // real-time pace.
        qunsetenv("SDL_DISKAUDIODELAY");
#else
        qputenv("SDL_DISKAUDIODELAY", "4");
#endif
        return file;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_song = m_dir.filePath(QStringLiteral("chords.mod"));
        QVERIFY(modfile::save(m_song.toStdString(), modfile::write(shortSong())));
    }

    void cleanup()
    {
        qputenv("SDL_AUDIODRIVER", "dummy");
    }

    // The launcher creates its player at start-up and polls it every 10 ms from then on; none
    // of that may pull in the decoder and sound libraries, which cost every start time and
    // memory. The first song opens them. Runs first, before any other case loads a song.
#ifndef Q_OS_WIN // Windows loads the DLLs beside the program at start
    void theLibrariesWaitForTheFirstSong()
    {
        QFile maps(QStringLiteral("/proc/self/maps"));
        const auto mapped = [&maps](const char* library) {
            maps.open(QIODevice::ReadOnly);
            const bool found = maps.readAll().contains(library);
            maps.close();
            return found;
        };
        PlayerHandle player;
        ModPlug_SetWindow(player, 0);
        ModPlug_SetVolume(player, 50);
        ModPlug_GetVolume(player);
        ModPlug_GetMaxPosition(player);
        ModPlug_GetCurrentPosition(player);
        ModPlug_Stop(player);
        QVERIFY(!mapped("libopenmpt"));
        QVERIFY(!mapped("libSDL2"));
        QVERIFY(ModPlug_Load(player, m_song.toUtf8().constData()));
        QVERIFY(mapped("libopenmpt"));
        QVERIFY(mapped("libSDL2"));
    }
#endif

    void parametersChooseWhetherSongsRepeat_data()
    {
        QTest::addColumn<QByteArray>("parameters");
        QTest::addColumn<bool>("loop");
        QTest::newRow("once") << QByteArray("loop|false") << false;
        QTest::newRow("repeat") << QByteArray("loop|true") << true;
        QTest::newRow("unknown names skipped") << QByteArray("autostart|true|loop|true") << true;
        QTest::newRow("unknown name only") << QByteArray("volume|50") << false;
        QTest::newRow("name without value") << QByteArray("loop") << false;
        QTest::newRow("odd value") << QByteArray("loop|maybe") << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("spaced, any case") << QByteArray(" Loop | TRUE ") << true;
    }
    void parametersChooseWhetherSongsRepeat()
    {
        QFETCH(QByteArray, parameters);
        QFETCH(bool, loop);
        QCOMPARE(modplug::parseOptions(parameters.constData()).loop, loop);
    }

    void everyCallIsHarmlessWithoutASongOrAPlayer()
    {
        QCOMPARE(modplug::parseOptions(nullptr).loop, false);
        const ModPlugHandle first = ModPlug_CreateEx(nullptr);
        const ModPlugHandle second = ModPlug_CreateEx("loop|false");
        QVERIFY(first != 0);
        QVERIFY(second != 0 && second != first);

        QCOMPARE(ModPlug_SetWindow(first, 0x1234), int16_t(1));
        QCOMPARE(ModPlug_GetVolume(first), 100);
        QCOMPARE(ModPlug_GetMaxPosition(first), 0);
        QCOMPARE(ModPlug_GetCurrentPosition(first), 0);
        QCOMPARE(ModPlug_Play(first), int16_t(0));
        QCOMPARE(ModPlug_Stop(first), int16_t(1));
        QCOMPARE(ModPlug_Stop(first), int16_t(1));

        QCOMPARE(ModPlug_Destroy(first), int16_t(1));
        QCOMPARE(ModPlug_Destroy(first), int16_t(0));
        // A dead or never issued handle fails every call and does not reach the other player.
        for (ModPlugHandle dead : {first, ModPlugHandle(0), ModPlugHandle(-1), second + 1000}) {
            QCOMPARE(ModPlug_Load(dead, m_song.toUtf8().constData()), int16_t(0));
            QCOMPARE(ModPlug_Play(dead), int16_t(0));
            QCOMPARE(ModPlug_Stop(dead), int16_t(0));
            QCOMPARE(ModPlug_SetVolume(dead, 50), 0);
            QCOMPARE(ModPlug_GetVolume(dead), 0);
            QCOMPARE(ModPlug_GetMaxPosition(dead), 0);
            QCOMPARE(ModPlug_GetCurrentPosition(dead), 0);
            QCOMPARE(ModPlug_SetWindow(dead, 1), int16_t(0));
        }
        QCOMPARE(ModPlug_GetVolume(second), 100);
        QCOMPARE(ModPlug_Destroy(second), int16_t(1));
    }

    void volumeIsClampedAndReported()
    {
        PlayerHandle player;
        QCOMPARE(ModPlug_SetVolume(player, 37), 37);
        QCOMPARE(ModPlug_GetVolume(player), 37);
        QCOMPARE(ModPlug_SetVolume(player, -5), 0);
        QCOMPARE(ModPlug_GetVolume(player), 0);
        QCOMPARE(ModPlug_SetVolume(player, 250), 100);
        QCOMPARE(ModPlug_SetVolume(player, std::numeric_limits<int32_t>::min()), 0);
        QCOMPARE(ModPlug_GetVolume(player), 0);
        QCOMPARE(modplug::gainForVolume(0), 0.0f);
        QCOMPARE(modplug::gainForVolume(100), 1.0f);
    }

    // The buffer bounds how soon a volume change is heard; it must not double at 48 kHz.
    void theBufferFitsTheOutputsQueue()
    {
        QCOMPARE(modplug::bufferMilliseconds("pulseaudio"), 100);
        for (const char* driver :
             {"alsa", "pipewire", "disk", "wasapi", static_cast<const char*>(nullptr)})
            QCOMPARE(modplug::bufferMilliseconds(driver), 50);
        for (const auto& [rate, ms, frames] :
             {std::tuple{44100, 100, 4096}, std::tuple{48000, 100, 4096},
              std::tuple{96000, 100, 8192}, std::tuple{44100, 50, 2048},
              std::tuple{48000, 50, 2048}, std::tuple{22050, 50, 1024}, std::tuple{0, 100, 256}})
            QCOMPARE(modplug::framesPerBuffer(rate, ms), std::uint16_t(frames));
    }

    // A new volume takes over within 10 ms of the next buffer's start, not at its end.
    void aVolumeChangeGlidesAtTheStartOfTheNextBuffer()
    {
        modplug::Player player({});
        QVERIFY(player.load(m_song.toUtf8().constData()));
        QVERIFY(player.cue());
        constexpr int rate = 44100;
        constexpr std::size_t frames = 4096, glide = rate / 100;
        std::vector<float> buffer(2 * frames);
        const auto peak = [&](std::size_t from, std::size_t to) {
            float most = 0;
            for (std::size_t i = 2 * from; i < 2 * to; ++i)
                most = std::max(most, std::abs(buffer[i]));
            return most;
        };
        player.render(buffer.data(), frames, rate);
        QVERIFY(peak(0, frames) > 0.01f); // the song sounds at full volume
        player.setVolume(0);
        player.render(buffer.data(), frames, rate);
        QVERIFY(peak(0, glide / 4) > 0.001f); // no jump into silence
        QCOMPARE(peak(glide, frames), 0.0f);
    }

    void playsInTheBackgroundEndsAndStartsAgain()
    {
        PlayerHandle player;
        QCOMPARE(ModPlug_Load(player, m_song.toUtf8().constData()), int16_t(1));
        QCOMPARE(ModPlug_GetMaxPosition(player), 10); // 0.96 s in tenths
        QCOMPARE(ModPlug_GetCurrentPosition(player), 0);

        QElapsedTimer clock;
        clock.start();
        QCOMPARE(ModPlug_Play(player), int16_t(1));
        QVERIFY2(clock.elapsed() < 500, "Play waits for the song");
        QTRY_VERIFY(ModPlug_GetCurrentPosition(player) > 0);
        QTRY_COMPARE(ModPlug_GetCurrentPosition(player), 10);

        // A finished song plays again from its beginning.
        QCOMPARE(ModPlug_Play(player), int16_t(1));
        QVERIFY(ModPlug_GetCurrentPosition(player) < 10);
        QTRY_COMPARE(ModPlug_GetCurrentPosition(player), 10);
    }

    void aRepeatingSongStaysWithinItsLength()
    {
        PlayerHandle player("loop|true");
        QCOMPARE(ModPlug_Load(player, m_song.toUtf8().constData()), int16_t(1));
        QCOMPARE(ModPlug_GetMaxPosition(player), 10);
        QCOMPARE(ModPlug_Play(player), int16_t(1));
        QTRY_VERIFY(ModPlug_GetCurrentPosition(player) >= 8);
        // Round again: the position comes back to the start instead of running off the bar.
        QTRY_VERIFY_WITH_TIMEOUT(ModPlug_GetCurrentPosition(player) <= 3, 5000);
        QVERIFY(ModPlug_GetCurrentPosition(player) <= ModPlug_GetMaxPosition(player));
    }

    void badFilesFailCleanlyAndAGoodOneStillPlays()
    {
        const QByteArray good = m_song.toUtf8();
        const QByteArray empty = path("empty.mod");
        QVERIFY(QFile(QString::fromUtf8(empty)).open(QIODevice::WriteOnly));
        const QByteArray noise = path("noise.mod");
        {
            std::mt19937 random(6);
            std::vector<std::uint8_t> bytes(4096);
            for (auto& byte : bytes)
                byte = std::uint8_t(random());
            QVERIFY(modfile::save(noise.toStdString(), bytes));
        }
        const QByteArray fifo = makePipe(m_dir);
        QVERIFY(!fifo.isEmpty());
        const QByteArray huge = path("huge.mod"); // sparse: no disk space used
        {
            QFile file(QString::fromUtf8(huge));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(modplug::maxModuleFileBytes + 1));
        }
        const QByteArray directory = path("folder.mod");
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.mod")));
        const QByteArray locked = path("locked.mod");
        QVERIFY(QFile::copy(m_song, QString::fromUtf8(locked)));
        QCOMPARE(::chmod(locked.constData(), 0), 0);

        const QByteArray missing = path("missing.mod");
        std::vector<const char*> bad = {nullptr,
                                        "",
                                        missing.constData(),
                                        empty.constData(),
                                        noise.constData(),
                                        fifo.constData(),
                                        huge.constData(),
                                        directory.constData()};
        // The superuser reads any file, so a locked file only counts for other users.
        if (::access(locked.constData(), R_OK) != 0)
            bad.push_back(locked.constData());

        // Keep libopenmpt's complaints about the junk off the program's error output.
        QTemporaryFile errors;
        QVERIFY(errors.open());
        std::fflush(stderr);
        const int savedStderr = ::dup(STDERR_FILENO);
        ::dup2(errors.handle(), STDERR_FILENO);

        PlayerHandle player;
        QElapsedTimer clock;
        for (const char* file : bad) {
            QCOMPARE(ModPlug_Load(player, good.constData()), int16_t(1));
            QCOMPARE(ModPlug_Play(player), int16_t(1));
            clock.start();
            const int16_t loaded = ModPlug_Load(player, file);
            const qint64 took = clock.elapsed();
            QCOMPARE(loaded, int16_t(0));
            QVERIFY2(took < 1000, file); // neither a FIFO nor a huge file holds the caller up
            QCOMPARE(ModPlug_GetMaxPosition(player), 0);
            QCOMPARE(ModPlug_GetCurrentPosition(player), 0);
            QCOMPARE(ModPlug_Play(player), int16_t(0)); // the earlier song is gone
        }
        // Cut short, a module may still play: whatever libopenmpt makes of it, quietly.
        const QByteArray cut = path("cut.mod");
        std::vector<std::uint8_t> bytes = modfile::write(shortSong());
        bytes.resize(bytes.size() / 2);
        QVERIFY(modfile::save(cut.toStdString(), bytes));
        ModPlug_Load(player, cut.constData());
        ModPlug_Play(player);

        std::fflush(stderr);
        ::dup2(savedStderr, STDERR_FILENO);
        ::close(savedStderr);
        QCOMPARE(errors.readAll(), QByteArray());

        QCOMPARE(ModPlug_Load(player, good.constData()), int16_t(1));
        QCOMPARE(ModPlug_Play(player), int16_t(1));
        QTRY_VERIFY(ModPlug_GetCurrentPosition(player) > 0);
    }

    void namesBeyondAsciiLoad()
    {
        const QString name =
            m_dir.filePath(QString::fromUtf16(u"Gr\u00fc\u00dfe \u266a \u66f2.mod"));
        QVERIFY(QFile::copy(m_song, name));
        PlayerHandle player;
        QCOMPARE(ModPlug_Load(player, name.toUtf8().constData()), int16_t(1));
        QCOMPARE(ModPlug_GetMaxPosition(player), 10);
    }

    void noSoundDeviceMeansNoSoundAndNothingElse()
    {
        qputenv("SDL_AUDIODRIVER", "no-such-driver");
        PlayerHandle player;
        QCOMPARE(ModPlug_Load(player, m_song.toUtf8().constData()), int16_t(1));
        QCOMPARE(ModPlug_Play(player), int16_t(0));
        QCOMPARE(ModPlug_Stop(player), int16_t(1));
        QCOMPARE(ModPlug_GetMaxPosition(player), 10);
        QCOMPARE(ModPlug_GetCurrentPosition(player), 0);
        QCOMPARE(ModPlug_Play(player), int16_t(0));
    }

#ifndef Q_OS_WIN
    void ctrlCAndKillStillEndTheProgramWhileSoundPlays()
    {
        // SDL only takes over signals that still have their default action; the test
        // framework has its own handlers, so put the defaults back for the duration.
        struct sigaction byDefault {
        }, intBefore{}, termBefore{}, intDuring{}, termDuring{};
        byDefault.sa_handler = SIG_DFL;
        sigaction(SIGINT, &byDefault, &intBefore);
        sigaction(SIGTERM, &byDefault, &termBefore);
        {
            PlayerHandle player("loop|true");
            QCOMPARE(ModPlug_Load(player, m_song.toUtf8().constData()), int16_t(1));
            QCOMPARE(ModPlug_Play(player), int16_t(1));
            QTRY_VERIFY(ModPlug_GetCurrentPosition(player) > 0);
            sigaction(SIGINT, nullptr, &intDuring);
            sigaction(SIGTERM, nullptr, &termDuring);
        }
        sigaction(SIGINT, &intBefore, nullptr);
        sigaction(SIGTERM, &termBefore, nullptr);
        QVERIFY(intDuring.sa_handler == SIG_DFL);
        QVERIFY(termDuring.sa_handler == SIG_DFL);
    }
#endif

    void theSongSoundsThenSilenceFollowsItsEnd()
    {
        const QString output = useDiskDriver();
        {
            PlayerHandle player;
            QCOMPARE(ModPlug_Load(player, m_song.toUtf8().constData()), int16_t(1));
            QCOMPARE(ModPlug_Play(player), int16_t(1));
            QTRY_COMPARE(ModPlug_GetCurrentPosition(player), 10);
            QTRY_VERIFY(fileSize(output) >= 3 * bytesPerSecond);
        }
        const QList<float> sound = samples(output, 0, 3 * bytesPerSecond);

        const qsizetype start = firstSound(sound);
        QVERIFY(start >= 0);
        QVERIFY(start < sound.size() / 4);
        // Sound all through the song, in every 50 ms slice of it...
        const qsizetype slice = 2 * rate / 20;
        for (qsizetype at = start; at + slice <= start + 2 * rate * 9 / 10; at += slice)
            QVERIFY2(peak(sound, at, slice) > 0.05f, qPrintable(QString::number(at)));
        // ...and, after libopenmpt's short fade at the end, exact silence.
        const QList<float> after = sound.mid(start + 2 * rate * 12 / 10, 2 * rate * 4 / 10);
        QCOMPARE(after.size(), 2 * rate * 4 / 10);
        QCOMPARE(peak(after), 0.0f);
    }

    void volumeScalesTheSamplesAndZeroIsSilence()
    {
        const QString output = useDiskDriver();
        const QByteArray file = m_song.toUtf8();
        const QList<int> volumes = {100, 0, 50};
        QList<std::pair<qint64, qint64>> stretches; // where each volume's playing went
        {
            PlayerHandle player;
            QCOMPARE(ModPlug_Load(player, file.constData()), int16_t(1));
            for (const int volume : volumes) {
                ModPlug_SetVolume(player, volume);
                const qint64 from = fileSize(output) / 8 * 8;
                ModPlug_Load(player, file.constData());
                ModPlug_Play(player);
                QTRY_COMPARE(ModPlug_GetCurrentPosition(player), 10);
                const qint64 ended = fileSize(output);
                stretches.append({from, std::min(ended - from, bytesPerSecond)});
                // The position leads what is heard by the buffers on their way and the song's
                // fade; let those reach the file before the next volume's stretch begins.
                QTRY_VERIFY(fileSize(output) >= ended + bytesPerSecond / 2);
            }
        }
        // The file is read once the device has let go of it: Windows keeps it locked till then.
        QList<float> loudest;
        for (const auto& [from, bytes] : stretches)
            loudest.append(peak(samples(output, from, bytes)));
        const float full = loudest[0];
        QVERIFY(full > 0.05f);
        QCOMPARE(loudest[1], 0.0f);
        const float half = loudest[2];
        QVERIFY2(half > full * 0.2f && half < full * 0.3f,
                 qPrintable(QString::number(half / full)));
    }

    void stopSilencesAtOnce()
    {
        const QString output = useDiskDriver();
        qint64 stoppedAt = 0;
        {
            PlayerHandle player("loop|true");
            QCOMPARE(ModPlug_Load(player, m_song.toUtf8().constData()), int16_t(1));
            QCOMPARE(ModPlug_Play(player), int16_t(1));
            QTRY_VERIFY(fileSize(output) >= bytesPerSecond / 2);
            QCOMPARE(ModPlug_Stop(player), int16_t(1));
            // Beyond what was on its way when Stop returned (one buffer, and the file's own
            // buffering), there is only silence.
            stoppedAt = fileSize(output) / 8 * 8 + 65536;
            QTRY_VERIFY(fileSize(output) >= stoppedAt + bytesPerSecond / 4);
            QCOMPARE(ModPlug_Stop(player), int16_t(1));
        }
        QVERIFY(peak(samples(output, 0, stoppedAt - 65536)) > 0.05f);
        QCOMPARE(peak(samples(output, stoppedAt, bytesPerSecond / 4)), 0.0f);
    }
};

QTEST_GUILESS_MAIN(TestModPlug)
#include "tst_modplug.moc"
