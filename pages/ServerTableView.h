#pragma once

#include <QTreeView>

// The server table as a view: rows that the list server did not send are greyed, and a band
// along its bottom edge is kept free of rows for what the page lays over it there (the status
// strip, the find bar), which are the view's siblings so that screen readers reach them.
class ServerTableView : public QTreeView {
    Q_OBJECT
public:
    explicit ServerTableView(QWidget* parent = nullptr);

    void setBottomBand(int height);
    // The band, and the rows' area above it, in the parent's coordinates.
    QRect bottomBand() const;
    QRect rowArea() const;

Q_SIGNALS:
    void areasChanged();

protected:
    void updateGeometries() override;
    bool viewportEvent(QEvent* event) override;

private:
    int m_band = 0;
};
