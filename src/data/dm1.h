#pragma once
// The data module: the one connection and one shared dataset per table, under their names.
#include "connection.h"
#include "dataset.h"
#include <QObject>

class TDM1 : public QObject {
    Q_OBJECT
public:
    explicit TDM1(QObject *parent = nullptr);
    ~TDM1() override;

    // The database file beside the executable.
    static QString databasePath();
    static QString fatalMessage(); // 数据库文件丢失，软件无法运行，请重新复制本软件！
    // Opens the connection and the shop information; false when the file is missing, damaged
    // or not a database of this program.
    bool openDatabase(const QString &path = databasePath());

    Dataset *dataset(const QString &name) const;
    QList<Dataset *> datasets() const { return m_all; }
    // The shop information row, reopened when a maintenance step closed it.
    Dataset *danwei();

    Connection ADOC1;
    Dataset *AQsp1, *AQkcfx1, *AQlb1, *AQdw1, *AQghs1, *AQyg1, *AQkh1, *AQdj1, *AQxsz1, *AQxsc1,
        *AQxsfx1, *AQxstj1, *AQxstj2, *AQcgfx1, *AQcgtj1, *AQrkfx1, *AQrklx1, *AQckfx1, *AQcklx1,
        *AQysfx1, *AQskfx1, *AQyffx1, *AQfkfx1, *AQszfx1, *AQszxm1, *AQzp1, *AQduihuan1, *AQyhsz1,
        *AQquanxian1;
    Dataset *ATdanwei1;

private:
    Dataset *make(const char *name, const char *table);
    QList<Dataset *> m_all;
};

// The one data module of the program (created at start-up, before the main window).
extern TDM1 *DM1;
