#pragma once

#include "common/RecordStorage.h"

// The user's records of servers in one small file, replaced atomically at each write.
class RecordFile : public RecordStorage {
public:
    explicit RecordFile(QString path);

    Contents read() override;
    bool write(const QByteArray& data, QString* error) override;
    bool keepAside(QString* error) override;
    QString location() const override { return m_path; }

private:
    QString m_path;
};
