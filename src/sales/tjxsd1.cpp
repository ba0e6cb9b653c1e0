#include "tjxsd1.h"
#include "chooser.h"
#include "dm1.h"
#include "docnumber.h"
#include "frame.h"
#include "gridbehaviour.h"
#include "gridmodel.h"
#include "guard.h"
#include "keys.h"
#include "messages.h"
#include "numberbox.h"
#include "querydialog.h"
#include "sqlfilter.h"
#include "zhaoling1.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <sqlite3.h>

namespace {
QPointer<TFtjxsd1> g_counter;

QString closedText() { return QStringLiteral("数据表未打开，关闭窗口后重新打开！"); }
QString unusable() { return QStringLiteral("不可用"); }
QString today() { return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")); }
Decimal dec(const QLineEdit *e) { return Decimal::parseOr(e->text()); }
QVariant v(Decimal d) { return QVariant::fromValue(d); }

QList<GridColumn> lineColumns()
{
    auto col = [](const char *f, const char *t, int w, bool number = false, bool tint = false) {
        GridColumn c;
        c.field = QLatin1String(f);
        c.title = QString::fromUtf8(t);
        c.width = w;
        if (number) c.align = Qt::AlignRight | Qt::AlignVCenter;
        if (tint) c.tint = QColor(204, 236, 255);
        return c;
    };
    return {col("txm", "条码", 130), col("ppgg", "品名规格型号", 260), col("dw", "单位", 50),
            col("sl", "数量", 70, true, true), col("jg", "单价", 80, true), col("je", "金额", 90, true, true)};
}

QLineEdit *edit(QWidget *parent, const char *name, bool readOnly = false, const QString &hint = {})
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(readOnly);
    if (!hint.isEmpty()) e->setToolTip(hint);
    return e;
}
QToolButton *chooserButton(QWidget *parent, const char *name, const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(QStringLiteral("…"));
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}
}

TFtjxsd1 *TFtjxsd1::instance() { return g_counter.data(); }

TFtjxsd1::TFtjxsd1(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Ftjxsd1"));
    setAttribute(Qt::WA_DeleteOnClose);
    g_counter = this;
    build();
    qApp->installEventFilter(this);
}

TFtjxsd1::~TFtjxsd1()
{
    if (qApp) qApp->removeEventFilter(this);
}

QLineEdit *TFtjxsd1::box(const char *name) const { return findChild<QLineEdit *>(QLatin1String(name)); }

