#include "xsgl1.h"
#include "dm1.h"
#include "frame.h"
#include "gridbehaviour.h"
#include "guard.h"
#include "keys.h"
#include "messages.h"
#include "printing.h"
#include "salespostings.h"
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <sqlite3.h>

namespace {
QPointer<TFllxsd1> g_browser;

GridColumn col(const char *f, const char *t, int w, bool number = false, bool tint = false)
{
    GridColumn c;
    c.field = QLatin1String(f);
    c.title = QString::fromUtf8(t);
    c.width = w;
    if (number) c.align = Qt::AlignRight | Qt::AlignVCenter;
    if (tint) c.tint = QColor(204, 236, 255);
    return c;
}
QString today() { return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")); }
}

void refreshDetailsAndReceivables()
{
    for (Dataset *ds : {DM1->AQxsfx1, DM1->AQysfx1}) {
        ds->clearSql();
        ds->addSql(QStringLiteral("SELECT * FROM ") + ds->table());
        ds->addSql(QStringLiteral("where dh='刷新数据'"));
        ds->open();
    }
}

TFxsgl1::TFxsgl1(QWidget *parent) : ListWindow([] {
    ListConfig c;
    c.title = QStringLiteral("销售出库单");
    c.thing = QStringLiteral("单据");
    c.dataset = DM1->AQxsz1;
    c.columns = {col("shbj", "审核", 60), col("dh", "单号", 130), col("rq", "销售日期", 90), col("hybm", "会员卡号", 90),
                 col("hymc", "会员姓名", 90), col("hjsl", "合计数量", 80, true, true), col("hjje", "合计金额", 90, true, true),
                 col("bcjf", "本次积分", 70, true), col("jsr", "业务员", 70), col("zhidan", "操作员", 80),
                 col("kdrq", "开单日期", 90), col("bz", "备注", 160)};
    c.tools = {{ListAction::Reverse, QStringLiteral("SB1")}, {ListAction::Details, QStringLiteral("SB2"), {}, QStringLiteral("查单")},
               {ListAction::Delete, QStringLiteral("SB3")}, {ListAction::Query, QStringLiteral("SB4")},
               {ListAction::Print, QStringLiteral("SB5")}, {ListAction::Export, QStringLiteral("SB6")},
               {ListAction::Close, QStringLiteral("SB7")}};
    c.legends = {{unauditedTint(), QStringLiteral("未审数据")}};
    c.panels = {QStringLiteral("总计"), QString(), QString(), QString(), QString(), QStringLiteral("默认显示当天数据")};
    c.panelWidths = {60, 20, 100, 100, 20, 140};
    c.countPanel = -1;
    c.menu = {ListAction::Delete};
    c.doubleClick = ListAction::Details;
    c.defaultFilter = [] {
        Filter f;
        f.equals(QStringLiteral("rq"), today());
        return f;
    };
    c.orderBy = QStringLiteral("order by dh");
    c.deleteQuestion = QStringLiteral("确定要删除此单据么？\n提醒：同时删除与本单对应的明细和欠款！");
    c.rowBackground = [](const Dataset &ds, int row) {
        const int s = ds.fieldIndex(QStringLiteral("shbj"));
        return s >= 0 && ds.textAt(row, s) == sales::unaudited() ? unauditedTint() : QColor();
    };
    c.size = QSize(980, 520);
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fxsgl1"));
}

void TFxsgl1::refreshStatus()
{
    setPanel(2, ListWindow::total(*dataset(), QStringLiteral("hjsl")).toPlain());
    setPanel(3, ListWindow::total(*dataset(), QStringLiteral("hjje")).toPlain());
}

void TFxsgl1::onReverse()
{
    if (!requireRecord(QStringLiteral("没有数据可反审，请先查询！"))) return;
    if (!msg::confirm(this, QStringLiteral("确定要反审么？"))) return;
    Dataset *ds = dataset();
    const QString dh = ds->text(QStringLiteral("dh"));
    sales::Reversal r = sales::Reversal::NoSlip;
    if (!guarded([&] { r = sales::unaudit(ds->connection(), dh); })) return;
    switch (r) {
    case sales::Reversal::AlreadyHeld: msg::warning(this, QStringLiteral("数据已经反审！")); return;
    case sales::Reversal::MemberMissing: msg::warning(this, QStringLiteral("会员资料不存在，不可反审！")); return;
    case sales::Reversal::NoSlip: return;
    case sales::Reversal::Reversed: break;
    }
    guarded([&] {
        // The row on screen follows what was written.
        ds->setValue(QStringLiteral("shbj"), sales::unaudited());
        ds->post();
        refreshDetailsAndReceivables();
    });
}

void TFxsgl1::onDetails()
{
    if (!requireRecord(QStringLiteral("没有数据可查单，请先查询！"))) return;
    if (g_browser && frame() && frame()->activateIfOpen(g_browser)) {
        g_browser->showSlip();
        return;
    }
    if (!g_browser) {
        g_browser = new TFllxsd1(frame() ? nullptr : this);
        if (!frame()) g_browser->setWindowFlag(Qt::Window);
        if (frame()) frame()->showChild(g_browser);
        else g_browser->show();
    }
    g_browser->showSlip();
}

void TFxsgl1::onDelete()
{
    if (!requireRecord(config().nothingToDelete)) return;
    if (!msg::confirm(this, config().deleteQuestion)) return;
    Dataset *ds = dataset();
    const QString dh = ds->text(QStringLiteral("dh"));
    if (!guarded([&] { sales::deleteSlip(ds->connection(), dh); })) return;
    guarded([&] {
        ds->remove(); // the row is gone already; this takes it off the list
        refreshDetailsAndReceivables();
    });
    refreshStatus();
}

QueryDialog *TFxsgl1::makeQuery() { return new TFcxxsd1(this); }

void TFxsgl1::printList()
{
    PrintJob job = listPrintJob(QStringLiteral("TFxsgl1"));
    job.statusBar = statusBar();
    ::printList(this, job);
}

TFcxxsd1::TFcxxsd1(QWidget *parent) : QueryDialog([] {
    QueryConfig c;
    c.dataset = DM1->AQxsz1;
    const Condition dates = Condition::dateRange(QStringLiteral("日期从"), QStringLiteral("CheckBox1"), QStringLiteral("rq"));
    const Condition state = Condition::choice(QStringLiteral("审　核"), QStringLiteral("ComboBox1"),
                                              {QStringLiteral("全部"), sales::unaudited(), sales::audited()},
                                              [](Filter &f, int index, const QString &text) {
                                                  if (index > 0) f.equals(QStringLiteral("shbj"), text);
                                              });
    c.conditions = {Condition::like(QStringLiteral("单　号"), QStringLiteral("Edit1"), QStringLiteral("dh"), true),
                    Condition::like(QStringLiteral("会员卡号"), QStringLiteral("Edit2"), QStringLiteral("hybm"), true),
                    Condition::like(QStringLiteral("会员姓名"), QStringLiteral("Edit3"), QStringLiteral("hymc"), true),
                    Condition::like(QStringLiteral("员　　工"), QStringLiteral("Edit4"), QStringLiteral("jsr"), true),
                    state, dates};
    return c;
}(), parent)
{
    setObjectName(QStringLiteral("Fcxxsd1"));
    // Enter in the employee box runs the query.
    auto *nav = new keys::EnterNavigator(this);
    nav->watchAll();
    nav->pressOn(findChild<QWidget *>(QStringLiteral("Edit4")), queryButton());
    nav->callOn(findChild<QWidget *>(QStringLiteral("ComboBox1")), [this] { findChild<QWidget *>(QStringLiteral("Edit1"))->setFocus(); });
}

void TFcxxsd1::showEvent(QShowEvent *e)
{
    QueryDialog::showEvent(e);
    if (QWidget *w = findChild<QWidget *>(QStringLiteral("Edit1"))) w->setFocus();
}

// ---------------------------------------------------------------------------------------------

TFllxsd1::TFllxsd1(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Fllxsd1"));
    setWindowTitle(QStringLiteral("浏览销售出库单"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *outer = new QVBoxLayout(this);
    auto *head = new QHBoxLayout;
    QFont big = font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    for (const char *t : {"浏览", "销售单"}) {
        auto *l = new QLabel(QString::fromUtf8(t), this);
        l->setFont(big);
        head->addWidget(l);
    }
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("shbj"));
    m_state->setFont(big);
    head->addWidget(m_state);
    head->addStretch();
    head->addWidget(new QLabel(QStringLiteral("NO:"), this));
    auto ro = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setReadOnly(true);
        return e;
    };
    m_dh = ro("dh");
    m_dh->setFixedWidth(150);
    head->addWidget(m_dh);
    outer->addLayout(head);
    auto *g = new QGridLayout;
    m_jsr = ro("jsr");
    m_rq = ro("rq");
    m_hybm = ro("hybm");
    m_hymc = ro("hymc");
    m_ztbj = ro("ztbj");
    m_dj = ro("dj");
    m_zk = ro("zk");
    m_bcjf = ro("bcjf");
    m_dhdz = ro("dhdz");
    m_bz = ro("bz");
    const char *labels[] = {"业务员", "销售日期", "会员卡", "姓名", "卡状态", "等级", "折扣", "本次积分", "地址电话", "备注"};
    QLineEdit *boxes[] = {m_jsr, m_rq, m_hybm, m_hymc, m_ztbj, m_dj, m_zk, m_bcjf, m_dhdz, m_bz};
    for (int i = 0; i < 10; ++i) {
        g->addWidget(new QLabel(QString::fromUtf8(labels[i]), this), i / 4, (i % 4) * 2);
        g->addWidget(boxes[i], i / 4, (i % 4) * 2 + 1);
    }
    outer->addLayout(g);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    bindGrid(m_grid, DM1->AQxsc1,
             {col("txm", "条码", 130), col("ppgg", "品名规格型号", 260), col("dw", "单位", 50),
              col("sl", "数量", 70, true, true), col("jg", "单价", 80, true), col("je", "金额", 90, true, true)});
    grid::standardLook(m_grid);
    outer->addWidget(m_grid, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    const char *captions[] = {"首单", "前单", "后单", "尾单", "打印", "关闭"};
    for (int i = 0; i < 6; ++i) {
        auto *b = new QPushButton(QString::fromUtf8(captions[i]), this);
        b->setObjectName(QStringLiteral("BitBtn%1").arg(i + 1));
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    outer->addLayout(buttons);
    connect(button("BitBtn1"), &QPushButton::clicked, this, [this] { first(); });
    connect(button("BitBtn2"), &QPushButton::clicked, this, [this] { prior(); });
    connect(button("BitBtn3"), &QPushButton::clicked, this, [this] { next(); });
    connect(button("BitBtn4"), &QPushButton::clicked, this, [this] { last(); });
    connect(button("BitBtn5"), &QPushButton::clicked, this, [this] { print(); });
    connect(button("BitBtn6"), &QPushButton::clicked, this, &QWidget::close);
    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setSizeGripEnabled(false);
    for (int i = 0; i < 5; ++i) {
        auto *l = new QLabel(i == 0 ? QStringLiteral("合计") : QString(), m_status);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(i % 2 ? 20 : 100);
        m_status->addWidget(l);
        m_panels << l;
    }
    outer->addWidget(m_status);
    keys::escCloses(this, [this] { close(); });
    resize(900, 540);
}

QPushButton *TFllxsd1::button(const char *name) const { return findChild<QPushButton *>(QLatin1String(name)); }
QString TFllxsd1::panel(int i) const { return m_panels.value(i) ? m_panels[i]->text() : QString(); }

bool TFllxsd1::datasetsOpen()
{
    if (DM1->AQxsz1->isOpen() && DM1->AQxsc1->isOpen()) return true;
    msg::warning(this, QStringLiteral("数据表未打开，关闭窗口后重新打开！"));
    close();
    return false;
}

void TFllxsd1::showSlip()
{
    const Dataset *h = DM1->AQxsz1;
    if (!h->isOpen() || h->recNo() < 0) return;
    const QString state = h->text(QStringLiteral("shbj"));
    m_state->setText(state);
    QPalette p = m_state->palette();
    p.setColor(QPalette::WindowText, state == sales::unaudited() ? QColor(Qt::red) : palette().color(QPalette::WindowText));
    m_state->setPalette(p);
    m_dh->setText(h->text(QStringLiteral("dh")));
    m_jsr->setText(h->text(QStringLiteral("jsr")));
    m_rq->setText(h->text(QStringLiteral("rq")));
    m_hybm->setText(h->text(QStringLiteral("hybm")));
    m_bcjf->setText(h->dec(QStringLiteral("bcjf")).toPlain());
    m_bz->setText(h->text(QStringLiteral("bz")));
    m_panels[2]->setText(h->dec(QStringLiteral("hjsl")).toPlain());
    m_panels[4]->setText(h->dec(QStringLiteral("hjje")).toPlain());
    // The member as the card reads now; the name is the slip's own.
    QString mc, ztbj, dj, dhdz, zk = QStringLiteral("1");
    int found = 0;
    guarded([&] {
        Statement st = DM1->ADOC1.prepare(QStringLiteral("SELECT mc, ztbj, dj, zk, lxdz, lxdh FROM kh WHERE bm=?"),
                                          {{{}, m_hybm->text()}});
        while (found < 2 && st.step()) {
            ++found;
            auto text = [&](int i) {
                return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st.handle(), i)),
                                         sqlite3_column_bytes(st.handle(), i));
            };
            mc = text(0);
            ztbj = text(1);
            dj = text(2);
            zk = Decimal::fromRaw(sqlite3_column_int64(st.handle(), 3)).toPlain();
            dhdz = text(4) + text(5);
        }
    });
    if (found != 1) {
        ztbj.clear(); dj.clear(); dhdz.clear();
        zk = QStringLiteral("1");
    }
    m_ztbj->setText(ztbj);
    m_dj->setText(dj);
    m_zk->setText(zk);
    m_dhdz->setText(dhdz);
    m_hymc->setText(h->text(QStringLiteral("hymc")));
    const QString dh = m_dh->text();
    guarded([&] {
        Dataset *l = DM1->AQxsc1;
        l->suspend();
        l->clearSql();
        l->addSql(QStringLiteral("SELECT *FROM xsglc"));
        l->addSql(QStringLiteral("where dh=:dh"));
        l->addSql(QStringLiteral("order by id"));
        l->bind(QStringLiteral(":dh"), dh);
        l->open();
        l->resume();
    });
}

void TFllxsd1::move(int row, bool backwards)
{
    if (!datasetsOpen()) return;
    Dataset *h = DM1->AQxsz1;
    if (h->isEmpty()) return;
    h->moveTo(std::clamp(row, 0, h->recordCount() - 1));
    showSlip();
    if (backwards) {
        button("BitBtn3")->setEnabled(true);
        button("BitBtn4")->setEnabled(true);
        const bool atStart = h->recNo() == 0;
        button("BitBtn1")->setEnabled(!atStart);
        button("BitBtn2")->setEnabled(!atStart);
    } else {
        button("BitBtn1")->setEnabled(true);
        button("BitBtn2")->setEnabled(true);
        const bool atEnd = h->recNo() == h->recordCount() - 1;
        button("BitBtn3")->setEnabled(!atEnd);
        button("BitBtn4")->setEnabled(!atEnd);
    }
}

void TFllxsd1::first() { move(0, true); }
void TFllxsd1::prior() { move(DM1->AQxsz1->recNo() - 1, true); }
void TFllxsd1::next() { move(DM1->AQxsz1->recNo() + 1, false); }
void TFllxsd1::last() { move(DM1->AQxsz1->recordCount() - 1, false); }

bool TFllxsd1::print()
{
    SlipPrint s;
    s.lines = DM1->AQxsc1;
    s.number = m_dh->text();
    s.date = m_rq->text();
    s.memberCard = m_hybm->text();
    s.memberName = m_hymc->text();
    s.addressAndPhone = m_dhdz->text();
    s.salesperson = m_jsr->text();
    s.remark = m_bz->text();
    s.operatorName = frame() ? frame()->operatorName() : QString();
    s.totalQuantity = panel(2);
    s.totalAmountText = panel(4);
    s.totalAmount = Decimal::parseOr(panel(4));
    if (!s.lines->isOpen()) {
        printSlip(this, s); // the message
        close();
        return false;
    }
    return printSlip(this, s);
}

void TFllxsd1::closeEvent(QCloseEvent *e)
{
    DM1->AQxsc1->close();
    QWidget::closeEvent(e);
}
