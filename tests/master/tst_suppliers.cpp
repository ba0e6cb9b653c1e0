// Suppliers: the list, its dialog, its query and the supplier chooser.
#include "frame.h"
#include "masterscreens.h"
#include "reportforms.h"
#include "selection.h"
#include "testsupport.h"
#include "tghs1.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {
void addSupplier(Connection &c, const QString &mc, const QString &lxr, const QString &lxdz = {}, const QString &lxdh = {})
{
    c.exec(QStringLiteral("INSERT INTO ghs (mc, lxr, lxdh, lxdz, lxcz, yb, yhmc, yhzh, bz) VALUES (?, ?, ?, ?, '', '', '', '', '')"),
           {{{}, mc}, {{}, lxr}, {{}, lxdh}, {{}, lxdz}});
}

void suppliers(Connection &c)
{
    addSupplier(c, QStringLiteral("华联食品"), QStringLiteral("王建国"), QStringLiteral("北京市朝阳区"), QStringLiteral("010-1234"));
    addSupplier(c, QStringLiteral("康师傅"), QStringLiteral("李建华"), QStringLiteral("天津市"), QStringLiteral("022-5678"));
    addSupplier(c, QStringLiteral("O'Brien Ltd"), QStringLiteral("Tom"), QStringLiteral("上海市"));
    // A row without a name (written outside the dialog) is not a supplier the queries list.
    c.exec(QStringLiteral("INSERT INTO ghs (lxr) VALUES ('王五')"));
}

int count(Connection &c) { return c.scalar(QStringLiteral("select count(*) from ghs")).toInt(); }

QStringList names(Dataset *ds)
{
    QStringList out;
    const int c = ds->fieldIndex(QStringLiteral("mc"));
    for (int r = 0; ds->isOpen() && r < ds->recordCount(); ++r) out << ds->textAt(r, c);
    return out;
}

QLineEdit *box(QWidget *d, const char *name) { return child<QLineEdit>(d, name); }
}

