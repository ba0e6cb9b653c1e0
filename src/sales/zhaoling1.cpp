#include "zhaoling1.h"
#include "dm1.h"
#include "guard.h"
#include "keys.h"
#include "messages.h"
#include "numberbox.h"
#include "saleline.h"
#include "salespostings.h"
#include "tjxsd1.h"
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace receiptprinter {
QString devicePath()
{
    const QString env = qEnvironmentVariable("CS_RECEIPT_DEVICE");
    return env.isEmpty() ? QStringLiteral("/dev/usb/lp0") : env;
}

bool write(const QByteArray &bytes, QString *error)
{
    if (bytes.isEmpty()) {
        if (error) *error = QStringLiteral("GB18030编码不可用");
        return false;
    }
    QFile f(devicePath());
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) *error = f.fileName() + QStringLiteral("：") + f.errorString();
        return false;
    }
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        if (error) *error = f.fileName() + QStringLiteral("：") + f.errorString();
        return false;
    }
    return true;
}
}

namespace {
QString shop(const char *field)
{
    Dataset *d = DM1 ? DM1->danwei() : nullptr;
    if (!d || !d->isOpen() || d->isEmpty()) return {};
    const int c = d->fieldIndex(QLatin1String(field));
    return c < 0 ? QString() : d->textAt(0, c);
}
}

TFzhaoling1::TFzhaoling1(TFtjxsd1 *counter) : QDialog(counter), m_counter(counter)
{
    setObjectName(QStringLiteral("Fzhaoling1"));
    setWindowTitle(QStringLiteral("结帐收款"));
    auto *outer = new QVBoxLayout(this);
    auto *g = new QGridLayout;
    auto box = [this](const char *name, bool readOnly) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setReadOnly(readOnly);
        e->setAlignment(Qt::AlignRight);
        QFont f = e->font();
        f.setPointSize(f.pointSize() + 6);
        f.setBold(true);
        e->setFont(f);
        if (readOnly) e->setFocusPolicy(Qt::NoFocus);
        return e;
    };
    m_bcjf = box("bcjf", true);
    m_zjf = box("zjf", true);
    m_yse = box("yse", true);
    m_zhifu = box("zhifu", false);
    m_zhaoling = box("zhaoling", true);
    const char *captions[] = {"本次积分", "累计积分", "应收金额", "顾客支付", "本店找零"};
    QLineEdit *boxes[] = {m_bcjf, m_zjf, m_yse, m_zhifu, m_zhaoling};
    for (int i = 0; i < 5; ++i) {
        auto *l = new QLabel(QString::fromUtf8(captions[i]), this);
        QFont f = l->font();
        f.setPointSize(f.pointSize() + 4);
        l->setFont(f);
        g->addWidget(l, i, 0);
        g->addWidget(boxes[i], i, 1);
    }
    auto *paid = new QPushButton(QStringLiteral("付清"), this);
    paid->setObjectName(QStringLiteral("BitBtn3"));
    paid->setAutoDefault(false);
    paid->setFocusPolicy(Qt::NoFocus);
    g->addWidget(paid, 3, 2);
    outer->addLayout(g);

    auto *radios = new QHBoxLayout;
    m_receipt = new QRadioButton(QStringLiteral("同时打印小票"), this);
    m_receipt->setObjectName(QStringLiteral("RadioButton1"));
    m_slip = new QRadioButton(QStringLiteral("同时打印单据"), this);
    m_slip->setObjectName(QStringLiteral("RadioButton2"));
    m_none = new QRadioButton(QStringLiteral("不同时打印"), this);
    m_none->setObjectName(QStringLiteral("RadioButton3"));
    m_receipt->setChecked(true);
    for (QRadioButton *r : {m_receipt, m_slip, m_none}) {
        r->setFocusPolicy(Qt::NoFocus);
        radios->addWidget(r);
    }
    outer->addLayout(radios);

    auto *buttons = new QHBoxLayout;
    auto *preview = new QPushButton(QStringLiteral("预览单据"), this);
    preview->setObjectName(QStringLiteral("BitBtn4"));
    preview->setToolTip(QStringLiteral("只可预览单据241mm"));
    preview->setHidden(true);
    auto *ok = new QPushButton(QStringLiteral("确定收款"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    auto *back = new QPushButton(QStringLiteral("返回"), this);
    back->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addStretch();
    buttons->addWidget(preview);
    buttons->addWidget(ok);
    buttons->addWidget(back);
    outer->addLayout(buttons);

    numbers::makeDecimalBox(m_zhifu);
    numbers::zeroWhenEmptied(m_zhifu);
    connect(m_zhifu, &QLineEdit::textChanged, this, [this] { recompute(); });
    connect(m_yse, &QLineEdit::textChanged, this, [this] { recompute(); });
    connect(paid, &QPushButton::clicked, this, [this] { payInFull(); });
    connect(ok, &QPushButton::clicked, this, [this] { confirm(); });
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    auto *nav = keys::installDialogKeys(this, nullptr, ok, back);
    nav->pressOn(m_zhifu, ok);

    if (counter) {
        const Decimal points = Decimal::parseOr(counter->box("bcjf")->text());
        m_bcjf->setText(points.toPlain());
        m_zjf->setText((Decimal::parseOr(counter->box("zjf")->text()) + points).toPlain());
        m_yse->setText(counter->totalAmount().toFixed(1));
    }
    m_zhifu->setText(QStringLiteral("0"));
    m_zhifu->selectAll();
    resize(460, 360);
}

void TFzhaoling1::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    const QString dy = shop("dy");
    for (QRadioButton *r : {m_receipt, m_slip, m_none})
        if (r->text() == dy) r->setChecked(true);
    m_zhifu->setFocus();
    m_zhifu->selectAll();
}

