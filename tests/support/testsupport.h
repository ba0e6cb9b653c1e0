#pragma once
// Test fixtures: a temporary database with the data module on it, a recorder in place of the
// message boxes, and a driver for modal dialogs.
#include "dm1.h"
#include "messages.h"
#include <QDialog>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>

// A new database from the production schema, with DM1 open on it.
class TempDb {
public:
    TempDb();
    ~TempDb();
    QString path() const { return m_path; }
    QString dir() const { return m_dir.path(); }
    TDM1 *dm() const { return m_dm.get(); }
    Connection &conn() const { return m_dm->ADOC1; }

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<TDM1> m_dm;
};

struct RecordedMessage {
    msg::Kind kind;
    QString title;
    QString text;
    msg::Buttons buttons;
};

// Records every message and answers from a script (OK / Yes when the script is empty).
class MessageRecorder : public msg::Sink {
public:
    MessageRecorder();
    ~MessageRecorder() override;
    msg::Answer show(QWidget *, msg::Kind kind, const QString &title, const QString &text, msg::Buttons buttons) override;
    void answer(msg::Answer a) { m_script.push_back(a); }
    std::vector<RecordedMessage> messages;
    QString lastText() const { return messages.empty() ? QString() : messages.back().text; }
    QStringList texts() const;
    void clear() { messages.clear(); }
    // Called with each message as it is shown (for example to close a dialog meanwhile).
    std::function<void(const RecordedMessage &)> onMessage;

private:
    std::deque<msg::Answer> m_script;
    msg::Sink *m_previous;
};

// Acts on the next modal dialog of type T while a blocking exec() runs; rejects every modal
// widget at the deadline so that a test fails instead of hanging.
class ModalDriver : public QObject {
public:
    using Action = std::function<void(QWidget *)>;
    ModalDriver(const char *className, Action action, int deadlineMs = 10000);
    ~ModalDriver() override;
    bool acted() const { return m_acted; }

private:
    void poll();
    QByteArray m_class;
    Action m_action;
    QTimer m_timer;
    bool m_acted = false;
    qint64 m_deadline;
};

// The texts of one column over the rows the dataset holds, in its order (none when closed).
QStringList column(const Dataset *ds, const QString &field);
// The number of rows of a table.
int tableRows(Connection &c, const QString &table);

// Finds a child widget by object name or fails the test.
template <class T> T *child(QObject *parent, const char *name)
{
    T *w = parent->findChild<T *>(QLatin1String(name));
    if (!w) qFatal("child %s not found", name);
    return w;
}
