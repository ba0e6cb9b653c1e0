#pragma once
#include <QLabel>
#include <QWidget>
#include <functional>

// A text on the diagram that runs a menu entry; green while the mouse is over it.
class NavText : public QLabel {
    Q_OBJECT
public:
    NavText(const QString &text, const QString &entry, QWidget *parent);
    QString entry() const { return m_entry; }

Q_SIGNALS:
    void clicked(const QString &entry);

protected:
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    QString m_entry;
};

// The business navigation diagram: the flow of goods and money, each box a way into its screen.
class TFdaohang1 : public QWidget {
    Q_OBJECT
public:
    // run is called with the component name of the menu entry a text stands for.
    explicit TFdaohang1(std::function<void(const QString &)> run, QWidget *parent = nullptr);
    NavText *text(const QString &caption) const;

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    std::function<void(const QString &)> m_run;
};
