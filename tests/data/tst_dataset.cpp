#include "gridmodel.h"
#include "password.h"
#include "schema.h"
#include "testsupport.h"
#include <QAbstractItemModelTester>
#include <QFile>
#include <QTableView>
#include <QTest>

class TstDataset : public QObject {
    Q_OBJECT

    static void addGoods(Connection &c, const QString &txm, const QString &ppgg, const char *sl)
    {
        c.exec(QStringLiteral("INSERT INTO sp (txm, lb, ppgg, dw, kcsl, ztbj) VALUES (?, '饮料', ?, '瓶', ?, '打折')"),
               {{{}, txm}, {{}, ppgg}, {{}, QVariant::fromValue(*Decimal::parse(QLatin1String(sl)))}});
    }

private Q_SLOTS:
    void newDatabaseSeed()
    {
        TempDb db;
        Connection &c = db.conn();
        QCOMPARE(c.scalar(QStringLiteral("select count(*) from danwei")).toInt(), 1);
        QCOMPARE(c.scalar(QStringLiteral("select count(*) from quanxian where yh=?"), {{{}, schema::adminName()}}).toInt(), 9);
        QCOMPARE(c.scalar(QStringLiteral("select zk from dj where dj='无卡顾客'")).toLongLong(), Decimal::Scale);
        QVERIFY(c.exists(QStringLiteral("select bm from kh where dj='无卡顾客'")));
        // The administrator's password is stored hashed, and the shipped one verifies.
        const QString stored = c.scalar(QStringLiteral("select yhmm from yhsz")).toString();
        QVERIFY(stored != schema::initialAdminPassword());
        QVERIFY(password::verify(stored, schema::initialAdminPassword()));
        QVERIFY(!password::verify(stored, schema::initialAdminPassword() + u' '));
        // Every table of the catalogue exists.
        for (const auto &t : schema::tables())
            QVERIFY2(c.exists(QStringLiteral("select 1 from sqlite_master where type='table' and name=?"),
                              {{{}, QLatin1String(t.name)}}), t.name);
    }

