#pragma once

#include <QWidget>

class QTabBar;

// A row of tabs over a framed client area; the pages are separate widgets laid over that area.
class TabStrip : public QWidget {
    Q_OBJECT
public:
    explicit TabStrip(QWidget* parent = nullptr);

    void addTab(const QString& caption, const QString& toolTip);
    QTabBar& bar() const { return *m_bar; }
    // The chosen tab, counted from 1.
    int selectedIndex() const;
    QString selectedCaption() const;
    void select(int index);

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* m_bar;
};
