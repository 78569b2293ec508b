#pragma once

// A list server's reply as it looks in the wild: public and private servers of every type and
// version, colour-coded names, CR LF line ends. The same seed gives the same bytes.

#include <QByteArray>
#include <QRandomGenerator>

inline QByteArray realisticReply(int lines, quint32 seed = 1)
{
    static const char* const types[] = {"battle", "ctf", "treasure", "coop"};
    static const char* const versions[] = {"1.24   ", "1.21   ", "1.24 x ", "1.21 x ", "1.20   "};
    static const char* const words[] = {"Carrot", "Arena",   "Night",    "Brix",      "Town",
                                        "Tube",   "Quorrel", "Colonius", "Diamondus", "Medivo"};
    QRandomGenerator random(seed);
    QByteArray reply;
    reply.reserve(qsizetype(lines) * 80);
    for (int i = 0; i < lines; ++i) {
        reply += QByteArray::number(random.bounded(1, 224)) + '.' +
                 QByteArray::number(random.bounded(256)) + '.' +
                 QByteArray::number(random.bounded(256)) + '.' +
                 QByteArray::number(random.bounded(1, 255)) + ':' +
                 QByteArray::number(random.bounded(1024, 65536)) + ' ';
        if (random.bounded(8) == 0)
            reply += "private ";
        reply += types[random.bounded(4)];
        reply += ' ';
        reply += versions[random.bounded(5)];
        reply += '[' + QByteArray::number(random.bounded(1, 33)) + '/' +
                 QByteArray::number(random.bounded(2, 33)) + "] ";
        reply += "|\xA7" + QByteArray::number(random.bounded(10));
        for (int w = 0, count = random.bounded(3, 6); w < count; ++w) {
            reply += words[random.bounded(10)];
            reply += w + 1 < count ? " " : "";
            if (random.bounded(3) == 0)
                reply += "\xA7" + QByteArray::number(random.bounded(10));
        }
        reply += "\r\n";
    }
    return reply;
}
