#include "tmain1.h"
#include "dates.h"
#include "dm1.h"
#include "guard.h"
#include "schema.h"
#include "shell.h"
#include "tdaohang1.h"
#include "tgy1.h"
#include "tlikai1.h"
#include "ttjyh1.h"
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace {
enum class Act { Modal, Child, Lock, ChangePassword, Quit, Calculator, Document, Diagram, About, Separator };

struct MenuEntry {
    const char16_t *menu;  // top-level menu caption
    const char16_t *text;  // entry caption ("-" for a separator)
    const char *component; // N101 ...
    Act act;
    const char *screen;    // class of the screen it opens
    const char16_t *title; // title the caller gives the screen (empty: the screen's own)
};

const MenuEntry kMenu[] = {
    {u"系统", u"店铺信息", "N101", Act::Modal, "TFdanwei1", u"填写店铺信息"},
    {u"系统", u"操作员与权限", "N102", Act::Modal, "TFyhsz1", u"操作员设置"},
    {u"系统", u"-", "N103", Act::Separator, "", u""},
    {u"系统", u"清空数据库", "N104", Act::Modal, "TFqingkong1", u"数据清空（请先关闭其他窗口）"},
    {u"系统", u"备份数据库", "N105", Act::Modal, "TFbeifen1", u"数据备份（请先关闭其他窗口）"},
    {u"系统", u"恢复数据库", "N106", Act::Modal, "TFhuifu1", u"数据恢复（请先关闭其他窗口）"},
    {u"系统", u"压缩数据库", "N107", Act::Modal, "TFyasuo1", u"压缩数据（请先关闭其他窗口）"},
    {u"系统", u"-", "N108", Act::Separator, "", u""},
    {u"系统", u"暂时离开系统", "N109", Act::Lock, "TFlikai1", u""},
    {u"系统", u"更改我的密码", "N110", Act::ChangePassword, "TFtjyh1", u""},
    {u"系统", u"退出", "N111", Act::Quit, "", u""},
    {u"资料", u"商品资料", "N201", Act::Child, "TFsp1", u"商品资料"},
    {u"资料", u"厂商资料", "N202", Act::Child, "TFghs1", u"厂商资料"},
    {u"资料", u"会员资料", "N203", Act::Child, "TFkh1", u"会员资料"},
    {u"资料", u"员工资料", "N204", Act::Child, "TFyg1", u"员工资料"},
    {u"资料", u"-", "N205", Act::Separator, "", u""},
    {u"资料", u"赠品资料", "N206", Act::Child, "TFzp1", u"赠品资料"},
    {u"业务", u"采购", "N301", Act::Child, "TFcgfx1", u"采购明细表"},
    {u"业务", u"销售", "N302", Act::Child, "TFtjxsd1", u""},
    {u"业务", u"其他入库", "N303", Act::Child, "TFrkfx1", u"其他入库"},
    {u"业务", u"其他出库", "N304", Act::Child, "TFckfx1", u"其他出库"},
    {u"业务", u"-", "N305", Act::Separator, "", u""},
    {u"业务", u"积分兑换赠品", "N306", Act::Child, "TFduihuan1", u"积分兑换赠品"},
    {u"查询统计", u"销售单据", "N401", Act::Child, "TFxsgl1", u"销售出库单"},
    {u"查询统计", u"销售明细", "N402", Act::Child, "TFxsfx1", u"销售明细表"},
    {u"查询统计", u"销售统计", "N403", Act::Child, "TFxstj1", u"销售统计表"},
    {u"查询统计", u"员工提成", "N404", Act::Child, "TFxstj2", u"员工提成表"},
    {u"查询统计", u"-", "N405", Act::Separator, "", u""},
    {u"查询统计", u"采购统计", "N406", Act::Child, "TFcgtj1", u"采购统计表"},
    {u"查询统计", u"商品当前库存", "N407", Act::Child, "TFkcfx1", u"库存明细表"},
    {u"财务", u"采购应付（本店欠款）", "N701", Act::Child, "TFyffx1", u"采购应付（本店欠款）"},
    {u"财务", u"销售应收（顾客欠款）", "N702", Act::Child, "TFysfx1", u"销售应收（顾客欠款）"},
    {u"财务", u"采购付款（本店还款）", "N704", Act::Child, "TFfkfx1", u"采购付款（本店还款）"},
    {u"财务", u"销售收款（顾客还款）", "N705", Act::Child, "TFskfx1", u"销售收款（顾客还款）"},
    {u"财务", u"-", "N706", Act::Separator, "", u""},
    {u"财务", u"其他费用（收入支出）", "N707", Act::Child, "TFszfx1", u"其他收支"},
    {u"帮助", u"计算器", "N801", Act::Calculator, "", u""},
    {u"帮助", u"金额大小写转换", "N802", Act::Child, "TFntoc1", u"人民币大小写转换"},
    {u"帮助", u"-", "N803", Act::Separator, "", u""},
    {u"帮助", u"操作说明", "N804", Act::Document, "朗森软件操作说明书.doc", u""},
    {u"帮助", u"常见问题", "N805", Act::Document, "朗森软件功能问答.txt", u""},
    {u"帮助", u"显示业务导航图", "N806", Act::Diagram, "TFdaohang1", u""},
    {u"帮助", u"-", "N807", Act::Separator, "", u""},
    {u"帮助", u"关于本软件", "N810", Act::About, "TFgy1", u""},
};

// The entries each permission enables; "显示库存价格" sets the price flag instead.
struct Permission {
    const char16_t *name;
    std::initializer_list<const char *> entries;
};
const Permission kPermissions[] = {
    {u"用户权限", {"N102"}},
    {u"基本资料", {"N201", "N202", "N204"}},
    {u"会员管理", {"N203", "N206", "N306"}},
    {u"采购管理", {"N301", "N406"}},
    {u"销售管理", {"N302", "N401", "N402", "N403", "N404"}},
    {u"库存管理", {"N303", "N304"}},
    {u"显示库存价格", {}},
    {u"财务管理", {"N701", "N702", "N704", "N705", "N707"}},
    {u"数据清空", {"N104"}},
};

QString str(const char16_t *s) { return QString::fromUtf16(s); }
}