void TFtjxsd1::build()
{
    auto *outer = new QVBoxLayout(this);
    auto *head = new QHBoxLayout;
    auto *title = new QLabel(QStringLiteral("销售单"), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    title->setFont(f);
    m_st1 = new QLabel(QStringLiteral("新增"), this);
    m_st1->setObjectName(QStringLiteral("ST1"));
    m_st1->setFont(f);
    head->addWidget(m_st1);
    head->addWidget(title);
    head->addStretch();
    head->addWidget(new QLabel(QStringLiteral("NO:"), this));
    m_dh = edit(this, "dh", true);
    m_dh->setFixedWidth(150);
    head->addWidget(m_dh);
    m_rq = new QDateEdit(QDate::currentDate(), this);
    m_rq->setObjectName(QStringLiteral("rq"));
    m_rq->setToolTip(QStringLiteral("销售日期"));
    m_rq->setCalendarPopup(true);
    m_rq->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    head->addWidget(m_rq);
    outer->addLayout(head);

    auto *g = new QGridLayout;
    m_jsr = edit(this, "jsr", true);
    auto *bJsr = chooserButton(this, "SpeedButton1", QStringLiteral("选择业务员"));
    m_hybm = edit(this, "hybm");
    auto *bKh = chooserButton(this, "SpeedButton2", QStringLiteral("选择会员"));
    m_hymc = edit(this, "hymc", true);
    m_ztbj = edit(this, "ztbj", true, QStringLiteral("卡状态"));
    m_dj = edit(this, "dj", true);
    m_zk = edit(this, "zk", true);
    m_dhdz = edit(this, "dhdz", true, QStringLiteral("联系地址和联系方式"));
    m_bz = edit(this, "bz");
    m_txm = edit(this, "txm");
    auto *bSp = chooserButton(this, "SpeedButton3", QStringLiteral("选择商品"));
    m_ppgg = edit(this, "ppgg", true);
    auto pair = [](QWidget *a, QWidget *b) {
        auto *h = new QHBoxLayout;
        h->setSpacing(0);
        h->addWidget(a);
        h->addWidget(b);
        return h;
    };
    g->addWidget(new QLabel(QStringLiteral("业务员"), this), 0, 0);
    g->addLayout(pair(m_jsr, bJsr), 0, 1);
    g->addWidget(new QLabel(QStringLiteral("会员卡"), this), 0, 2);
    g->addLayout(pair(m_hybm, bKh), 0, 3);
    g->addWidget(new QLabel(QStringLiteral("姓名"), this), 0, 4);
    g->addWidget(m_hymc, 0, 5);
    g->addWidget(new QLabel(QStringLiteral("状态"), this), 1, 0);
    g->addWidget(m_ztbj, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("等级"), this), 1, 2);
    g->addWidget(m_dj, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("折扣"), this), 1, 4);
    g->addWidget(m_zk, 1, 5);
    g->addWidget(new QLabel(QStringLiteral("地址电话"), this), 2, 0);
    g->addWidget(m_dhdz, 2, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("备注项"), this), 2, 4);
    g->addWidget(m_bz, 2, 5);
    g->addWidget(new QLabel(QStringLiteral("条码"), this), 3, 0);
    g->addLayout(pair(m_txm, bSp), 3, 1);
    g->addWidget(new QLabel(QStringLiteral("品名"), this), 3, 2);
    g->addWidget(m_ppgg, 3, 3, 1, 3);
    outer->addLayout(g);

    // The looked-up goods and the slip's points, kept out of sight.
    m_dw = edit(this, "dw", true);
    m_zkbj = edit(this, "zkbj", true);
    m_yjg = edit(this, "yjg", true);
    m_cbjg = edit(this, "cbjg", true);
    m_jfjs = edit(this, "jfjs", true);
    m_bcjf = edit(this, "bcjf", true);
    m_zjf = edit(this, "zjf", true);
    for (QLineEdit *e : {m_dw, m_zkbj, m_yjg, m_cbjg, m_jfjs, m_bcjf, m_zjf}) {
        e->setHidden(true);
        e->setFocusPolicy(Qt::NoFocus);
    }

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_model = bindGrid(m_grid, DM1->AQxsc1, lineColumns());
    grid::standardLook(m_grid);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    connect(menu->addAction(QStringLiteral("删除明细")), &QAction::triggered, this, [this] { deleteLine(); });
    connect(menu->addAction(QStringLiteral("改数量")), &QAction::triggered, this, [this] { changeLine(false); });
    connect(menu->addAction(QStringLiteral("改价格")), &QAction::triggered, this, [this] { changeLine(true); });
    connect(m_grid, &QTableView::customContextMenuRequested, this,
            [this, menu](const QPoint &p) { menu->popup(m_grid->viewport()->mapToGlobal(p)); });
    connect(m_grid, &QTableView::doubleClicked, this, [this] { changeLine(false); });
    outer->addWidget(m_grid, 1);

    auto *foot = new QHBoxLayout;
    foot->addWidget(new QLabel(QStringLiteral("总数量:"), this));
    m_e1 = edit(this, "E1", true);
    m_e2 = edit(this, "E2", true);
    QFont big = m_e2->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    m_e1->setFont(big);
    m_e2->setFont(big);
    m_e1->setAlignment(Qt::AlignRight);
    m_e2->setAlignment(Qt::AlignRight);
    foot->addWidget(m_e1);
    foot->addWidget(new QLabel(QStringLiteral("总金额:"), this));
    foot->addWidget(m_e2);
    outer->addLayout(foot);

    auto *buttons = new QHBoxLayout;
    struct B {
        const char *name, *text, *hint;
        int key;
    };
    const B bs[] = {{"F5", "取单-F5", "打开挂单", Qt::Key_F5},
                    {"F6", "开单-F6", "新增单据", Qt::Key_F6},
                    {"F7", "结帐-F7", "正式保存并审核，收款，过帐", Qt::Key_F7},
                    {"F8", "挂单-F8", "临时保存不审核，不收款，不过帐", Qt::Key_F8},
                    {"ESC", "关闭-ESC", "", Qt::Key_Escape},
                    {"F9", "F9", "增明细", Qt::Key_F9},
                    {"DEL", "DEL", "删明细", Qt::Key_Delete},
                    {"F10", "F10", "改数量", Qt::Key_F10},
                    {"F11", "F11", "改价格", Qt::Key_F11}};
    for (const B &b : bs) {
        auto *p = new QPushButton(QString::fromUtf8(b.text), this);
        p->setObjectName(QLatin1String(b.name));
        p->setToolTip(QString::fromUtf8(b.hint));
        p->setFocusPolicy(Qt::NoFocus);
        p->setAutoDefault(false);
        const int key = b.key;
        connect(p, &QPushButton::clicked, this, [this, key] { handleKey(key); });
        buttons->addWidget(p);
    }
    outer->addLayout(buttons);

    connect(bJsr, &QToolButton::clicked, this, [this] { openEmployeeChooser(); });
    connect(bKh, &QToolButton::clicked, this, [this] { openMemberChooser(); });
    connect(bSp, &QToolButton::clicked, this, [this] { openGoodsChooser(); });
    connect(m_hybm, &QLineEdit::textChanged, this, [this] { memberLookup(); });
    connect(m_txm, &QLineEdit::textChanged, this, [this] { goodsLookup(); });

    // Enter through the header.
    auto *nav = new keys::EnterNavigator(this);
    nav->watchAll();
    nav->callOn(m_jsr, [this] {
        if (m_jsr->text().trimmed().isEmpty()) openEmployeeChooser();
        else m_hybm->setFocus();
    });
    for (QLineEdit *e : {m_hybm, m_hymc})
        nav->callOn(e, [this, e] {
            if (e->text().trimmed().isEmpty()) openMemberChooser();
            else m_txm->setFocus();
        });
    for (QLineEdit *e : {m_ztbj, m_dj, m_zk, m_dhdz, m_bz}) nav->callOn(e, [this] { m_txm->setFocus(); });
    nav->callOn(m_txm, [this] {
        if (m_txm->text().trimmed().isEmpty()) openGoodsChooser();
        else addLine();
    });

    setTabOrder(m_rq, m_jsr);
    setTabOrder(m_jsr, m_hybm);
    setTabOrder(m_hybm, m_hymc);
    setTabOrder(m_hymc, m_ztbj);
    setTabOrder(m_ztbj, m_dj);
    setTabOrder(m_dj, m_zk);
    setTabOrder(m_zk, m_dhdz);
    setTabOrder(m_dhdz, m_bz);
    setTabOrder(m_bz, m_txm);
    setTabOrder(m_txm, m_ppgg);
    setTabOrder(m_ppgg, m_grid);
    resize(900, 580);
}