void TFzhaoling1::recompute()
{
    m_zhaoling->setText((Decimal::parseOr(m_zhifu->text()) - Decimal::parseOr(m_yse->text())).toPlain());
}

void TFzhaoling1::payInFull()
{
    m_zhifu->setText(m_yse->text());
    m_zhaoling->setText(QStringLiteral("0"));
}

receipt::Data TFzhaoling1::receiptData() const
{
    receipt::Data r;
    r.header = shop("mcdy");
    r.time = QDateTime::currentDateTime();
    r.due = Decimal::parseOr(m_yse->text());
    r.paid = Decimal::parseOr(m_zhifu->text());
    r.change = Decimal::parseOr(m_zhaoling->text());
    r.slipPoints = Decimal::parseOr(m_bcjf->text());
    r.totalPoints = Decimal::parseOr(m_zjf->text());
    r.footer1 = shop("dybz3");
    r.footer2 = shop("dybz4");
    if (!m_counter) return r;
    r.number = m_counter->number();
    r.memberCard = m_counter->box("hybm")->text();
    r.memberName = m_counter->box("hymc")->text();
    r.withPoints = m_counter->memberLevel() != saleline::noCardLevel();
    const Dataset *ds = DM1->AQxsc1;
    if (ds->isOpen()) {
        const int cn = ds->fieldIndex(QStringLiteral("ppgg")), cs = ds->fieldIndex(QStringLiteral("sl")),
                  cj = ds->fieldIndex(QStringLiteral("jg")), ce = ds->fieldIndex(QStringLiteral("je"));
        for (int i = 0; i < ds->recordCount(); ++i)
            r.items << receipt::Item{ds->textAt(i, cn), ds->decAt(i, cs), ds->decAt(i, cj), ds->decAt(i, ce)};
    }
    return r;
}

bool TFzhaoling1::confirm()
{
    numbers::roundBox(m_zhifu);
    const Decimal due = Decimal::parseOr(m_yse->text()), paid = Decimal::parseOr(m_zhifu->text());
    if (due > paid
        && msg::yesNo(this, QStringLiteral("顾客支付＜应收金额，是否重新支付？\n\n　　［是］：重新填写支付\n\n　　［否］：计入顾客欠款"))) {
        m_zhifu->setFocus();
        m_zhifu->selectAll();
        return false;
    }
    if (!m_counter || !m_counter->datasetsOpen()) {
        reject();
        return false;
    }
    if (m_receipt->isChecked()) {
        QString error;
        if (!receiptprinter::write(receipt::bytes(receiptData()), &error)) {
            // Nothing is saved: the operator may choose "不同时打印" and confirm again.
            msg::warning(this, QStringLiteral("小票打印失败：") + error);
            return false;
        }
    }
    const bool ok = guarded([&] {
        sales::checkout(DM1->ADOC1, m_counter->slip(), m_counter->slipMode(), paid, QDate::currentDate());
    });
    if (!ok) return false;
    m_counter->slipCheckedOut();
    accept();
    return true;
}