TFmain1::TFmain1(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Fmain1"));
    QString shop;
    guarded([&] { shop = DM1->danwei()->text(QStringLiteral("mczc")); });
    setWindowTitle(QStringLiteral("朗森柜台星通用行业版V2010") + QStringLiteral("　［使用单位：") + shop + QStringLiteral("］"));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MdiArea"));
    m_mdi->setBackground(QColor(128, 128, 128));
    setCentralWidget(m_mdi);
    STyhm = new QLabel(this);
    STyhm->setObjectName(QStringLiteral("STyhm"));
    STyhm->hide();
    STkcjg = new QLabel(QStringLiteral("不显价格"), this);
    STkcjg->setObjectName(QStringLiteral("STkcjg"));
    STkcjg->hide();
    buildMenu();

    QStatusBar *sb = statusBar();
    sb->setObjectName(QStringLiteral("StatusBar1"));
    sb->setSizeGripEnabled(false);
    const int widths[4] = {150, 400, 200, 100};
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        m_panels[i]->setFixedWidth(widths[i]);
        m_panels[i]->setAlignment(i == 3 ? (Qt::AlignRight | Qt::AlignVCenter) : Qt::AlignCenter);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        sb->addWidget(m_panels[i]);
    }
    m_panels[0]->setText(QStringLiteral("操作员："));
    m_panels[2]->setText(QStringLiteral("关注朗森网站，下载最新版本"));
    m_panels[3]->setText(QStringLiteral("祝您生意兴隆"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    auto tick = [this] { m_panels[1]->setText(QStringLiteral("现在时刻：") + dates::clockText(QDateTime::currentDateTime())); };
    connect(Timer1, &QTimer::timeout, this, tick);
    tick();
    Timer1->start();
    setFrame(this);
}

TFmain1::~TFmain1()
{
    if (frame() == this) setFrame(nullptr);
}

void TFmain1::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QHash<QString, QMenu *> menus;
    for (const MenuEntry &e : kMenu) {
        const QString menuName = str(e.menu);
        QMenu *menu = menus.value(menuName);
        if (!menu) {
            menu = bar->addMenu(menuName);
            menus.insert(menuName, menu);
        }
        const QString comp = QLatin1String(e.component);
        if (e.act == Act::Separator) {
            QAction *sep = menu->addSeparator();
            sep->setObjectName(comp);
            continue;
        }
        QAction *a = menu->addAction(str(e.text));
        a->setObjectName(comp);
        m_actions.insert(comp, a);
        const QString screen = QString::fromUtf8(e.screen);
        const QString title = str(e.title);
        switch (e.act) {
        case Act::Modal: connect(a, &QAction::triggered, this, [=, this] { openScreen(screen, title, false); }); break;
        case Act::Child: connect(a, &QAction::triggered, this, [=, this] { openScreen(screen, title, true); }); break;
        case Act::Lock: connect(a, &QAction::triggered, this, &TFmain1::lockScreen); break;
        case Act::ChangePassword: connect(a, &QAction::triggered, this, &TFmain1::changeMyPassword); break;
        case Act::Quit: connect(a, &QAction::triggered, this, &QWidget::close); break;
        case Act::Calculator: connect(a, &QAction::triggered, this, [] { shell::openCalculator(); }); break;
        case Act::Document: connect(a, &QAction::triggered, this, [screen] { shell::openDocument(screen); }); break;
        case Act::Diagram:
            a->setCheckable(true);
            connect(a, &QAction::triggered, this, [this] {
                openDiagram();
                m_actions.value(QStringLiteral("N806"))->setChecked(bool(m_diagram));
            });
            break;
        case Act::About:
            connect(a, &QAction::triggered, this, [this] {
                TFgy1 about(this);
                about.exec();
            });
            break;
        case Act::Separator: break;
        }
    }
    QAction *quit = bar->addAction(QStringLiteral("退出系统"));
    quit->setObjectName(QStringLiteral("N10"));
    m_actions.insert(QStringLiteral("N10"), quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

QString TFmain1::operatorName() const { return STyhm->text(); }
QString TFmain1::priceFlag() const { return STkcjg->text(); }

void TFmain1::runEntry(const QString &component)
{
    QAction *a = m_actions.value(component);
    if (a && a->isEnabled()) a->trigger();
}

void TFmain1::showChild(QWidget *w)
{
    QMdiSubWindow *sub = m_mdi->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // A screen that closes itself takes its frame with it.
    connect(w, &QObject::destroyed, sub, [sub] { sub->close(); });
    w->show();
    sub->show();
    m_mdi->setActiveSubWindow(sub);
}

bool TFmain1::activateIfOpen(QWidget *w)
{
    // The variable is cleared when its window is freed, so a window it still holds exists.
    if (!w) return false;
    QWidget *win = w;
    if (auto *sub = qobject_cast<QMdiSubWindow *>(w->parentWidget())) win = sub;
    if (win->isMinimized()) win->showNormal();
    else win->show();
    w->show();
    win->raise();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(win)) m_mdi->setActiveSubWindow(sub);
    win->activateWindow();
    w->setFocus();
    return true;
}

void TFmain1::openScreen(const QString &className, const QString &title, bool child)
{
    guarded([&] {
        if (child) {
            QPointer<QWidget> &var = m_children[className];
            if (activateIfOpen(var)) return;
            QWidget *w = screens::create(className, nullptr);
            if (!w) return; // the screen is not part of this build
            w->setAttribute(Qt::WA_DeleteOnClose);
            if (!title.isEmpty()) w->setWindowTitle(title);
            var = w;
            showChild(w);
            return;
        }
        QWidget *w = screens::create(className, this);
        if (!w) return;
        if (!title.isEmpty()) w->setWindowTitle(title);
        if (auto *d = qobject_cast<QDialog *>(w)) d->exec();
        else w->show();
        delete w;
    });
}

void TFmain1::openDiagram()
{
    if (activateIfOpen(m_diagram)) return;
    auto *d = new TFdaohang1([this](const QString &entry) { runEntry(entry); });
    m_diagram = d;
    QAction *check = m_actions.value(QStringLiteral("N806"));
    check->setChecked(true);
    connect(d, &QObject::destroyed, this, [check] { check->setChecked(false); });
    QMdiSubWindow *sub = m_mdi->addSubWindow(d, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                                     | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    connect(d, &QObject::destroyed, sub, [sub] { sub->close(); });
    d->show();
    sub->adjustSize();
    sub->show();
}

void TFmain1::applyLogin()
{
    if (m_loginApplied) return;
    m_loginApplied = true;
    guarded([this] {
        Dataset *u = DM1->AQyhsz1;
        if (u->isOpen() && u->recNo() >= 0) STyhm->setText(u->text(QStringLiteral("yhmc")));
        m_panels[0]->setText(QStringLiteral("操作员：") + STyhm->text());
        Dataset *q = DM1->AQquanxian1;
        for (const Permission &p : kPermissions) {
            q->clearSql();
            q->addSql(QStringLiteral("select * from quanxian where yh=:yh and qx=:qx"));
            q->bind(QStringLiteral(":yh"), STyhm->text());
            q->bind(QStringLiteral(":qx"), str(p.name));
            q->open();
            const bool granted = !q->eof();
            if (p.entries.size() == 0) STkcjg->setText(granted ? QStringLiteral("显示价格") : QStringLiteral("不显价格"));
            for (const char *e : p.entries) m_actions.value(QLatin1String(e))->setEnabled(granted);
        }
    });
}

void TFmain1::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    applyLogin();
}

void TFmain1::lockScreen()
{
    TFlikai1 lock(operatorName(), this);
    lock.exec();
}

void TFmain1::changeMyPassword()
{
    TFtjyh1 d(this);
    d.setMode(QStringLiteral("更改我的密码"), operatorName());
    d.exec();
}

void TFmain1::closeEvent(QCloseEvent *e)
{
    // Close the file first so that a backup can copy it; it reopens on the next query.
    DM1->ADOC1.close();
    if (!msg::confirm(this, QStringLiteral("确定要退出本系统吗？"))) {
        e->ignore();
        return;
    }
    if (msg::yesNo(this, QStringLiteral("退出时需要备份数据吗？"))) openScreen(QStringLiteral("TFbeifen1"), QStringLiteral("数据备份（请先关闭其他窗口）"), false);
    m_mdi->closeAllSubWindows();
    e->accept();
}
