#pragma once

#include "browser/ListServerHosts.h"

#include <QGroupBox>

class QCheckBox;
class QPushButton;
class QTreeView;
class ServerTableModel;
struct SharedValues;

// The Join Game page: asks a list server for the running game servers, shows them in the
// server table and joins the chosen one.
class JoinGamePage : public QGroupBox {
    Q_OBJECT
public:
    JoinGamePage(SharedValues& values, const ListServerHosts& hosts, QWidget* parent = nullptr);

    // Start-up adds the table's columns; it has none before.
    void addServerColumn(const QString& header, int widthTwips);
    ServerTableModel& servers() const { return *m_servers; }

private:
    SharedValues& m_values;
    ListServerHosts m_hosts;
    ServerTableModel* m_servers;
    QTreeView* ListView1;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QPushButton* Command5;
    QPushButton* Command4;
};