void TFtjxsd1::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (m_shown) return;
    m_shown = true;
    newSlip();
}

bool TFtjxsd1::handleKey(int key)
{
    switch (key) {
    case Qt::Key_F5: takeUpHeld(); return true;
    case Qt::Key_F6:
        leaveChangedSlip();
        newSlip();
        return true;
    case Qt::Key_F7: checkout(); return true;
    case Qt::Key_F8: holdSlip(); return true;
    case Qt::Key_Escape: close(); return true;
    case Qt::Key_F9: addLine(); return true;
    case Qt::Key_Delete: deleteLine(); return true;
    case Qt::Key_F10: changeLine(false); return true;
    case Qt::Key_F11: changeLine(true); return true;
    default: return false;
    }
}

bool TFtjxsd1::eventFilter(QObject *obj, QEvent *ev)
{
    const QEvent::Type t = ev->type();
    if (t == QEvent::KeyPress || t == QEvent::ShortcutOverride) {
        // The window sees its keys before its boxes do (none of them while a dialog is up).
        auto *w = qobject_cast<QWidget *>(obj);
        if (!w || (w != this && !isAncestorOf(w)) || QApplication::activeModalWidget()) return false;
        auto *ke = static_cast<QKeyEvent *>(ev);
        if (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        switch (ke->key()) {
        case Qt::Key_F5: case Qt::Key_F6: case Qt::Key_F7: case Qt::Key_F8: case Qt::Key_F9:
        case Qt::Key_F10: case Qt::Key_F11: case Qt::Key_Delete: case Qt::Key_Escape:
            if (t == QEvent::ShortcutOverride) { ev->accept(); return true; }
            return handleKey(ke->key());
        default: return false;
        }
    }
    if (t == QEvent::MouseButtonDblClick) {
        if (obj == m_jsr) { openEmployeeChooser(); return true; }
        if (obj == m_hybm) { openMemberChooser(); return true; }
        if (obj == m_txm) { openGoodsChooser(); return true; }
    }
    if (t == QEvent::FocusIn && obj == m_txm && !m_checkingMember) {
        memberUsable();
        return false;
    }
    return false;
}

QString TFtjxsd1::mode() const { return m_st1->text(); }
sales::Mode TFtjxsd1::slipMode() const { return mode() == QStringLiteral("修改") ? sales::Mode::Change : sales::Mode::New; }
QString TFtjxsd1::number() const { return m_dh->text(); }
QString TFtjxsd1::memberLevel() const { return m_dj->text(); }
Decimal TFtjxsd1::totalAmount() const { return dec(m_e2); }

sales::Slip TFtjxsd1::slip() const
{
    sales::Slip s;
    s.dh = m_dh->text();
    s.rq = m_rq->date().toString(QStringLiteral("yyyy-MM-dd"));
    s.jsr = m_jsr->text();
    s.hybm = m_hybm->text();
    s.hymc = m_hymc->text();
    s.bz = m_bz->text();
    s.zhidan = frame() ? frame()->operatorName() : QString();
    return s;
}

void TFtjxsd1::setMode(bool change)
{
    m_st1->setText(change ? QStringLiteral("修改") : QStringLiteral("新增"));
    setWindowTitle(change ? QStringLiteral("修改销售出库单") : QStringLiteral("新增销售出库单"));
}

bool TFtjxsd1::datasetsOpen()
{
    if (DM1->AQxsc1->isOpen() && DM1->AQxsz1->isOpen()) return true;
    msg::warning(this, closedText());
    close();
    return false;
}

void TFtjxsd1::showLines(const QString &condition)
{
    Dataset *ds = DM1->AQxsc1;
    ds->suspend();
    ds->clearSql();
    ds->addSql(QStringLiteral("SELECT * FROM xsglc"));
    ds->addSql(QStringLiteral("where dh=:dh"));
    ds->addSql(condition);
    ds->addSql(QStringLiteral("order by id"));
    ds->bind(QStringLiteral(":dh"), m_dh->text());
    ds->open();
    ds->resume();
}

void TFtjxsd1::newSlip()
{
    const bool ok = guarded([&] {
        Dataset *z = DM1->AQxsz1;
        z->clearSql();
        z->addSql(QStringLiteral("SELECT * FROM xsglz"));
        z->addSql(QStringLiteral("where kdrq=:kdrq"));
        z->addSql(QStringLiteral("order by dh"));
        z->bind(QStringLiteral(":kdrq"), today());
        z->open();
        const auto n = sales::firstNumber(DM1->ADOC1, QDate::currentDate());
        if (!n) {
            msg::warning(this, docnumber::ceilingMessage());
            QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection);
            return;
        }
        m_dh->setText(*n);
        showLines(QStringLiteral("and bj='dz'"));
    });
    if (!ok) return;
    setMode(false);
    m_rq->setDate(QDate::currentDate());
    clearSlipBoxes({m_jsr, m_hybm, m_hymc, m_ztbj, m_dj, m_dhdz, m_bz});
    m_jsr->setFocus();
}

