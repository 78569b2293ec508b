#pragma once

#include <QByteArray>
#include <QString>

// Where the launcher keeps the user's own records of servers (favourites, history, filters): a
// store of its own, apart from the settings of Save and Load, written whenever a record changes.
class RecordStorage {
public:
    struct Contents {
        enum Status { Missing, Read, Unreadable } status = Missing;
        QByteArray data;
        QString error; // for Unreadable
    };

    virtual ~RecordStorage() = default;
    virtual Contents read() = 0;
    // Replaces the whole store at once: a failure leaves the old one as it was.
    virtual bool write(const QByteArray& data, QString* error) = 0;
    // Keeps what is stored now beside it, under ".bad", before a damaged store is replaced.
    virtual bool keepAside(QString* error) = 0;
    // Where it is, in words a user can look up.
    virtual QString location() const = 0;
};
