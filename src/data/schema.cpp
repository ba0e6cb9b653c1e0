#include "schema.h"
#include <QSet>

namespace schema {
namespace {
constexpr Kind T = Kind::Text, D = Kind::Decimal, R = Kind::Date;

const std::vector<Table> kTables = {
    {"danwei", {{"mczc", T}, {"mcdy", T}, {"lxr", T}, {"dh", T}, {"cz", T}, {"dz", T}, {"bz1", T},
                {"bz2", T}, {"dybz1", T}, {"dybz2", T}, {"dybz3", T}, {"dybz4", T}, {"dy", T}}},
    {"yhsz", {{"yhmc", T}, {"yhmm", T}}},
    {"quanxian", {{"yh", T}, {"qx", T}}},
    {"sp", {{"txm", T}, {"lb", T}, {"ppgg", T}, {"dw", T}, {"jj", D}, {"xj", D}, {"kcsl", D},
            {"kcjg", D}, {"kcje", D}, {"slt", D}, {"jet", D}, {"jfjs", D}, {"ms", T}, {"bz", T},
            {"ztbj", T}}},
    {"lb", {{"lb", T}}},
    {"dw", {{"dw", T}}},
    {"ghs", {{"mc", T}, {"lxr", T}, {"lxdh", T}, {"lxdz", T}, {"lxcz", T}, {"yb", T}, {"yhmc", T},
             {"yhzh", T}, {"bz", T}}},
    {"yg", {{"xm", T}, {"xb", T}, {"zw", T}, {"bm", T}, {"dh", T}, {"dz", T}, {"jbgz", D},
            {"sfz", T}, {"bz", T}}},
    {"kh", {{"bm", T}, {"mc", T}, {"xb", T}, {"dj", T}, {"zk", D}, {"zjf", D}, {"zxf", D},
            {"zj", T}, {"yb", T}, {"csrq", T}, {"lxdh", T}, {"lxdz", T}, {"bz", T}, {"kkrq", R},
            {"ztbj", T}}},
    {"dj", {{"dj", T}, {"zk", D}}},
    {"xsglz", {{"shbj", T}, {"dh", T}, {"kdrq", R}, {"zhidan", T}, {"rq", R}, {"jsr", T},
               {"hybm", T}, {"hymc", T}, {"bz", T}, {"hjsl", D}, {"hjje", D}, {"bcjf", D}}},
    {"xsglc", {{"dh", T}, {"bj", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"sl", D}, {"yjg", D},
               {"zk", D}, {"zkbj", T}, {"jg", D}, {"je", D}, {"jfjs", D}, {"bcjf", D},
               {"cbjg", D}, {"cbje", D}, {"maoli", D}}},
    {"xsfx", {{"rq", R}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"sl", D}, {"jg", D}, {"je", D},
              {"cbjg", D}, {"cbje", D}, {"maoli", D}, {"hybm", T}, {"hymc", T}, {"jsr", T},
              {"bz", T}, {"dh", T}}},
    {"xstj1", {{"fenzu", T}, {"txm", T}, {"ppgg", T}, {"dw", T}, {"zsl", D}, {"zje", D},
               {"zcb", D}, {"zmaoli", D}}},
    {"xstj2", {{"yuangong", T}, {"sltc", D}, {"jetc", D}, {"ztc", D}}},
    {"cgfx", {{"shbj", T}, {"rq", R}, {"ghs", T}, {"jsr", T}, {"txm", T}, {"ppgg", T}, {"dw", T},
              {"jg", D}, {"sl", D}, {"je", D}, {"bz", T}}},
    {"rkfx", {{"shbj", T}, {"rq", R}, {"lx", T}, {"jsr", T}, {"txm", T}, {"ppgg", T}, {"dw", T},
              {"jg", D}, {"sl", D}, {"je", D}, {"bz", T}}},
    {"rklx", {{"lx", T}}},
    {"ckfx", {{"shbj", T}, {"rq", R}, {"lx", T}, {"jsr", T}, {"txm", T}, {"ppgg", T}, {"dw", T},
              {"jg", D}, {"sl", D}, {"je", D}, {"bz", T}}},
    {"cklx", {{"lx", T}}},
    {"cgtj1", {{"txm", T}, {"ppgg", T}, {"dw", T}, {"zsl", D}, {"zje", D}, {"fenzu", T}}},
    {"ysfx", {{"dh", T}, {"rq", R}, {"kdrq", R}, {"hybm", T}, {"hymc", T}, {"qk", D}, {"jsr", T},
              {"bz", T}}},
    {"skfx", {{"shbj", T}, {"rq", R}, {"dh", T}, {"hybm", T}, {"hymc", T}, {"je", D}, {"jsr", T},
              {"bz", T}}},
    {"yffx", {{"dh", T}, {"rq", R}, {"kdrq", R}, {"ghs", T}, {"qk", D}, {"jsr", T}, {"bz", T}}},
    {"fkfx", {{"shbj", T}, {"rq", R}, {"dh", T}, {"ghs", T}, {"je", D}, {"jsr", T}, {"bz", T}}},
    {"szfx", {{"rq", R}, {"lb", T}, {"xm", T}, {"se", D}, {"ze", D}, {"jsr", T}, {"bz", T}}},
    {"szxm", {{"lb", T}, {"xm", T}}},
    {"zp", {{"txm", T}, {"ppgg", T}, {"dw", T}, {"sl", D}, {"jg", D}, {"je", D}, {"jfjs", D}}},
    {"duihuan", {{"shbj", T}, {"rq", R}, {"hybm", T}, {"hymc", T}, {"jsr", T}, {"txm", T},
                 {"ppgg", T}, {"dw", T}, {"jfjs", D}, {"sl", D}, {"bcjf", D}, {"bz", T}}},
};

// Lookups of the counter, the postings and the list filters.
const char *kIndexes[] = {
    "CREATE INDEX sp_txm ON sp(txm)",
    "CREATE INDEX sp_triple ON sp(txm, ppgg, dw)",
    "CREATE INDEX sp_lb ON sp(lb)",
    "CREATE INDEX lb_lb ON lb(lb)",
    "CREATE INDEX dw_dw ON dw(dw)",
    "CREATE INDEX ghs_mc ON ghs(mc)",
    "CREATE INDEX yg_xm ON yg(xm)",
    "CREATE INDEX kh_bm ON kh(bm)",
    "CREATE INDEX dj_dj ON dj(dj)",
    "CREATE INDEX xsglz_dh ON xsglz(dh)",
    "CREATE INDEX xsglz_kdrq ON xsglz(kdrq)",
    "CREATE INDEX xsglz_rq ON xsglz(rq)",
    "CREATE INDEX xsglc_dh_bj ON xsglc(dh, bj)",
    "CREATE INDEX xsfx_rq ON xsfx(rq)",
    "CREATE INDEX xsfx_dh ON xsfx(dh)",
    "CREATE INDEX cgfx_rq ON cgfx(rq)",
    "CREATE INDEX rkfx_rq ON rkfx(rq)",
    "CREATE INDEX ckfx_rq ON ckfx(rq)",
    "CREATE INDEX ysfx_dh ON ysfx(dh)",
    "CREATE INDEX ysfx_kdrq ON ysfx(kdrq)",
    "CREATE INDEX skfx_rq ON skfx(rq)",
    "CREATE INDEX yffx_dh ON yffx(dh)",
    "CREATE INDEX yffx_kdrq ON yffx(kdrq)",
    "CREATE INDEX fkfx_rq ON fkfx(rq)",
    "CREATE INDEX szfx_rq ON szfx(rq)",
    "CREATE INDEX zp_triple ON zp(txm, ppgg, dw)",
    "CREATE INDEX duihuan_rq ON duihuan(rq)",
    "CREATE INDEX yhsz_yhmc ON yhsz(yhmc)",
    "CREATE INDEX quanxian_yh ON quanxian(yh, qx)",
};
} // namespace