void TFtjxsd1::memberLookup()
{
    QString mc, ztbj, dj, dhdz;
    Decimal zk = Decimal::fromInt(1), zjf;
    int found = 0;
    guarded([&] {
        Statement st = DM1->ADOC1.prepare(
            QStringLiteral("SELECT mc, ztbj, dj, zk, lxdz, lxdh, zjf FROM kh\nwhere bm=?"), {{{}, m_hybm->text()}});
        while (found < 2 && st.step()) {
            ++found;
            sqlite3_stmt *h = st.handle();
            auto text = [h](int i) {
                return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(h, i)), sqlite3_column_bytes(h, i));
            };
            mc = text(0);
            ztbj = text(1);
            dj = text(2);
            zk = Decimal::fromRaw(sqlite3_column_int64(h, 3));
            dhdz = text(4) + text(5);
            zjf = Decimal::fromRaw(sqlite3_column_int64(h, 6));
        }
    });
    if (found != 1) {
        mc.clear(); ztbj.clear(); dj.clear(); dhdz.clear();
        zk = Decimal::fromInt(1);
        zjf = Decimal();
    }
    m_hymc->setText(mc);
    m_ztbj->setText(ztbj);
    m_dj->setText(dj);
    m_zk->setText(zk.toPlain());
    m_dhdz->setText(dhdz);
    m_zjf->setText(zjf.toPlain());
    if (m_noReprice) return;
    Dataset *ds = DM1->AQxsc1;
    if (!ds->isOpen() || ds->isEmpty()) return;
    // Every line priced again for this member.
    const int keep = ds->recNo();
    const bool ok = guarded([&] {
        Connection::Transaction t(DM1->ADOC1);
        for (int r = 0; r < ds->recordCount(); ++r) {
            ds->moveTo(r);
            saleline::Line l = lineOf(*ds);
            saleline::reprice(l, zk, dj);
            writeLine(*ds, l);
        }
        t.commit();
    });
    if (!ok) guarded([&] { showLines(slipMode() == sales::Mode::Change ? QStringLiteral("and bj<>'ds'") : QStringLiteral("and bj='dz'")); });
    if (ds->isOpen() && keep >= 0 && keep < ds->recordCount()) ds->moveTo(keep);
    recomputeTotals();
}

void TFtjxsd1::goodsLookup()
{
    if (m_noGoodsLookup) return;
    QString ppgg, dw, zkbj;
    Decimal xj, kcjg, jfjs;
    int found = 0;
    guarded([&] {
        Statement st = DM1->ADOC1.prepare(QStringLiteral("SELECT ppgg, dw, ztbj, xj, kcjg, jfjs FROM sp\nwhere txm=?"),
                                          {{{}, m_txm->text()}});
        while (found < 2 && st.step()) {
            ++found;
            sqlite3_stmt *h = st.handle();
            auto text = [h](int i) {
                return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(h, i)), sqlite3_column_bytes(h, i));
            };
            ppgg = text(0);
            dw = text(1);
            zkbj = text(2);
            xj = Decimal::fromRaw(sqlite3_column_int64(h, 3));
            kcjg = Decimal::fromRaw(sqlite3_column_int64(h, 4));
            jfjs = Decimal::fromRaw(sqlite3_column_int64(h, 5));
        }
    });
    if (found != 1) {
        ppgg.clear(); dw.clear(); zkbj.clear();
        xj = kcjg = jfjs = Decimal();
    }
    m_ppgg->setText(ppgg);
    m_dw->setText(dw);
    m_zkbj->setText(zkbj);
    m_yjg->setText(xj.toPlain());
    m_cbjg->setText(kcjg.toPlain());
    m_jfjs->setText(jfjs.toPlain());
}

void TFtjxsd1::clearGoods()
{
    m_noGoodsLookup = true;
    m_txm->clear();
    m_noGoodsLookup = false;
    for (QLineEdit *e : {m_ppgg, m_dw, m_zkbj}) e->clear();
    for (QLineEdit *e : {m_yjg, m_cbjg, m_jfjs}) e->setText(QStringLiteral("0"));
}

bool TFtjxsd1::memberUsable()
{
    QString text;
    if (m_hymc->text().trimmed().isEmpty()) text = QStringLiteral("会员不可为空！");
    else if (m_ztbj->text() == unusable()) text = QStringLiteral("该会员卡不可用！");
    if (text.isEmpty()) return true;
    m_checkingMember = true;
    m_hybm->setFocus();
    msg::info(this, text);
    m_hybm->setFocus();
    m_checkingMember = false;
    return false;
}

saleline::Line TFtjxsd1::lineOf(const Dataset &ds)
{
    saleline::Line l;
    l.sl = ds.dec(QStringLiteral("sl"));
    l.yjg = ds.dec(QStringLiteral("yjg"));
    l.zk = ds.dec(QStringLiteral("zk"));
    l.zkbj = ds.text(QStringLiteral("zkbj"));
    l.jg = ds.dec(QStringLiteral("jg"));
    l.je = ds.dec(QStringLiteral("je"));
    l.jfjs = ds.dec(QStringLiteral("jfjs"));
    l.bcjf = ds.dec(QStringLiteral("bcjf"));
    l.cbjg = ds.dec(QStringLiteral("cbjg"));
    l.cbje = ds.dec(QStringLiteral("cbje"));
    l.maoli = ds.dec(QStringLiteral("maoli"));
    return l;
}

