#include "querydialog.h"
#include "dataset.h"
#include "guard.h"
#include "keys.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

void requery(Dataset &ds, const QString &select, const Filter &filter, const QString &orderBy)
{
    ds.suspend();
    try {
        ds.clearSql();
        ds.addSql(select);
        filter.addTo(ds);
        if (!orderBy.isEmpty()) ds.addSql(orderBy);
        ds.open();
    } catch (...) {
        ds.resume();
        throw;
    }
    ds.resume();
}

ConditionBoxes::ConditionBoxes(QWidget *owner, QList<Condition> conditions) : m_owner(owner), m_conds(std::move(conditions))
{
    for (const Condition &c : std::as_const(m_conds)) {
        Boxes b;
        switch (c.kind) {
        case Condition::Kind::Like:
            b.edit = new QLineEdit(owner);
            b.edit->setObjectName(c.box);
            break;
        case Condition::Kind::Choice:
            b.combo = new QComboBox(owner);
            b.combo->setObjectName(c.box);
            b.combo->addItems(c.choices);
            break;
        case Condition::Kind::DateRange: {
            if (c.hasCheck) {
                b.check = new QCheckBox(c.label, owner);
                b.check->setObjectName(c.box);
            }
            auto makeDate = [owner](const QString &name) {
                auto *d = new QDateEdit(owner);
                d->setObjectName(name);
                d->setCalendarPopup(true);
                d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
                return d;
            };
            b.from = makeDate(c.fromBox.isEmpty() ? QStringLiteral("DateTimePicker1") : c.fromBox);
            b.to = makeDate(c.toBox.isEmpty() ? QStringLiteral("DateTimePicker2") : c.toBox);
            // A from date after the to date moves the to date, and the other way round.
            QDateEdit *from = b.from, *to = b.to;
            QObject::connect(from, &QDateEdit::dateChanged, owner, [from, to](const QDate &d) {
                if (d > to->date()) to->setDate(d);
                Q_UNUSED(from);
            });
            QObject::connect(to, &QDateEdit::dateChanged, owner, [from, to](const QDate &d) {
                if (d < from->date()) from->setDate(d);
                Q_UNUSED(to);
            });
            break;
        }
        }
        m_boxes << b;
    }
    clear();
}

void ConditionBoxes::place(QGridLayout *grid, int perRow, int firstRow)
{
    perRow = std::max(1, perRow);
    for (int i = 0; i < m_conds.size(); ++i) {
        const Condition &c = m_conds[i];
        const Boxes &b = m_boxes[i];
        const int row = firstRow + i / perRow, col = (i % perRow) * 2;
        if (c.kind == Condition::Kind::DateRange) {
            auto *line = new QHBoxLayout;
            if (b.check) line->addWidget(b.check);
            else line->addWidget(new QLabel(c.label, m_owner));
            line->addWidget(b.from);
            line->addWidget(new QLabel(QStringLiteral("至"), m_owner));
            line->addWidget(b.to);
            grid->addLayout(line, row, col, 1, 2);
            continue;
        }
        auto *label = new QLabel(c.label, m_owner);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, row, col);
        grid->addWidget(b.edit ? static_cast<QWidget *>(b.edit) : b.combo, row, col + 1);
    }
    const QList<QWidget *> order = boxes();
    for (int i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

QList<QWidget *> ConditionBoxes::boxes() const
{
    QList<QWidget *> out;
    for (const Boxes &b : m_boxes) {
        if (b.edit) out << b.edit;
        if (b.combo) out << b.combo;
        if (b.check) out << b.check;
        if (b.from) out << b.from << b.to;
    }
    return out;
}

QWidget *ConditionBoxes::firstBox() const
{
    for (const Boxes &b : m_boxes) {
        if (b.edit) return b.edit;
        if (b.combo) return b.combo;
    }
    const auto all = boxes();
    return all.isEmpty() ? nullptr : all.first();
}

QWidget *ConditionBoxes::lastBox() const
{
    const auto all = boxes();
    return all.isEmpty() ? nullptr : all.last();
}

void ConditionBoxes::clear()
{
    for (int i = 0; i < m_conds.size(); ++i) {
        const Boxes &b = m_boxes[i];
        if (b.edit) b.edit->clear();
        if (b.combo) b.combo->setCurrentIndex(0);
        if (b.check) b.check->setChecked(m_conds[i].checked);
        if (b.from) {
            const QDate today = QDate::currentDate();
            b.to->setDate(today);
            b.from->setDate(today.addMonths(-1));
        }
    }
}

Filter ConditionBoxes::filter() const
{
    Filter f;
    for (int i = 0; i < m_conds.size(); ++i) {
        const Condition &c = m_conds[i];
        const Boxes &b = m_boxes[i];
        switch (c.kind) {
        case Condition::Kind::Like: {
            // The text as typed: surrounding blanks are part of what is searched for.
            const QString t = b.edit->text();
            if (c.always || !t.trimmed().isEmpty()) f.like(c.field, t);
            break;
        }
        case Condition::Kind::Choice:
            if (c.apply) c.apply(f, b.combo->currentIndex(), b.combo->currentText());
            break;
        case Condition::Kind::DateRange:
            if (!b.check || b.check->isChecked()) f.dateRange(c.field, b.from->date(), b.to->date());
            break;
        }
    }
    return f;
}

QueryDialog::QueryDialog(QueryConfig config, QWidget *parent)
    : QDialog(parent), m_cfg(std::move(config)), m_boxes(this, m_cfg.conditions)
{
    setWindowTitle(m_cfg.title);
    if (m_cfg.select.isEmpty() && m_cfg.dataset) m_cfg.select = QStringLiteral("SELECT * FROM ") + m_cfg.dataset->table();
    auto *outer = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    m_boxes.place(grid, m_cfg.perRow);
    outer->addLayout(grid);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_query = new QPushButton(QStringLiteral("查询"), this);
    m_query->setObjectName(m_cfg.queryName);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    m_close->setObjectName(m_cfg.closeName);
    buttons->addWidget(m_query);
    buttons->addWidget(m_close);
    outer->addLayout(buttons);
    if (QWidget *last = m_boxes.lastBox()) {
        setTabOrder(last, m_query);
        setTabOrder(m_query, m_close);
    }
    connect(m_query, &QPushButton::clicked, this, [this] { runQuery(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    keys::installDialogKeys(this, m_boxes.lastBox(), m_query, m_close);
}

void QueryDialog::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    m_boxes.clear();
    if (QWidget *w = m_boxes.firstBox()) w->setFocus(Qt::OtherFocusReason);
}

bool QueryDialog::runQuery()
{
    const Filter f = m_boxes.filter();
    const bool ok = guarded([&] {
        if (m_cfg.beforeOpen) m_cfg.beforeOpen(f);
        requery(*m_cfg.dataset, m_cfg.select, f, m_cfg.orderBy);
    });
    if (!ok) return false;
    Q_EMIT queried();
    accept();
    return true;
}
