#include "application.h"
#include "password.h"
#include "registerall.h"
#include "schema.h"
#include "startup.h"
#include "tdaohang1.h"
#include "tdl1.h"
#include "testsupport.h"
#include "tlikai1.h"
#include "tmain1.h"
#include "ttjyh1.h"
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

// A child screen for the frame tests, registered under a class name the menu uses.
class TFsp1 : public QWidget {
public:
    TFsp1() { setObjectName(QStringLiteral("Fsp1")); }
};

class TstFrame : public QObject {
    Q_OBJECT

    // Logs in as the operator: the login leaves AQyhsz1 on the operator's record.
    static void loginAs(TDM1 *dm, const QString &name)
    {
        dm->AQyhsz1->setSql(QStringLiteral("select * from yhsz where yhmc=:n"));
        dm->AQyhsz1->bind(QStringLiteral(":n"), name);
        dm->AQyhsz1->open();
    }
    static void addOperator(TempDb &db, const QString &name, const QString &pw)
    {
        db.conn().exec(QStringLiteral("insert into yhsz (yhmc, yhmm) values (?, ?)"), {{{}, name}, {{}, password::hash(pw)}});
    }

private Q_SLOTS:
    void initTestCase()
    {
        app::registerAllScreens();
        screens::add(QStringLiteral("TFsp1"), [](QWidget *) { return new TFsp1; }, true);
        app::setEndProgramHandler([this] { ++m_ended; });
    }