void TFtjxsd1::writeLine(Dataset &ds, const saleline::Line &l)
{
    // A saved line of a held slip is kept aside before its first change, so that closing the
    // window without holding brings it back as it was saved.
    if (slipMode() == sales::Mode::Change && ds.text(QStringLiteral("bj")) == QStringLiteral("yz")
        && sales::keepSavedLine(ds.connection(), ds.integer(QStringLiteral("id"))))
        ds.setValue(QStringLiteral("bj"), QStringLiteral("dz"));
    ds.setValue(QStringLiteral("sl"), v(l.sl));
    ds.setValue(QStringLiteral("zk"), v(l.zk));
    ds.setValue(QStringLiteral("jg"), v(l.jg));
    ds.setValue(QStringLiteral("je"), v(l.je));
    ds.setValue(QStringLiteral("bcjf"), v(l.bcjf));
    ds.setValue(QStringLiteral("cbje"), v(l.cbje));
    ds.setValue(QStringLiteral("maoli"), v(l.maoli));
    ds.post();
}

bool TFtjxsd1::addLine()
{
    if (!datasetsOpen()) return false;
    if (m_ppgg->text().isEmpty()) {
        msg::info(this, QStringLiteral("商品不可为空！"));
        m_txm->setFocus();
        return false;
    }
    const saleline::Line l = saleline::newLine(dec(m_yjg), dec(m_zk), m_zkbj->text(), dec(m_jfjs), dec(m_cbjg), m_dj->text());
    Dataset *ds = DM1->AQxsc1;
    const bool ok = guarded([&] {
        ds->append();
        ds->setValue(QStringLiteral("dh"), m_dh->text());
        ds->setValue(QStringLiteral("bj"), QStringLiteral("dz"));
        ds->setValue(QStringLiteral("txm"), m_txm->text());
        ds->setValue(QStringLiteral("ppgg"), m_ppgg->text());
        ds->setValue(QStringLiteral("dw"), m_dw->text());
        ds->setValue(QStringLiteral("zkbj"), l.zkbj);
        ds->setValue(QStringLiteral("sl"), v(l.sl));
        ds->setValue(QStringLiteral("yjg"), v(l.yjg));
        ds->setValue(QStringLiteral("zk"), v(l.zk));
        ds->setValue(QStringLiteral("jg"), v(l.jg));
        ds->setValue(QStringLiteral("je"), v(l.je));
        ds->setValue(QStringLiteral("jfjs"), v(l.jfjs));
        ds->setValue(QStringLiteral("bcjf"), v(l.bcjf));
        ds->setValue(QStringLiteral("cbjg"), v(l.cbjg));
        ds->setValue(QStringLiteral("cbje"), v(l.cbje));
        ds->setValue(QStringLiteral("maoli"), v(l.maoli));
        ds->post();
    });
    if (!ok) {
        ds->cancel();
        return false;
    }
    clearGoods();
    m_txm->setFocus();
    recomputeTotals();
    return true;
}

bool TFtjxsd1::addGoods(const Dataset &sp)
{
    m_noGoodsLookup = true;
    m_txm->setText(sp.text(QStringLiteral("txm")));
    m_noGoodsLookup = false;
    m_ppgg->setText(sp.text(QStringLiteral("ppgg")));
    m_dw->setText(sp.text(QStringLiteral("dw")));
    m_zkbj->setText(sp.text(QStringLiteral("ztbj")));
    m_yjg->setText(sp.dec(QStringLiteral("xj")).toPlain());
    m_cbjg->setText(sp.dec(QStringLiteral("kcjg")).toPlain());
    m_jfjs->setText(sp.dec(QStringLiteral("jfjs")).toPlain());
    return addLine();
}

void TFtjxsd1::recomputeTotals()
{
    Decimal sl, je, jf;
    Dataset *ds = DM1->AQxsc1;
    if (ds->isOpen()) {
        const int csl = ds->fieldIndex(QStringLiteral("sl")), cje = ds->fieldIndex(QStringLiteral("je")),
                  cjf = ds->fieldIndex(QStringLiteral("bcjf"));
        for (int r = 0; r < ds->recordCount(); ++r) {
            sl += ds->decAt(r, csl);
            je += ds->decAt(r, cje);
            jf += ds->decAt(r, cjf);
        }
    }
    m_e1->setText(sl.toPlain());
    m_e2->setText(je.toPlain());
    m_bcjf->setText(jf.toPlain());
}

void TFtjxsd1::deleteLine()
{
    if (!datasetsOpen()) return;
    Dataset *ds = DM1->AQxsc1;
    if (ds->isEmpty() || ds->recNo() < 0) {
        msg::warning(this, QStringLiteral("没有明细可删除！"));
        return;
    }
    if (!msg::confirm(this, QStringLiteral("确定要删除此明细么？"))) return;
    guarded([&] {
        if (slipMode() == sales::Mode::Change && ds->text(QStringLiteral("bj")) == QStringLiteral("yz")) {
            // A saved line of a held slip: marked, so that closing without holding restores it.
            ds->setValue(QStringLiteral("bj"), QStringLiteral("ds"));
            ds->post();
            showLines(QStringLiteral("and bj<>'ds'"));
        } else {
            // A line never saved goes at once (closing would otherwise add it to the held slip).
            ds->remove();
        }
    });
    recomputeTotals();
}