const std::vector<Table> &tables() { return kTables; }

const Table *table(const QString &name)
{
    for (const Table &t : kTables)
        if (name.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

bool isDecimalName(const QString &column)
{
    static const QSet<QString> names = [] {
        QSet<QString> s;
        for (const Table &t : kTables)
            for (const Column &c : t.columns)
                if (c.kind == Kind::Decimal) s.insert(QLatin1String(c.name));
        return s;
    }();
    return names.contains(column.toLower());
}

QStringList createStatements()
{
    QStringList out;
    out << QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId)
        << QStringLiteral("PRAGMA user_version = %1").arg(Version);
    for (const Table &t : kTables) {
        QString sql = QStringLiteral("CREATE TABLE ") + QLatin1String(t.name)
            + QStringLiteral(" (id INTEGER PRIMARY KEY");
        for (const Column &c : t.columns) {
            sql += QStringLiteral(", ") + QLatin1String(c.name) + u' ';
            sql += c.kind == Kind::Decimal ? QLatin1String(DecimalType) : QLatin1String("TEXT COLLATE NOCASE");
        }
        sql += u')';
        out << sql;
    }
    for (const char *ix : kIndexes) out << QLatin1String(ix);
    return out;
}

QString adminName() { return QStringLiteral("系统管理员"); }
QString initialAdminPassword() { return QStringLiteral("8888"); }
QString walkInLevel() { return QStringLiteral("无卡顾客"); }
QStringList permissionNames()
{
    return {QStringLiteral("基本资料"), QStringLiteral("会员管理"), QStringLiteral("采购管理"),
            QStringLiteral("销售管理"), QStringLiteral("库存管理"), QStringLiteral("显示库存价格"),
            QStringLiteral("财务管理"), QStringLiteral("用户权限"), QStringLiteral("数据清空")};
}
}
