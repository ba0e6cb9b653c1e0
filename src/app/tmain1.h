#pragma once
#include "frame.h"
#include <QHash>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMdiArea;
class QTimer;
class TFdaohang1;

// The main window: the menu with its permission gating, the status bar with the clock, and the
// child windows of the list screens.
class TFmain1 : public QMainWindow, public Frame {
    Q_OBJECT
public:
    explicit TFmain1(QWidget *parent = nullptr);
    ~TFmain1() override;

    // Frame
    QString operatorName() const override;
    QString priceFlag() const override;
    QWidget *mainWindow() override { return this; }
    void showChild(QWidget *w) override;
    bool activateIfOpen(QWidget *w) override;

    QAction *entry(const QString &component) const { return m_actions.value(component); }
    // Runs a menu entry as if the operator had chosen it (nothing when it is disabled).
    void runEntry(const QString &component);
    QWidget *openChild(const QString &className) const { return m_children.value(className); }
    QMdiArea *mdiArea() const { return m_mdi; }
    // Creates the navigation diagram inside the window.
    void openDiagram();
    // Reads the operator and the permissions; done once when the window is first shown.
    void applyLogin();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildMenu();
    void openScreen(const QString &className, const QString &title, bool child);
    void lockScreen();
    void changeMyPassword();
    QMdiArea *m_mdi;
    QLabel *STyhm, *STkcjg;
    QLabel *m_panels[4];
    QTimer *Timer1;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QPointer<QWidget>> m_children;
    QPointer<TFdaohang1> m_diagram;
    bool m_loginApplied = false;
};