bool TFtjxsd1::checksBeforeSaving()
{
    if (!datasetsOpen()) return false;
    auto refuse = [this](const QString &text, QWidget *focus) {
        msg::info(this, text);
        if (focus) focus->setFocus();
        return false;
    };
    if (m_jsr->text().trimmed().isEmpty()) return refuse(QStringLiteral("业务员不可为空！"), m_jsr);
    if (m_hymc->text().trimmed().isEmpty()) return refuse(QStringLiteral("会员不可为空！"), m_hybm);
    if (m_ztbj->text() == unusable()) return refuse(QStringLiteral("该会员卡不可用！"), m_hybm);
    if (DM1->AQxsc1->isEmpty()) return refuse(QStringLiteral("明细不可为空！"), nullptr);
    return true;
}

// Empties the given header boxes (without re-pricing), the goods boxes and the totals.
void TFtjxsd1::clearSlipBoxes(std::initializer_list<QLineEdit *> boxes)
{
    m_noReprice = true;
    for (QLineEdit *e : boxes) e->clear();
    m_noReprice = false;
    clearGoods();
    m_zk->setText(QStringLiteral("1"));
    m_bcjf->setText(QStringLiteral("0"));
    m_zjf->setText(QStringLiteral("0"));
    recomputeTotals();
}

void TFtjxsd1::clearAfterSave()
{
    guarded([&] { showLines(QStringLiteral("and bj='dz'")); });
    clearSlipBoxes({m_hybm, m_hymc, m_ztbj, m_dj, m_dhdz});
    m_hybm->setFocus();
}

bool TFtjxsd1::holdSlip()
{
    if (!checksBeforeSaving()) return false;
    const sales::Mode mode = slipMode();
    if (!guarded([&] { sales::hold(DM1->ADOC1, slip(), mode, QDate::currentDate()); })) return false;
    if (mode == sales::Mode::Change) {
        newSlip();
        return true;
    }
    const auto next = sales::numberAfter(m_dh->text(), QDate::currentDate());
    if (!next) {
        msg::warning(this, docnumber::ceilingMessage());
        close();
        return true;
    }
    m_dh->setText(*next);
    clearAfterSave();
    return true;
}

void TFtjxsd1::checkout()
{
    if (!checksBeforeSaving()) return;
    TFzhaoling1 d(this);
    d.exec();
}

void TFtjxsd1::slipCheckedOut()
{
    if (slipMode() == sales::Mode::Change) {
        newSlip();
        return;
    }
    const auto next = sales::numberAfter(m_dh->text(), QDate::currentDate());
    if (next) m_dh->setText(*next);
    else msg::warning(this, docnumber::ceilingMessage());
    clearAfterSave();
}

void TFtjxsd1::leaveChangedSlip()
{
    // A held slip left without holding keeps what it had when it was held.
    if (slipMode() == sales::Mode::Change) guarded([&] { sales::discardChanges(DM1->ADOC1, m_dh->text()); });
}

void TFtjxsd1::takeUpHeld()
{
    TFxzxs1 d(this);
    d.exec();
}

void TFtjxsd1::loadHeld(const Dataset &h)
{
    leaveChangedSlip();
    setMode(true);
    m_dh->setText(h.text(QStringLiteral("dh")));
    m_rq->setDate(QDate::fromString(h.text(QStringLiteral("rq")), QStringLiteral("yyyy-MM-dd")));
    m_jsr->setText(h.text(QStringLiteral("jsr")));
    m_noReprice = true; // the held lines keep their stored prices and points
    m_hybm->setText(h.text(QStringLiteral("hybm")));
    m_noReprice = false;
    m_hymc->setText(h.text(QStringLiteral("hymc")));
    m_bcjf->setText(h.dec(QStringLiteral("bcjf")).toPlain());
    m_bz->setText(h.text(QStringLiteral("bz")));
    m_e1->setText(h.dec(QStringLiteral("hjsl")).toPlain());
    m_e2->setText(h.dec(QStringLiteral("hjje")).toPlain());
    guarded([&] { showLines(QStringLiteral("and bj='yz'")); });
    m_txm->setFocus();
}

void TFtjxsd1::changeLine(bool price)
{
    if (!datasetsOpen()) return;
    Dataset *ds = DM1->AQxsc1;
    if (ds->isEmpty() || ds->recNo() < 0) {
        msg::warning(this, QStringLiteral("没有明细可修改！"));
        return;
    }
    TFxgxsmx1 d(this, price);
    d.exec();
}

void TFtjxsd1::openEmployeeChooser()
{
    std::unique_ptr<QWidget> w(screens::create(QStringLiteral("TFyg2"), this));
    auto *c = qobject_cast<Chooser *>(w.get());
    if (!c) return;
    c->setMode(QStringLiteral("tjxs"), this);
    c->exec();
}

