#include "recorddialog.h"
#include "dataset.h"
#include "decimal.h"
#include "guard.h"
#include "keys.h"
#include "messages.h"
#include "numberbox.h"
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

RecordDialog::RecordDialog(RecordConfig config, QWidget *parent) : QDialog(parent), m_cfg(std::move(config))
{
    if (m_cfg.uniqueFields.isEmpty() && !m_cfg.fields.isEmpty()) m_cfg.uniqueFields << m_cfg.fields.first().field;
    build();
}

void RecordDialog::build()
{
    auto *outer = new QVBoxLayout(this);
    m_st1 = new QLabel(QStringLiteral("新增"), this);
    m_st1->setObjectName(QStringLiteral("ST1"));
    m_st1->hide();
    if (!m_cfg.note.isEmpty()) {
        auto *note = new QLabel(m_cfg.note, this);
        note->setObjectName(QStringLiteral("Label0"));
        note->setAlignment(Qt::AlignRight);
        note->setStyleSheet(QStringLiteral("color: red"));
        outer->addWidget(note);
    }
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    const int perRow = std::max(1, m_cfg.columns);
    for (int i = 0; i < m_cfg.fields.size(); ++i) {
        const FieldSpec &f = m_cfg.fields[i];
        QWidget *w = nullptr;
        if (f.kind == BoxKind::Choice) {
            auto *cb = new QComboBox(this);
            cb->setEditable(true);
            cb->setInsertPolicy(QComboBox::NoInsert);
            cb->addItems(f.choices);
            cb->setEditText(f.initial);
            w = cb;
        } else {
            auto *e = new QLineEdit(this);
            switch (f.kind) {
            case BoxKind::Number: numbers::makeDecimalBox(e); numbers::zeroWhenEmptied(e); break;
            case BoxKind::SignedNumber: numbers::makeDecimalBox(e, numbers::Sign::Signed); numbers::zeroWhenEmptied(e); break;
            case BoxKind::Digits: numbers::makeDigitBox(e); break;
            case BoxKind::ReadOnly: e->setReadOnly(true); break;
            default: break;
            }
            e->setText(f.initial);
            w = e;
        }
        w->setObjectName(f.box);
        w->setMinimumWidth(150);
        auto *label = new QLabel((f.required ? QStringLiteral("＊") : QString()) + f.label, this);
        label->setBuddy(w);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int row = i / perRow, col = (i % perRow) * 2;
        grid->addWidget(label, row, col);
        auto *cell = new QHBoxLayout;
        cell->setSpacing(2);
        cell->addWidget(w, 1);
        grid->addLayout(cell, row, col + 1);
        m_boxes << w;
        m_cells << cell;
    }
    outer->addLayout(grid);
    outer->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_save = new QPushButton(QStringLiteral("保存"), this);
    m_save->setObjectName(QStringLiteral("BitBtn1"));
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    m_close->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    outer->addLayout(buttons);
    for (int i = 1; i < m_boxes.size(); ++i) setTabOrder(m_boxes[i - 1], m_boxes[i]);
    if (!m_boxes.isEmpty()) {
        setTabOrder(m_boxes.last(), m_save);
        setTabOrder(m_save, m_close);
    }
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    m_nav = keys::installDialogKeys(this, m_boxes.isEmpty() ? nullptr : m_boxes.last(), m_save, m_close);
    if (m_cfg.fixedSize.isValid()) setFixedSize(m_cfg.fixedSize);
    setWindowTitle(QStringLiteral("新增") + m_cfg.titleThing);
}

QToolButton *RecordDialog::addButtonBeside(const QString &field, const QString &hint, std::function<void()> fn)
{
    QWidget *w = box(field);
    if (!w) return nullptr;
    auto *b = new QToolButton(this);
    b->setText(QStringLiteral("…"));
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    m_cells[m_boxes.indexOf(w)]->addWidget(b);
    connect(b, &QToolButton::clicked, this, [fn = std::move(fn)] { fn(); });
    return b;
}

QLabel *RecordDialog::addTextBeside(const QString &field, const QString &text)
{
    QWidget *w = box(field);
    if (!w) return nullptr;
    auto *l = new QLabel(text, this);
    m_cells[m_boxes.indexOf(w)]->addWidget(l);
    return l;
}

QWidget *RecordDialog::boxByName(const QString &name) const
{
    for (QWidget *w : m_boxes)
        if (w->objectName() == name) return w;
    return findChild<QWidget *>(name);
}

QWidget *RecordDialog::box(const QString &field) const
{
    for (int i = 0; i < m_cfg.fields.size(); ++i)
        if (m_cfg.fields[i].field.compare(field, Qt::CaseInsensitive) == 0) return m_boxes[i];
    return nullptr;
}

QLineEdit *RecordDialog::edit(const QString &field) const { return qobject_cast<QLineEdit *>(box(field)); }
QComboBox *RecordDialog::combo(const QString &field) const { return qobject_cast<QComboBox *>(box(field)); }

QString RecordDialog::boxText(const QString &field) const
{
    QWidget *w = box(field);
    if (auto *e = qobject_cast<QLineEdit *>(w)) return e->text();
    if (auto *c = qobject_cast<QComboBox *>(w)) return c->currentText();
    return {};
}