    void refusesForeignFiles()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("QTXData1.mdb"));
        TDM1 dm;
        QVERIFY(!dm.openDatabase(missing));
        QFile junk(missing);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("this is not a database at all, just some stray bytes\n");
        junk.close();
        QVERIFY(!dm.openDatabase(missing));
        QVERIFY(!dm.ADOC1.isOpen());
        // A valid SQLite file of another program is refused too.
        QFile::remove(missing);
        {
            Connection other;
            QVERIFY(!other.open(missing));
        }
        QVERIFY(!QFile::exists(missing) || QFile::remove(missing));
    }

    void sortCycleAndRequery()
    {
        TempDb db;
        addGoods(db.conn(), QStringLiteral("003"), QStringLiteral("乙"), "2");
        addGoods(db.conn(), QStringLiteral("001"), QStringLiteral("甲"), "10");
        addGoods(db.conn(), QStringLiteral("002"), QStringLiteral("丙"), "-1.5");
        Dataset *ds = db.dm()->AQsp1;
        QAbstractItemModelTester tester(ds, QAbstractItemModelTester::FailureReportingMode::QtTest);
        ds->clearSql();
        ds->addSql(QStringLiteral("SELECT * FROM sp"));
        ds->addSql(QStringLiteral("order by id"));
        ds->open();
        auto column = [&](const char *f) {
            QStringList out;
            for (int r = 0; r < ds->recordCount(); ++r) out << ds->textAt(r, ds->fieldIndex(QLatin1String(f)));
            return out.join(u',');
        };
        QCOMPARE(column("txm"), QStringLiteral("003,001,002"));
        ds->setSort(QStringLiteral("kcsl ASC"));
        QCOMPARE(column("kcsl"), QStringLiteral("-1.5,2,10")); // numbers by value, not by text
        ds->setSort(QStringLiteral("kcsl DESC"));
        QCOMPARE(column("kcsl"), QStringLiteral("10,2,-1.5"));
        ds->setSort(QStringLiteral("txm ASC"));
        QCOMPARE(column("txm"), QStringLiteral("001,002,003"));
        ds->open(); // re-query drops the sort
        QCOMPARE(ds->sort(), QString());
        QCOMPARE(column("txm"), QStringLiteral("003,001,002"));
    }

    void positionedEditDeleteAndQuotes()
    {
        TempDb db;
        Dataset *ds = db.dm()->AQghs1;
        ds->setSql(QStringLiteral("select * from ghs order by id"));
        ds->open();
        const QString quoted = QStringLiteral("O'Brien's 商行");
        for (const QString &name : {QStringLiteral("甲厂"), quoted, QStringLiteral("丙厂")}) {
            ds->append();
            ds->setValue(QStringLiteral("mc"), name);
            ds->post();
        }
        QCOMPARE(ds->recordCount(), 3);
        QCOMPARE(ds->text(QStringLiteral("mc")), QStringLiteral("丙厂")); // the new record is current
        // A quote is a value like any other: lookup, like-search and update.
        QVERIFY(db.conn().exists(QStringLiteral("select mc from ghs where mc=:mc"), {{QStringLiteral(":mc"), quoted}}));
        ds->clearSql();
        ds->addSql(QStringLiteral("select * from ghs where mc like :p order by id"));
        ds->bind(QStringLiteral(":p"), QStringLiteral("%'Brien%"));
        ds->open();
        QCOMPARE(ds->recordCount(), 1);
        ds->edit();
        ds->setValue(QStringLiteral("lxr"), QStringLiteral("a'b"));
        ds->post();
        QCOMPARE(db.conn().scalar(QStringLiteral("select lxr from ghs where mc=?"), {{{}, quoted}}).toString(), QStringLiteral("a'b"));
        // Delete the current record of a sorted result: the right row goes.
        ds->setSql(QStringLiteral("select * from ghs order by id"));
        ds->open();
        ds->setSort(QStringLiteral("mc DESC"));
        ds->moveTo(1);
        const QString victim = ds->text(QStringLiteral("mc"));
        ds->remove();
        QCOMPARE(ds->recordCount(), 2);
        QVERIFY(!db.conn().exists(QStringLiteral("select 1 from ghs where mc=?"), {{{}, victim}}));
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from ghs")).toInt(), 2);
    }

    void numberFieldsAndErrors()
    {
        TempDb db;
        Dataset *ds = db.dm()->AQyg1;
        QVERIFY_THROWS_EXCEPTION(DbError, ds->text(QStringLiteral("xm"))); // closed
        ds->setSql(QStringLiteral("select * from yg"));
        ds->open();
        QVERIFY(ds->eof());
        ds->append();
        ds->setValue(QStringLiteral("xm"), QStringLiteral("张三"));
        ds->setValue(QStringLiteral("jbgz"), QStringLiteral("1500.505"));
        QVERIFY_THROWS_EXCEPTION(DbError, ds->setValue(QStringLiteral("jbgz"), QStringLiteral("12a")));
        ds->post();
        QCOMPARE(ds->dec(QStringLiteral("jbgz")).toFixed(4), QStringLiteral("1500.5050"));
        QCOMPARE(db.conn().scalar(QStringLiteral("select jbgz from yg")).toLongLong(), qint64(15005050));
        // Sums over decimal columns stay exact and come back as decimals.
        Dataset *t = db.dm()->AQxstj2;
        t->setSql(QStringLiteral("select sum(jbgz) as sltc from yg"));
        t->open();
        QCOMPARE(t->text(QStringLiteral("sltc")), QStringLiteral("1500.505"));
        // An engine error is thrown, not swallowed.
        ds->setSql(QStringLiteral("select * from nosuchtable"));
        QVERIFY_THROWS_EXCEPTION(DbError, ds->open());
    }

    void twoGridsFollowOneCurrentRecord()
    {
        TempDb db;
        for (int i = 0; i < 5; ++i) addGoods(db.conn(), QString::number(i), QStringLiteral("品%1").arg(i), "1");
        Dataset *ds = db.dm()->AQsp1;
        ds->setSql(QStringLiteral("select * from sp order by id"));
        ds->open();
        QTableView a, b;
        GridColumn txm, ppgg, kcsl;
        txm.field = QStringLiteral("txm");
        ppgg.field = QStringLiteral("ppgg");
        kcsl.field = QStringLiteral("kcsl");
        kcsl.tint = moneyTint();
        kcsl.decimals = 2;
        GridModel *ma = bindGrid(&a, ds, {txm});
        GridModel *mb = bindGrid(&b, ds, {ppgg, kcsl});
        QCOMPARE(ma->columnCount(), 1);
        QCOMPARE(mb->cellText(0, 1), QStringLiteral("1.00"));
        ds->moveTo(3);
        QCOMPARE(a.currentIndex().row(), 3);
        QCOMPARE(b.currentIndex().row(), 3);
        b.setCurrentIndex(mb->index(1, 0));
        QCOMPARE(ds->recNo(), 1);
        QCOMPARE(a.currentIndex().row(), 1);
        ds->setSql(QStringLiteral("select * from sp where txm=:t"));
        ds->bind(QStringLiteral(":t"), QStringLiteral("4"));
        ds->open();
        QCOMPARE(ma->rowCount(), 1);
        QCOMPARE(mb->rowCount(), 1);
        QCOMPARE(ma->cellText(0, 0), QStringLiteral("4"));
    }

    void connectionReopensAfterClose()
    {
        TempDb db;
        db.dm()->AQyhsz1->setSql(QStringLiteral("select * from yhsz"));
        db.dm()->AQyhsz1->open();
        db.conn().close();
        QVERIFY(!db.dm()->AQyhsz1->isOpen());
        QVERIFY(!db.dm()->ATdanwei1->isOpen());
        db.dm()->AQyhsz1->open(); // the next operation reopens the connection
        QVERIFY(db.conn().isOpen());
        QCOMPARE(db.dm()->AQyhsz1->recordCount(), 1);
        QCOMPARE(db.dm()->danwei()->text(QStringLiteral("dy")), QStringLiteral("同时打印小票"));
    }

    void transactionRollsBackOnFailure()
    {
        TempDb db;
        Connection &c = db.conn();
        c.failNextStatementContaining(QStringLiteral("INSERT INTO lb"));
        try {
            Connection::Transaction t(c);
            c.exec(QStringLiteral("INSERT INTO dw (dw) VALUES ('箱')"));
            c.exec(QStringLiteral("INSERT INTO lb (lb) VALUES ('饮料')"));
            t.commit();
            QFAIL("the injected failure did not happen");
        } catch (const DbError &) {
        }
        QVERIFY(!c.exists(QStringLiteral("select 1 from dw")));
        QVERIFY(!c.inTransaction());
    }
};

QTEST_MAIN(TstDataset)
#include "tst_dataset.moc"