void TFtjxsd1::openMemberChooser()
{
    std::unique_ptr<QWidget> w(screens::create(QStringLiteral("TFkh2"), this));
    auto *c = qobject_cast<Chooser *>(w.get());
    if (!c) return;
    c->setMode(QStringLiteral("tjxs"), this);
    c->exec();
}

void TFtjxsd1::openGoodsChooser()
{
    if (!memberUsable()) return;
    if (m_goodsChooser) {
        if (!frame() || !frame()->activateIfOpen(m_goodsChooser)) {
            m_goodsChooser->show();
            m_goodsChooser->raise();
            m_goodsChooser->activateWindow();
        }
        return;
    }
    QWidget *w = screens::create(QStringLiteral("TFsp3"), this);
    if (!w) return;
    if (auto *c = qobject_cast<Chooser *>(w)) c->setMode(QStringLiteral("tjxs"), this);
    m_goodsChooser = w;
    if (frame()) frame()->showChild(w);
    else w->show();
}

void TFtjxsd1::closeEvent(QCloseEvent *e)
{
    // Whatever was neither held nor checked out is discarded.
    guarded([&] { sales::discardUnsaved(DM1->ADOC1); });
    if (m_goodsChooser) m_goodsChooser->close();
    qApp->removeEventFilter(this);
    QWidget::closeEvent(e);
}

// ---------------------------------------------------------------------------------------------

TFxzxs1::TFxzxs1(TFtjxsd1 *counter) : QDialog(counter), m_counter(counter)
{
    setObjectName(QStringLiteral("Fxzxs1"));
    setWindowTitle(QStringLiteral("选择挂单（未审销售单）"));
    auto *outer = new QVBoxLayout(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    auto col = [](const char *f, const char *t, int w, bool number = false) {
        GridColumn c;
        c.field = QLatin1String(f);
        c.title = QString::fromUtf8(t);
        c.width = w;
        if (number) c.align = Qt::AlignRight | Qt::AlignVCenter;
        return c;
    };
    GridModel *model = bindGrid(m_grid, DM1->AQxsz1,
                                {col("shbj", "审核", 60), col("dh", "单号", 130), col("rq", "销售日期", 90),
                                 col("hybm", "会员卡号", 90), col("hymc", "会员姓名", 90), col("hjsl", "销售数量", 70, true),
                                 col("hjje", "销售金额", 80, true), col("bcjf", "本次积分", 70, true), col("jsr", "业务员", 70)});
    grid::standardLook(m_grid);
    grid::enableTitleSort(m_grid, model);
    grid::onEnter(m_grid, [this] { choose(); });
    connect(m_grid, &QTableView::doubleClicked, this, [this] { choose(); });
    outer->addWidget(m_grid, 1);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("会员"), this));
    m_card = edit(this, "Edit1", false, QStringLiteral("会员卡号"));
    m_name = edit(this, "Edit2", false, QStringLiteral("会员姓名"));
    row->addWidget(m_card);
    row->addWidget(m_name);
    m_check = new QCheckBox(QStringLiteral("日期"), this);
    m_check->setObjectName(QStringLiteral("CheckBox1"));
    m_from = new QDateEdit(this);
    m_from->setObjectName(QStringLiteral("DateTimePicker1"));
    m_to = new QDateEdit(this);
    m_to->setObjectName(QStringLiteral("DateTimePicker2"));
    for (QDateEdit *d : {m_from, m_to}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    // The range stays ordered.
    connect(m_from, &QDateEdit::dateChanged, this, [this](const QDate &d) { if (d > m_to->date()) m_to->setDate(d); });
    connect(m_to, &QDateEdit::dateChanged, this, [this](const QDate &d) { if (d < m_from->date()) m_from->setDate(d); });
    row->addWidget(m_check);
    row->addWidget(m_from);
    row->addWidget(m_to);
    auto *cha = new QPushButton(QStringLiteral("查询"), this);
    cha->setObjectName(QStringLiteral("BitBtn1"));
    auto *xuan = new QPushButton(QStringLiteral("选择"), this);
    xuan->setObjectName(QStringLiteral("BitBtn2"));
    auto *guan = new QPushButton(QStringLiteral("关闭"), this);
    guan->setObjectName(QStringLiteral("BitBtn3"));
    for (QPushButton *b : {cha, xuan, guan}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    outer->addLayout(row);
    connect(cha, &QPushButton::clicked, this, [this] { runQuery(); });
    connect(xuan, &QPushButton::clicked, this, [this] { choose(); });
    connect(guan, &QPushButton::clicked, this, &QDialog::reject);
    auto *nav = new keys::EnterNavigator(this);
    nav->watchAll();
    nav->callOn(m_name, [this] { runQuery(); });
    if (counter) {
        m_card->setText(counter->box("hybm")->text());
        m_name->setText(counter->box("hymc")->text());
    }
    resize(820, 420);
}

void TFxzxs1::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    m_to->setDate(QDate::currentDate());
    m_from->setDate(QDate::currentDate().addMonths(-1));
    m_check->setChecked(false);
    runQuery();
}

bool TFxzxs1::runQuery()
{
    Filter f;
    f.like(QStringLiteral("hybm"), m_card->text());
    f.like(QStringLiteral("hymc"), m_name->text());
    if (m_check->isChecked()) f.dateRange(QStringLiteral("rq"), m_from->date(), m_to->date());
    f.equals(QStringLiteral("shbj"), sales::unaudited());
    const bool ok = guarded([&] { requery(*DM1->AQxsz1, QStringLiteral("SELECT * FROM xsglz"), f); });
    m_grid->setFocus();
    return ok;
}