void RecordDialog::setBoxText(const QString &field, const QString &text)
{
    QWidget *w = box(field);
    if (auto *e = qobject_cast<QLineEdit *>(w)) e->setText(text);
    else if (auto *c = qobject_cast<QComboBox *>(w)) c->setEditText(text);
}

void RecordDialog::resetBoxes(bool afterAdd)
{
    for (int i = 0; i < m_cfg.fields.size(); ++i) {
        const FieldSpec &f = m_cfg.fields[i];
        if (afterAdd && f.keepAfterAdd) continue;
        setBoxText(f.field, f.initial);
    }
}

void RecordDialog::startAdd()
{
    m_mode = Mode::Add;
    m_st1->setText(QStringLiteral("新增"));
    setWindowTitle(QStringLiteral("新增") + m_cfg.titleThing);
    resetBoxes(false);
}

void RecordDialog::startChange()
{
    m_mode = Mode::Change;
    m_st1->setText(QStringLiteral("修改"));
    setWindowTitle(QStringLiteral("修改") + m_cfg.titleThing);
    Dataset *ds = m_cfg.dataset;
    guarded([&] {
        for (const FieldSpec &f : std::as_const(m_cfg.fields))
            if (ds->hasField(f.field)) setBoxText(f.field, ds->text(f.field));
    });
}

void RecordDialog::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!m_boxes.isEmpty()) focusBox(m_boxes.first());
}

void RecordDialog::focusBox(QWidget *w)
{
    if (!w) return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto *le = qobject_cast<QLineEdit *>(w)) le->selectAll();
}

void RecordDialog::clearAfterAdd()
{
    resetBoxes(true);
    QWidget *f = m_cfg.focusAfterAdd.isEmpty() ? (m_boxes.isEmpty() ? nullptr : m_boxes.first())
                                                : boxByName(m_cfg.focusAfterAdd);
    focusBox(f);
}

bool RecordDialog::isDuplicate()
{
    QStringList conds;
    Bindings values;
    for (const QString &field : std::as_const(m_cfg.uniqueFields)) {
        conds << field + QStringLiteral("=?");
        values.push_back({{}, boxText(field).trimmed()});
    }
    const QString sql = QStringLiteral("select ") + m_cfg.uniqueFields.join(u',') + QStringLiteral(" from ")
        + m_cfg.dataset->table() + QStringLiteral(" where ") + conds.join(QStringLiteral(" and "));
    return m_cfg.dataset->connection().exists(sql, values);
}

void RecordDialog::writeFields(Dataset &ds)
{
    for (const FieldSpec &f : std::as_const(m_cfg.fields)) {
        const QString t = boxText(f.field).trimmed();
        if (f.kind == BoxKind::Number || f.kind == BoxKind::SignedNumber) {
            if (t.isEmpty()) {
                ds.setValue(f.field, QVariant::fromValue(Decimal()));
                continue;
            }
            const auto d = Decimal::parse(t);
            if (!d) throw DbError(u"“" + t + QStringLiteral("”不是有效的数值"));
            ds.setValue(f.field, QVariant::fromValue(*d));
        } else {
            ds.setValue(f.field, t);
        }
    }
    writeExtra(ds);
}

bool RecordDialog::save()
{
    // Decimals beyond what is kept are rounded in the box first, so the operator sees what is stored.
    for (const FieldSpec &f : std::as_const(m_cfg.fields))
        if ((f.kind == BoxKind::Number || f.kind == BoxKind::SignedNumber) && f.decimals >= 0)
            if (auto *e = edit(f.field)) numbers::roundBox(e, f.decimals);
    for (int i = 0; i < m_cfg.fields.size(); ++i) {
        const FieldSpec &f = m_cfg.fields[i];
        if (!f.required || !boxText(f.field).trimmed().isEmpty()) continue;
        msg::info(this, f.requiredText.isEmpty() ? f.label + QStringLiteral("不可为空！") : f.requiredText);
        focusBox(m_boxes[i]);
        return false;
    }
    if (!checkExtra()) return false;
    Dataset *ds = m_cfg.dataset;
    bool written = false;
    if (m_mode == Mode::Add) {
        bool dup = false;
        if (!guarded([&] { dup = isDuplicate(); })) return false;
        if (dup) {
            msg::warning(this, m_cfg.thing + QStringLiteral("不可重复！"));
            focusBox(m_cfg.duplicateFocus.isEmpty() ? m_boxes.value(0) : boxByName(m_cfg.duplicateFocus));
            return false;
        }
        written = guarded([&] {
            try {
                if (!ds->isOpen()) ds->open();
                ds->append();
                writeFields(*ds);
                ds->post();
            } catch (...) {
                ds->cancel();
                throw;
            }
        });
        if (!written) return false; // the boxes keep what was typed
        Q_EMIT saved();
        clearAfterAdd();
        return true;
    }
    written = guarded([&] {
        try {
            ds->edit();
            writeFields(*ds);
            ds->post();
        } catch (...) {
            ds->cancel();
            throw;
        }
    });
    if (!written) return false;
    Q_EMIT saved();
    accept();
    return true;
}
