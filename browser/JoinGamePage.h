#pragma once

#include "app/Services.h"

#include <QGroupBox>

class QCheckBox;
class QPushButton;
class QTreeView;
class ServerTableModel;

// The Join Game page: asks a list server for the running game servers, shows them in the
// server table and joins the chosen one.
class JoinGamePage : public QGroupBox {
    Q_OBJECT
public:
    JoinGamePage(const Services& services, SharedValues& values, QWidget* parent = nullptr);

    // Start-up adds the table's columns; it has none before.
    void addServerColumn(const QString& header, int widthTwips);
    ServerTableModel& servers() const { return *m_servers; }

private:
    Services m_services;
    SharedValues& m_values;
    ServerTableModel* m_servers;
    QTreeView* ListView1;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QPushButton* Command5;
    QPushButton* Command4;
};
