// The shop information dialog.
#include "tdanwei1.h"
#include "testsupport.h"
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
QLineEdit *edit(QWidget *d, int n) { return child<QLineEdit>(d, qPrintable(QStringLiteral("Edit%1").arg(n))); }
QString stored(Connection &c, const char *column)
{
    return c.scalar(QStringLiteral("select ") + QLatin1String(column) + QStringLiteral(" from danwei order by id limit 1")).toString();
}
}

class TstDanwei : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A picture of the dialog, for looking at (set CS_SCREENSHOTS to a folder).
    void screenshot()
    {
        const QString dir = qEnvironmentVariable("CS_SCREENSHOTS");
        if (dir.isEmpty()) QSKIP("CS_SCREENSHOTS not set");
        TempDb db;
        TFdanwei1 d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QTest::qWait(200);
        QVERIFY(d.grab().save(dir + QStringLiteral("/shop-information.png")));
    }

    void requiredBoxes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("print");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focused");
        QTest::newRow("shop name") << "  " << "抬头" << "不同时打印" << "店铺名称不可为空！" << "Edit1";
        QTest::newRow("print header") << "小店" << "" << "不同时打印" << "打印抬头不可为空！" << "Edit2";
        QTest::newRow("print choice") << "小店" << "抬头" << " " << "销售打印设置不可为空！" << "ComboBox1";
        QTest::newRow("first failure only") << "" << "" << "" << "店铺名称不可为空！" << "Edit1";
    }
    void requiredBoxes()
    {
        QFETCH(QString, name);
        QFETCH(QString, header);
        QFETCH(QString, print);
        QFETCH(QString, message);
        QFETCH(QString, focused);
        TempDb db;
        const QString before = stored(db.conn(), "mczc");
        MessageRecorder rec;
        TFdanwei1 d;
        d.show();
        QApplication::setActiveWindow(&d);
        edit(&d, 1)->setText(name);
        edit(&d, 2)->setText(header);
        edit(&d, 3)->setText(QStringLiteral("不该写入"));
        child<QComboBox>(&d, "ComboBox1")->setEditText(print);
        child<QPushButton>(&d, "BitBtn1")->click();
        QCOMPARE(rec.texts(), QStringList{message});
        QCOMPARE(rec.messages[0].title, QStringLiteral("提示"));
        QCOMPARE(rec.messages[0].kind, msg::Kind::Information);
        QCOMPARE(QApplication::focusWidget() == d.findChild<QWidget *>(focused)
                     || (QApplication::focusWidget() == child<QComboBox>(&d, "ComboBox1")->lineEdit() && focused == QStringLiteral("ComboBox1")),
                 true);
        QVERIFY(d.isVisible());
        QCOMPARE(stored(db.conn(), "mczc"), before);
        QVERIFY(stored(db.conn(), "lxr") != QStringLiteral("不该写入"));
    }

    void savesEveryColumnAsTyped()
    {
        TempDb db;
        MessageRecorder rec;
        TFdanwei1 d;
        QCOMPARE(d.windowTitle(), QStringLiteral("填写店铺信息"));
        QCOMPARE(d.size(), QSize(552, 433));
        d.show();
        const char *columns[] = {nullptr, "mczc", "mcdy", "lxr", "dh", "cz", "dz", "bz1", "bz2", "dybz1", "dybz3", "dybz2", "dybz4"};
        for (int i = 1; i <= 12; ++i) edit(&d, i)->setText(QStringLiteral(" 值%1 ").arg(i));
        edit(&d, 4)->setText(QStringLiteral("O'Brien's 店"));
        child<QComboBox>(&d, "ComboBox1")->setCurrentIndex(2);
        // Enter in the print choice presses "保存".
        auto *combo = child<QComboBox>(&d, "ComboBox1");
        combo->setFocus();
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QVERIFY(rec.messages.empty());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        for (int i = 1; i <= 12; ++i)
            QCOMPARE(stored(db.conn(), columns[i]), i == 4 ? QStringLiteral("O'Brien's 店") : QStringLiteral(" 值%1 ").arg(i));
        QCOMPARE(stored(db.conn(), "dy"), QStringLiteral("同时打印单据"));
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from danwei")).toInt(), 1);
    }

    void showsStoredValuesAfterTheConnectionWasClosed()
    {
        TempDb db;
        db.conn().exec(QStringLiteral("update danwei set mczc=?, dybz2=?, dy=?"),
                       {{{}, QStringLiteral("  街角小店 ")}, {{}, QStringLiteral("谢谢惠顾")}, {{}, QStringLiteral("同时打印小票")}});
        // A backup closes the connection and every dataset with it.
        DM1->ADOC1.close();
        QVERIFY(!DM1->ATdanwei1->isOpen());
        TFdanwei1 d;
        d.show();
        QCOMPARE(edit(&d, 1)->text(), QStringLiteral("  街角小店 "));
        QCOMPARE(edit(&d, 11)->text(), QStringLiteral("谢谢惠顾")); // lower slip footer
        QCOMPARE(edit(&d, 12)->text(), stored(db.conn(), "dybz4"));
        QVERIFY(edit(&d, 12)->text() != QStringLiteral("谢谢惠顾"));
        QCOMPARE(child<QComboBox>(&d, "ComboBox1")->currentText(), QStringLiteral("同时打印小票"));
        QCOMPARE(d.focusWidget(), edit(&d, 1));
        // Tab order: 备注2, slip footers upper then lower, receipt footers upper then lower, print choice.
        QCOMPARE(edit(&d, 8)->nextInFocusChain(), edit(&d, 9));
        QCOMPARE(edit(&d, 9)->nextInFocusChain(), edit(&d, 11));
        QCOMPARE(edit(&d, 11)->nextInFocusChain(), edit(&d, 10));
        QCOMPARE(edit(&d, 10)->nextInFocusChain(), edit(&d, 12));
        // Esc closes without saving.
        edit(&d, 1)->setText(QStringLiteral("改了"));
        QTest::keyClick(edit(&d, 1), Qt::Key_Escape);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(stored(db.conn(), "mczc"), QStringLiteral("  街角小店 "));
    }

    void savingIntoAnEmptyTableCreatesTheRow()
    {
        TempDb db;
        db.conn().exec(QStringLiteral("delete from danwei"));
        DM1->ATdanwei1->close();
        TFdanwei1 d;
        d.show();
        QVERIFY(edit(&d, 1)->text().isEmpty());
        edit(&d, 1)->setText(QStringLiteral("新店"));
        edit(&d, 2)->setText(QStringLiteral("新店抬头"));
        child<QComboBox>(&d, "ComboBox1")->setCurrentIndex(0);
        QVERIFY(d.save());
        QCOMPARE(db.conn().scalar(QStringLiteral("select count(*) from danwei")).toInt(), 1);
        QCOMPARE(stored(db.conn(), "mcdy"), QStringLiteral("新店抬头"));
        QCOMPARE(stored(db.conn(), "dy"), QStringLiteral("不同时打印"));
    }
};

QTEST_MAIN(TstDanwei)
#include "tst_danwei.moc"
