#include "testsupport.h"
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QTest>

TempDb::TempDb()
{
    m_path = QDir(m_dir.path()).filePath(QStringLiteral("QTXData1.mdb"));
    QString err;
    if (!createDatabase(m_path, &err)) qFatal("cannot create test database: %s", qPrintable(err));
    m_dm = std::make_unique<TDM1>();
    if (!m_dm->openDatabase(m_path)) qFatal("cannot open test database");
    DM1 = m_dm.get();
}

TempDb::~TempDb()
{
    if (DM1 == m_dm.get()) DM1 = nullptr;
}

MessageRecorder::MessageRecorder() { m_previous = msg::setSink(this); }
MessageRecorder::~MessageRecorder() { msg::setSink(m_previous); }

msg::Answer MessageRecorder::show(QWidget *, msg::Kind kind, const QString &title, const QString &text, msg::Buttons buttons)
{
    messages.push_back({kind, title, text, buttons});
    if (onMessage) onMessage(messages.back());
    if (!m_script.empty()) {
        const msg::Answer a = m_script.front();
        m_script.pop_front();
        return a;
    }
    return buttons == msg::Buttons::YesNo ? msg::Answer::Yes : msg::Answer::Ok;
}

QStringList MessageRecorder::texts() const
{
    QStringList out;
    for (const auto &m : messages) out << m.text;
    return out;
}

ModalDriver::ModalDriver(const char *className, Action action, int deadlineMs)
    : m_class(className), m_action(std::move(action)),
      m_deadline(QDateTime::currentMSecsSinceEpoch() + deadlineMs)
{
    m_timer.setInterval(20);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
    m_timer.start();
}

ModalDriver::~ModalDriver() { m_timer.stop(); }

void ModalDriver::poll()
{
    QWidget *w = QApplication::activeModalWidget();
    if (!m_acted && w && w->inherits(m_class.constData())) {
        m_acted = true;
        m_action(w);
        return;
    }
    if (QDateTime::currentMSecsSinceEpoch() > m_deadline) {
        m_timer.stop();
        while (QWidget *m = QApplication::activeModalWidget()) {
            if (auto *d = qobject_cast<QDialog *>(m)) d->reject();
            else m->close();
            if (QApplication::activeModalWidget() == m) break;
        }
    }
}

QStringList column(const Dataset *ds, const QString &field)
{
    QStringList out;
    if (!ds->isOpen()) return out;
    const int c = ds->fieldIndex(field);
    for (int r = 0; r < ds->recordCount(); ++r) out << ds->textAt(r, c);
    return out;
}

int tableRows(Connection &c, const QString &table)
{
    return c.scalar(QStringLiteral("select count(*) from ") + table).toInt();
}
