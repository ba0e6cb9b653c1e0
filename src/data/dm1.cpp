#include "dm1.h"
#include <QCoreApplication>
#include <QDir>

TDM1 *DM1 = nullptr;

TDM1::TDM1(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("DM1"));
    AQsp1 = make("AQsp1", "sp");
    AQkcfx1 = make("AQkcfx1", "sp");
    AQlb1 = make("AQlb1", "lb");
    AQdw1 = make("AQdw1", "dw");
    AQghs1 = make("AQghs1", "ghs");
    AQyg1 = make("AQyg1", "yg");
    AQkh1 = make("AQkh1", "kh");
    AQdj1 = make("AQdj1", "dj");
    AQxsz1 = make("AQxsz1", "xsglz");
    AQxsc1 = make("AQxsc1", "xsglc");
    AQxsfx1 = make("AQxsfx1", "xsfx");
    AQxstj1 = make("AQxstj1", "xstj1");
    AQxstj2 = make("AQxstj2", "xstj2");
    AQcgfx1 = make("AQcgfx1", "cgfx");
    AQcgtj1 = make("AQcgtj1", "cgtj1");
    AQrkfx1 = make("AQrkfx1", "rkfx");
    AQrklx1 = make("AQrklx1", "rklx");
    AQckfx1 = make("AQckfx1", "ckfx");
    AQcklx1 = make("AQcklx1", "cklx");
    AQysfx1 = make("AQysfx1", "ysfx");
    AQskfx1 = make("AQskfx1", "skfx");
    AQyffx1 = make("AQyffx1", "yffx");
    AQfkfx1 = make("AQfkfx1", "fkfx");
    AQszfx1 = make("AQszfx1", "szfx");
    AQszxm1 = make("AQszxm1", "szxm");
    AQzp1 = make("AQzp1", "zp");
    AQduihuan1 = make("AQduihuan1", "duihuan");
    AQyhsz1 = make("AQyhsz1", "yhsz");
    AQquanxian1 = make("AQquanxian1", "quanxian");
    ATdanwei1 = new Dataset(ADOC1, QStringLiteral("ATdanwei1"), QStringLiteral("danwei"),
                            QStringLiteral("select * from danwei order by id"), this);
    m_all << ATdanwei1;
    // Closing the connection closes every dataset with it.
    ADOC1.onClose([this] {
        for (Dataset *d : std::as_const(m_all)) d->close();
    });
}

TDM1::~TDM1()
{
    if (DM1 == this) DM1 = nullptr;
}

Dataset *TDM1::make(const char *name, const char *table)
{
    auto *d = new Dataset(ADOC1, QLatin1String(name), QLatin1String(table),
                          QStringLiteral("select*from ") + QLatin1String(table), this);
    m_all << d;
    return d;
}

QString TDM1::databasePath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("QTXData1.mdb"));
}

QString TDM1::fatalMessage() { return QStringLiteral("数据库文件丢失，软件无法运行，请重新复制本软件！"); }

bool TDM1::openDatabase(const QString &path)
{
    ADOC1.close();
    if (!ADOC1.open(path)) return false;
    try {
        ATdanwei1->open();
    } catch (const DbError &) {
        ADOC1.close();
        return false;
    }
    return true;
}

Dataset *TDM1::dataset(const QString &name) const
{
    for (Dataset *d : m_all)
        if (d->name() == name) return d;
    return nullptr;
}

Dataset *TDM1::danwei()
{
    if (!ATdanwei1->isOpen()) ATdanwei1->open();
    return ATdanwei1;
}