    void loginMessages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("no name") << "" << "" << "请选择用户名称！" << false;
        QTest::newRow("unknown operator") << "无此人" << "" << "该用户不存在！" << false;
        QTest::newRow("wrong password") << "系统管理员" << "8889" << "用户密码不正确！" << false;
        QTest::newRow("blank counts") << "系统管理员" << "8888 " << "用户密码不正确！" << false;
        QTest::newRow("right password") << "系统管理员" << "8888" << "" << true;
        QTest::newRow("quote in a name") << "O'Neil" << "x" << "" << true;
    }
    void loginMessages()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(bool, accepted);
        TempDb db;
        addOperator(db, QStringLiteral("O'Neil"), QStringLiteral("x"));
        MessageRecorder rec;
        TFdl1 d;
        d.show();
        auto *combo = child<QComboBox>(&d, "ComboBox1");
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->currentIndex(), -1);
        // Operators who do not exist cannot be chosen from the list; put them in as a stale entry would be.
        if (!name.isEmpty() && combo->findText(name) < 0) combo->addItem(name);
        combo->setCurrentIndex(combo->findText(name));
        child<QLineEdit>(&d, "Edit1")->setText(password);
        child<QLineEdit>(&d, "Edit1")->setFocus();
        QTest::keyClick(child<QLineEdit>(&d, "Edit1"), Qt::Key_Return); // Enter presses "确定"
        QCOMPARE(rec.lastText(), message);
        if (!message.isEmpty()) QCOMPARE(rec.messages.back().title, QStringLiteral("提示"));
        QCOMPARE(d.result() == QDialog::Accepted, accepted);
        if (accepted) QCOMPARE(db.dm()->AQyhsz1->text(QStringLiteral("yhmc")), name);
        else QCOMPARE(child<QLineEdit>(&d, "Edit1")->text(), password); // nothing cleared
    }

    void loginEscCancelsAndCloseIsSwallowed()
    {
        TempDb db;
        TFdl1 d;
        d.show();
        d.close(); // Alt+F4 or the window manager's close
        QVERIFY(d.isVisible());
        QTest::keyClick(&d, Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void permissionsGateTheMenu()
    {
        TempDb db;
        addOperator(db, QStringLiteral("收银员"), QString());
        db.conn().exec(QStringLiteral("insert into quanxian (yh, qx) values ('收银员', '销售管理')"));
        loginAs(db.dm(), QStringLiteral("收银员"));
        TFmain1 w;
        w.applyLogin();
        QCOMPARE(w.operatorName(), QStringLiteral("收银员"));
        QCOMPARE(w.priceFlag(), QStringLiteral("不显价格"));
        QCOMPARE(child<QLabel>(&w, "Panel0")->text(), QStringLiteral("操作员：收银员"));
        const QStringList gated = {"N102", "N201", "N202", "N204", "N203", "N206", "N306", "N301", "N406",
                                   "N303", "N304", "N701", "N702", "N704", "N705", "N707", "N104"};
        for (const QString &n : gated) QVERIFY2(!w.entry(n)->isEnabled(), qPrintable(n));
        for (const char *n : {"N302", "N401", "N402", "N403", "N404"}) QVERIFY(w.entry(QLatin1String(n))->isEnabled());
        for (const char *n : {"N101", "N105", "N106", "N107", "N109", "N110", "N111", "N407", "N801", "N802",
                              "N804", "N805", "N806", "N810", "N10"})
            QVERIFY2(w.entry(QLatin1String(n))->isEnabled(), n);
        // The administrator holds everything, the price flag too.
        loginAs(db.dm(), schema::adminName());
        TFmain1 admin;
        admin.applyLogin();
        QCOMPARE(admin.priceFlag(), QStringLiteral("显示价格"));
        for (const QString &n : gated) QVERIFY(admin.entry(n)->isEnabled());
    }

    void menuOrderAndTitle()
    {
        TempDb db;
        db.conn().exec(QStringLiteral("update danwei set mczc=?"), {{{}, QStringLiteral(" 好又多 ")}});
        db.dm()->ATdanwei1->open();
        TFmain1 w;
        QCOMPARE(w.windowTitle(), QStringLiteral("朗森柜台星通用行业版V2010　［使用单位： 好又多 ］"));
        QStringList tops;
        for (QAction *a : w.menuBar()->actions()) tops << a->text();
        QCOMPARE(tops, QStringList({"系统", "资料", "业务", "查询统计", "财务", "帮助", "退出系统"}));
        QStringList help;
        for (QAction *a : w.menuBar()->actions()[5]->menu()->actions()) help << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(help, QStringList({"计算器", "金额大小写转换", "-", "操作说明", "常见问题", "显示业务导航图", "-", "关于本软件"}));
        QVERIFY(child<QLabel>(&w, "Panel1")->text().startsWith(QStringLiteral("现在时刻：")));
        QVERIFY(child<QLabel>(&w, "Panel1")->text().contains(QStringLiteral("星期")));
    }

    void shopInformationFromTheMenu()
    {
        TempDb db;
        loginAs(db.dm(), schema::adminName());
        TFmain1 w;
        w.applyLogin();
        QString title;
        ModalDriver driver("TFdanwei1", [&](QWidget *d) {
            title = d->windowTitle();
            static_cast<QDialog *>(d)->reject();
        });
        w.runEntry(QStringLiteral("N101"));
        QVERIFY(driver.acted());
        QCOMPARE(title, QStringLiteral("填写店铺信息"));
    }

    void activateIfOpenRestoresMinimised()
    {
        TempDb db;
        loginAs(db.dm(), schema::adminName());
        TFmain1 w;
        w.applyLogin();
        w.resize(1000, 700);
        w.show();
        w.runEntry(QStringLiteral("N201"));
        QPointer<QWidget> first = w.openChild(QStringLiteral("TFsp1"));
        QVERIFY(first);
        QCOMPARE(first->windowTitle(), QStringLiteral("商品资料"));
        auto *sub = qobject_cast<QMdiSubWindow *>(first->parentWidget());
        QVERIFY(sub);
        sub->showMinimized();
        QVERIFY(sub->isMinimized());
        w.runEntry(QStringLiteral("N201"));
        QCOMPARE(w.openChild(QStringLiteral("TFsp1")), first.data()); // no second window
        QVERIFY(!sub->isMinimized());
        QCOMPARE(w.mdiArea()->subWindowList().size(), 1);
        // Closed, the variable clears and the menu creates a new one.
        first->close();
        delete first.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.openChild(QStringLiteral("TFsp1")));
        w.runEntry(QStringLiteral("N201"));
        QVERIFY(w.openChild(QStringLiteral("TFsp1")));
    }

    void diagramRunsOnlyEnabledEntries()
    {
        TempDb db;
        addOperator(db, QStringLiteral("收银员"), QString());
        loginAs(db.dm(), QStringLiteral("收银员"));
        TFmain1 w;
        w.applyLogin();
        w.show();
        w.openDiagram();
        QVERIFY(w.entry(QStringLiteral("N806"))->isChecked());
        auto *diagram = w.findChild<TFdaohang1 *>();
        QVERIFY(diagram);
        NavText *goods = diagram->text(QStringLiteral("○商品"));
        QVERIFY(goods);
        QCOMPARE(goods->pos(), QPoint(490, 408));
        QTest::mouseClick(goods, Qt::LeftButton);
        QVERIFY(!w.openChild(QStringLiteral("TFsp1"))); // "基本资料" not granted
        db.conn().exec(QStringLiteral("insert into quanxian (yh, qx) values ('收银员', '基本资料')"));
        loginAs(db.dm(), QStringLiteral("收银员"));
        TFmain1 w2;
        w2.applyLogin();
        w2.openDiagram();
        QTest::mouseClick(w2.findChild<TFdaohang1 *>()->text(QStringLiteral("○商品")), Qt::LeftButton);
        QVERIFY(w2.openChild(QStringLiteral("TFsp1")));
        w2.findChild<TFdaohang1 *>()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w2.entry(QStringLiteral("N806"))->isChecked());
    }

    void lockScreen()
    {
        TempDb db;
        MessageRecorder rec;
        TFlikai1 lock(schema::adminName());
        lock.show();
        child<QLineEdit>(&lock, "Edit2")->setText(QStringLiteral("wrong"));
        QTest::keyClick(child<QLineEdit>(&lock, "Edit2"), Qt::Key_Return);
        QCOMPARE(rec.lastText(), QStringLiteral("密码错误，不可解锁！"));
        QVERIFY(lock.isVisible());
        QTest::keyClick(&lock, Qt::Key_Escape); // Esc does not unlock
        QVERIFY(lock.isVisible());
        child<QLineEdit>(&lock, "Edit2")->setText(schema::initialAdminPassword());
        child<QPushButton>(&lock, "BitBtn1")->click();
        QCOMPARE(lock.result(), int(QDialog::Accepted));
        // "取消" ends the program without asking anything.
        rec.clear();
        const int before = m_ended;
        TFlikai1 lock2(schema::adminName());
        lock2.show();
        child<QPushButton>(&lock2, "BitBtn2")->click();
        QCOMPARE(m_ended, before + 1);
        QVERIFY(rec.messages.empty());
    }

    void changeMyPassword()
    {
        TempDb db;
        MessageRecorder rec;
        TFtjyh1 d;
        d.setMode(QStringLiteral("更改我的密码"), schema::adminName());
        QCOMPARE(d.windowTitle(), QStringLiteral("更改我的密码"));
        QCOMPARE(child<QLabel>(&d, "ST3")->text(), QStringLiteral("原设密码"));
        QCOMPARE(child<QLabel>(&d, "ST4")->text(), QStringLiteral("新设密码"));
        QVERIFY(child<QLineEdit>(&d, "Edit1")->isReadOnly());
        child<QLineEdit>(&d, "Edit2")->setText(QStringLiteral("nope"));
        child<QLineEdit>(&d, "Edit3")->setText(QStringLiteral("new"));
        child<QPushButton>(&d, "BitBtn1")->click();
        QCOMPARE(rec.lastText(), QStringLiteral("原密码录入错误！"));
        auto stored = [&] { return db.conn().scalar(QStringLiteral("select yhmm from yhsz where yhmc=?"), {{{}, schema::adminName()}}).toString(); };
        QVERIFY(password::verify(stored(), schema::initialAdminPassword()));
        child<QLineEdit>(&d, "Edit2")->setText(schema::initialAdminPassword());
        child<QLineEdit>(&d, "Edit3")->setText(QString()); // an empty new password is allowed
        child<QPushButton>(&d, "BitBtn1")->click();
        QCOMPARE(rec.lastText(), QStringLiteral("密码更改成功！"));
        QVERIFY(password::verify(stored(), QString()));
        QVERIFY(!stored().isEmpty()); // a hash, never the text
        // Esc closes without saving.
        TFtjyh1 again;
        again.setMode(QStringLiteral("更改我的密码"), schema::adminName());
        again.show();
        again.findChild<QLineEdit *>(QStringLiteral("Edit3"))->setText(QStringLiteral("other"));
        QTest::keyClick(again.findChild<QLineEdit *>(QStringLiteral("Edit2")), Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QVERIFY(password::verify(stored(), QString()));
    }

    void cancelQuitThenReopen()
    {
        TempDb db;
        loginAs(db.dm(), schema::adminName());
        MessageRecorder rec;
        rec.answer(msg::Answer::Cancel);
        TFmain1 w;
        w.show();
        w.close();
        QVERIFY(w.isVisible());
        QCOMPARE(rec.texts(), QStringList{QStringLiteral("确定要退出本系统吗？")});
        QVERIFY(!db.conn().isOpen());
        db.dm()->AQsp1->open(); // the next query reopens the connection
        QVERIFY(db.conn().isOpen());
        rec.clear();
        rec.answer(msg::Answer::Ok);
        rec.answer(msg::Answer::No);
        w.close();
        QVERIFY(!w.isVisible());
        QCOMPARE(rec.texts(), QStringList({QStringLiteral("确定要退出本系统吗？"), QStringLiteral("退出时需要备份数据吗？")}));
    }

    void startupFindsDatabaseBesideExecutable()
    {
        // The real program, copied to a folder of its own and started from another directory.
        const QString exe = QStringLiteral(CS_EXECUTABLE);
        QVERIFY(QFile::exists(exe));
        QTemporaryDir progDir, otherDir;
        const QString copy = QDir(progDir.path()).filePath(QStringLiteral("counterstar"));
        QVERIFY(QFile::copy(exe, copy));
        QFile::setPermissions(copy, QFile::permissions(exe));
        const QString log = QDir(otherDir.path()).filePath(QStringLiteral("log.txt"));
        auto start = [&] {
            QFile::remove(log);
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("CS_AUTOMATION_LOG"), log);
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            p.setProcessEnvironment(env);
            p.setWorkingDirectory(otherDir.path());
            p.start(copy, {});
            p.waitForFinished(30000);
            QFile f(log);
            f.open(QIODevice::ReadOnly);
            return qMakePair(p.exitCode(), QString::fromUtf8(f.readAll()));
        };
        // No database beside it: the fatal message, no login.
        auto [code, text] = start();
        QVERIFY(code != 0);
        QCOMPARE(text.trimmed(), QStringLiteral("错误|数据库文件丢失，软件无法运行，请重新复制本软件！"));
        // A stray file of that name is refused the same way.
        {
            QFile junk(QDir(progDir.path()).filePath(QStringLiteral("QTXData1.mdb")));
            QVERIFY(junk.open(QIODevice::WriteOnly));
            junk.write(QByteArray(4096, 'x'));
        }
        std::tie(code, text) = start();
        QCOMPARE(text.trimmed(), QStringLiteral("错误|数据库文件丢失，软件无法运行，请重新复制本软件！"));
        // With its database it reaches the login, whatever the working directory.
        QFile::remove(QDir(progDir.path()).filePath(QStringLiteral("QTXData1.mdb")));
        QVERIFY(createDatabase(QDir(progDir.path()).filePath(QStringLiteral("QTXData1.mdb"))));
        QVERIFY(createDatabase(QDir(otherDir.path()).filePath(QStringLiteral("decoy.mdb"))));
        std::tie(code, text) = start();
        QCOMPARE(code, 0);
        QVERIFY2(text.startsWith(QStringLiteral("login|登录系统|系统管理员")), qPrintable(text));
    }

private:
    int m_ended = 0;
};

QTEST_MAIN(TstFrame)
#include "tst_frame.moc"