class TstSuppliers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { registerMasterScreens(); }

    void supplierList()
    {
        TempDb db;
        suppliers(db.conn());
        MessageRecorder rec;
        QVERIFY(screens::isChild(QStringLiteral("TFghs1")));
        QPointer<QWidget> w = screens::create(QStringLiteral("TFghs1"), nullptr);
        auto *list = qobject_cast<TFghs1 *>(w.data());
        QVERIFY(list);
        list->show();
        QCOMPARE(list->windowTitle(), QStringLiteral("厂商资料"));
        QCOMPARE(list->panel(1), QStringLiteral("4"));
        QStringList titles;
        for (int c = 0; c < list->model()->columnCount(); ++c) titles << list->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, QStringList({"名称", "联系人", "联系方式", "传真号码", "联系地址", "邮政编码", "开户银行", "银行帐号", "备注"}));
        // "删除" asks first; the list counts again.
        DM1->AQghs1->moveTo(1);
        rec.answer(msg::Answer::Cancel);
        list->run(ListAction::Delete);
        QCOMPARE(count(db.conn()), 4);
        list->run(ListAction::Delete);
        QCOMPARE(rec.texts(), QStringList({"确定要删除此厂商么？", "确定要删除此厂商么？"}));
        QCOMPARE(count(db.conn()), 3);
        QCOMPARE(list->panel(1), QStringLiteral("3"));
        // "打印": the supplier list, previewed.
        ModalDriver preview("TFdyPreview1", [](QWidget *p) { static_cast<QDialog *>(p)->reject(); });
        list->run(ListAction::Print);
        QVERIFY(preview.acted());
        QVERIFY(reportForm(QStringLiteral("TFdyghs1"))->text(QStringLiteral("QRLdw")).endsWith(QStringLiteral("厂商信息表")));
        // "新增" needs the list open.
        rec.clear();
        DM1->AQghs1->close();
        bool opened = false;
        ModalDriver drv("TFtjghs1", [&](QWidget *d) {
            opened = true;
            static_cast<QDialog *>(d)->reject();
        }, 500);
        list->run(ListAction::Add);
        list->run(ListAction::Import);
        QCOMPARE(rec.texts(), QStringList({"数据表未打开，请先查询！", "数据表未打开，请先查询！"}));
        QVERIFY(!opened);
        list->close();
        QTRY_VERIFY(w.isNull());
    }

    void addAndChange()
    {
        TempDb db;
        suppliers(db.conn());
        MessageRecorder rec;
        TFghs1 list;
        list.show();
        ModalDriver add("TFtjghs1", [&](QWidget *dw) {
            auto *d = static_cast<TFtjghs1 *>(dw);
            QCOMPARE(d->windowTitle(), QStringLiteral("新增厂商资料"));
            QCOMPARE(QApplication::focusWidget(), box(d, "Edit1"));
            bool note = false;
            for (QLabel *l : d->findChildren<QLabel *>()) note = note || l->text() == QStringLiteral("带＊为必填项");
            QVERIFY(note);
            d->save();
            box(d, "Edit1")->setText(QStringLiteral(" 康师傅 "));
            d->save();
            QCOMPARE(rec.texts(), QStringList({"名称不可为空！", "厂商不可重复！"}));
            QCOMPARE(count(db.conn()), 4);
            // The postcode box takes digits only, whatever is typed.
            box(d, "Edit1")->setText(QStringLiteral("  统一企业 "));
            box(d, "Edit2")->setText(QStringLiteral(" 赵 "));
            box(d, "Edit6")->setFocus();
            QTest::keyClicks(box(d, "Edit6"), QStringLiteral("10a0-8. 5X/"));
            QCOMPARE(box(d, "Edit6")->text(), QStringLiteral("10085"));
            box(d, "Edit9")->setFocus();
            QTest::keyClick(box(d, "Edit9"), Qt::Key_Return); // Enter in the remark saves
            QVERIFY(d->isVisible());
            for (const char *n : {"Edit1", "Edit2", "Edit6"}) QVERIFY(box(d, n)->text().isEmpty());
            QCOMPARE(QApplication::focusWidget(), box(d, "Edit1"));
            QTest::keyClick(box(d, "Edit1"), Qt::Key_Escape);
        });
        list.run(ListAction::Add);
        QVERIFY(add.acted());
        const Bindings who{{{}, QStringLiteral("统一企业")}};
        QCOMPARE(db.conn().scalar(QStringLiteral("select lxr from ghs where mc=?"), who).toString(), QStringLiteral("赵"));
        QCOMPARE(db.conn().scalar(QStringLiteral("select yb from ghs where mc=?"), who).toString(), QStringLiteral("10085"));
        QCOMPARE(list.panel(1), QStringLiteral("5"));
        // Renaming to a name that is taken is accepted in mode "修改".
        rec.clear();
        DM1->AQghs1->moveTo(1);
        ModalDriver change("TFtjghs1", [&](QWidget *dw) {
            auto *d = static_cast<TFtjghs1 *>(dw);
            QCOMPARE(d->windowTitle(), QStringLiteral("修改厂商资料"));
            QCOMPARE(box(d, "Edit1")->text(), QStringLiteral("康师傅"));
            QCOMPARE(box(d, "Edit4")->text(), QStringLiteral("天津市"));
            box(d, "Edit1")->setText(QStringLiteral("华联食品"));
            d->saveButton()->click();
        });
        list.run(ListAction::Change);
        QVERIFY(change.acted());
        QVERIFY(rec.messages.empty());
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from ghs where mc='华联食品'")).toInt(), 2);
    }

    void query_data()
    {
        QTest::addColumn<QString>("mc");
        QTest::addColumn<QString>("lxr");
        QTest::addColumn<QString>("lxdh");
        QTest::addColumn<QString>("lxdz");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("all empty: every named supplier") << "" << "" << "" << "" << QStringList({"华联食品", "康师傅", "O'Brien Ltd"});
        QTest::newRow("only the contact person") << "" << "建" << "" << "" << QStringList({"华联食品", "康师傅"});
        QTest::newRow("contact person, one") << "" << "建国" << "" << "" << QStringList({"华联食品"});
        QTest::newRow("blank contact is no condition") << "" << "   " << "" << "" << QStringList({"华联食品", "康师傅", "O'Brien Ltd"});
        QTest::newRow("name and address") << "华" << "" << "" << "市" << QStringList({"华联食品"});
        QTest::newRow("phone") << "" << "" << "022" << "" << QStringList({"康师傅"});
        QTest::newRow("quote in the name") << "'B" << "" << "" << "" << QStringList({"O'Brien Ltd"});
    }
    void query()
    {
        QFETCH(QString, mc);
        QFETCH(QString, lxr);
        QFETCH(QString, lxdh);
        QFETCH(QString, lxdz);
        QFETCH(QStringList, listed);
        TempDb db;
        suppliers(db.conn());
        TFghs1 list;
        list.show();
        ModalDriver drv("TFcxghs1", [&](QWidget *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("按条件查询"));
            box(d, "Edit1")->setText(mc);
            box(d, "Edit2")->setText(lxr);
            box(d, "Edit3")->setText(lxdh);
            box(d, "Edit4")->setText(lxdz);
            box(d, "Edit4")->setFocus();
            QTest::keyClick(box(d, "Edit4"), Qt::Key_Return); // Enter in the address queries
        });
        list.run(ListAction::Query);
        QVERIFY(drv.acted());
        QCOMPARE(names(DM1->AQghs1), listed);
        QCOMPARE(list.panel(1), QString::number(listed.size()));
    }

    void chooserByMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("filled"); // the caller's box that gets the name; "" none
        QTest::newRow("purchase entry") << "tjcg" << "Edit2";
        QTest::newRow("payable dialog") << "tjyffx" << "Edit1";
        QTest::newRow("nobody registered") << "tjxs" << "";
    }
    void chooserByMode()
    {
        QFETCH(QString, mode);
        QFETCH(QString, filled);
        TempDb db;
        suppliers(db.conn());
        // Their screens register their boxes when they arrive; stand-ins do it here.
        selection::registerBoxes(QStringLiteral("TFghs2"), QStringLiteral("tjcg"), {{QStringLiteral("mc"), QStringLiteral("Edit2")}});
        selection::registerBoxes(QStringLiteral("TFghs2"), QStringLiteral("tjyffx"), {{QStringLiteral("mc"), QStringLiteral("Edit1")}});
        QWidget caller;
        for (const char *n : {"Edit1", "Edit2"}) (new QLineEdit(&caller))->setObjectName(QLatin1String(n));
        MessageRecorder rec;
        TFghs2 ch(&caller);
        ch.setMode(mode);
        ch.show();
        QCOMPARE(ch.windowTitle(), QStringLiteral("选择厂商资料"));
        QCOMPARE(names(DM1->AQghs1).size(), 3);
        box(&ch, "Edit2")->setText(QStringLiteral("天津"));
        box(&ch, "Edit2")->setFocus();
        QTest::keyClick(box(&ch, "Edit2"), Qt::Key_Return);
        QCOMPARE(names(DM1->AQghs1), QStringList{"康师傅"});
        QTest::keyClick(ch.grid(), Qt::Key_Return);
        QCOMPARE(ch.result(), int(QDialog::Accepted));
        for (const char *n : {"Edit1", "Edit2"})
            QCOMPARE(box(&caller, n)->text(), filled == QLatin1String(n) ? QStringLiteral("康师傅") : QString());
        QVERIFY(rec.messages.empty());
    }

    void chooserAddsAndRefusesAnEmptyChoice()
    {
        TempDb db;
        MessageRecorder rec;
        TFghs2 ch;
        ch.show();
        child<QPushButton>(&ch, "xuan")->click();
        QCOMPARE(rec.texts(), QStringList{"没有厂商可选择！"});
        ModalDriver drv("TFtjghs1", [&](QWidget *dw) {
            auto *d = static_cast<TFtjghs1 *>(dw);
            QCOMPARE(d->windowTitle(), QStringLiteral("新增厂商资料"));
            QCOMPARE(child<QLabel>(d, "ST1")->text(), QStringLiteral("新增"));
            box(d, "Edit1")->setText(QStringLiteral("统一企业"));
            d->saveButton()->click();
            d->closeButton()->click();
        });
        child<QPushButton>(&ch, "xin")->click();
        QVERIFY(drv.acted());
        QCOMPARE(names(DM1->AQghs1), QStringList{"统一企业"});
    }
};

QTEST_MAIN(TstSuppliers)
#include "tst_suppliers.moc"