bool TFxzxs1::choose()
{
    Dataset *ds = DM1->AQxsz1;
    if (!ds->isOpen() || ds->isEmpty() || ds->recNo() < 0) {
        msg::warning(this, QStringLiteral("没有单据可选择！"));
        return false;
    }
    if (m_counter) m_counter->loadHeld(*ds);
    accept();
    return true;
}

// ---------------------------------------------------------------------------------------------

TFxgxsmx1::TFxgxsmx1(TFtjxsd1 *counter, bool price) : QDialog(counter), m_counter(counter), m_price(price)
{
    setObjectName(QStringLiteral("Fxgxsmx1"));
    setWindowTitle(price ? QStringLiteral("修改销售单价") : QStringLiteral("修改销售数量"));
    m_mode = new QLabel(price ? QStringLiteral("xgjg") : QStringLiteral("xgsl"), this);
    m_mode->setObjectName(QStringLiteral("ST1"));
    m_mode->setHidden(true);
    auto *g = new QGridLayout(this);
    m_txm = edit(this, "Edit1", true);
    m_ppgg = edit(this, "Edit2", true);
    m_sl = edit(this, "Edit3");
    m_jg = edit(this, "Edit4");
    m_je = edit(this, "Edit5", true);
    m_je->setFocusPolicy(Qt::NoFocus);
    numbers::makeDecimalBox(m_sl, numbers::Sign::Signed);
    numbers::makeDecimalBox(m_jg);
    QLineEdit *fixed = price ? m_sl : m_jg;
    fixed->setReadOnly(true);
    fixed->setFocusPolicy(Qt::NoFocus);
    fixed->setStyleSheet(QStringLiteral("background: rgb(255, 251, 240);"));
    const char *labels[] = {"条码", "品名", "数量", "售价", "金额"};
    QLineEdit *boxes[] = {m_txm, m_ppgg, m_sl, m_jg, m_je};
    for (int i = 0; i < 5; ++i) {
        g->addWidget(new QLabel(QString::fromUtf8(labels[i]), this), i, 0);
        g->addWidget(boxes[i], i, 1);
    }
    g->addWidget(new QLabel(QStringLiteral("数量＜0：退货"), this), 2, 2);
    auto *save = new QPushButton(QStringLiteral("保存"), this);
    save->setObjectName(QStringLiteral("BitBtn1"));
    auto *back = new QPushButton(QStringLiteral("返回"), this);
    back->setObjectName(QStringLiteral("BitBtn2"));
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(save);
    row->addWidget(back);
    g->addLayout(row, 5, 0, 1, 3);
    connect(save, &QPushButton::clicked, this, [this] { this->save(); });
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    auto *nav = keys::installDialogKeys(this, nullptr, save, back);
    nav->pressOn(m_sl, save);
    nav->pressOn(m_jg, save);

    const Dataset *ds = DM1->AQxsc1;
    m_txm->setText(ds->text(QStringLiteral("txm")));
    m_ppgg->setText(ds->text(QStringLiteral("ppgg")));
    m_sl->setText(ds->dec(QStringLiteral("sl")).toPlain());
    m_jg->setText(ds->dec(QStringLiteral("jg")).toPlain());
    m_je->setText(ds->dec(QStringLiteral("je")).toPlain());
    numbers::zeroWhenEmptied(m_sl);
    numbers::zeroWhenEmptied(m_jg);
    connect(m_sl, &QLineEdit::textChanged, this, [this] { recompute(); });
    connect(m_jg, &QLineEdit::textChanged, this, [this] { recompute(); });
    (price ? m_jg : m_sl)->setFocus();
}

QString TFxgxsmx1::mode() const { return m_mode->text(); }

void TFxgxsmx1::recompute()
{
    if (m_sl->text() == QStringLiteral("-")) {
        m_je->setText(QStringLiteral("0"));
        return;
    }
    m_je->setText(Decimal::mul2(Decimal::parseOr(m_jg->text()), Decimal::parseOr(m_sl->text())).toFixed(2));
}

bool TFxgxsmx1::save()
{
    if (m_sl->text() == QStringLiteral("-") || m_sl->text() == QStringLiteral(".")) m_sl->setText(QStringLiteral("0"));
    numbers::roundBox(m_sl);
    numbers::roundBox(m_jg);
    numbers::roundBox(m_je);
    const Decimal sl = Decimal::parseOr(m_sl->text()), jg = Decimal::parseOr(m_jg->text());
    if (!m_price && sl.isZero()) {
        msg::info(this, QStringLiteral("数量不可为0！"));
        m_sl->setFocus();
        return false;
    }
    if (!m_counter) return false;
    Dataset *ds = DM1->AQxsc1;
    if (!ds->isOpen() || ds->recNo() < 0) return false;
    saleline::Line l = TFtjxsd1::lineOf(*ds);
    saleline::change(l, sl, jg, m_counter->memberLevel());
    const bool ok = guarded([&] {
        Connection::Transaction t(ds->connection());
        m_counter->writeLine(*ds, l);
        t.commit();
    });
    if (!ok) {
        ds->cancel();
        return false;
    }
    m_counter->recomputeTotals();
    accept();
    return true;
}
