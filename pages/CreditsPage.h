#pragma once

#include <QGroupBox>

class QLabel;

// The Credits page: who made the launcher. Static text only.
class CreditsPage : public QGroupBox {
    Q_OBJECT
public:
    explicit CreditsPage(QWidget* parent = nullptr);

private:
    QLabel* Label1;
};
