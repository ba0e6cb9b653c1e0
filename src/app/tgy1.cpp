#include "tgy1.h"
#include "pictures.h"
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

TFgy1::TFgy1(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Fgy1"));
    setWindowTitle(QStringLiteral("关于本软件"));
    auto *pic = new pictures::Emblem(this);
    pic->setFixedSize(150, 260);
    auto *text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("Memo1"));
    text->setReadOnly(true);
    text->setPlainText(QStringLiteral(
        "1. 扫描条码即时开单，会员折扣与积分自动计算，找零一目了然。\n"
        "2. 采购、入库、出库即时记账，移动加权平均成本精确到分。\n"
        "3. 挂单、取单、反审核，整单过账要么全部成功要么全部不变。\n"
        "4. 应收应付、收款付款、其他收支，账目清楚。\n"
        "5. 每张列表都可查询、排序、打印、导出电子表格。\n"
        "6. 数据备份、恢复、压缩，一个文件即是全部数据。"));
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *g = new QGridLayout(this);
    g->addWidget(pic, 0, 0, 7, 1);
    g->addWidget(new QLabel(QStringLiteral("朗森柜台星系列之通用行业版"), this), 0, 1);
    g->addWidget(new QLabel(QStringLiteral("版本信息:Build 2010.07.11"), this), 1, 1);
    g->addWidget(new QLabel(QStringLiteral("技术支持：请联系本软件的销售商"), this), 2, 1);
    g->addWidget(new QLabel(QStringLiteral("使用帮助：菜单“帮助”›“操作说明”"), this), 3, 1);
    g->addWidget(new QLabel(QStringLiteral("朗森软件设计亮点："), this), 4, 1);
    g->addWidget(text, 5, 1);
    g->addWidget(ok, 6, 1, Qt::AlignRight);
    resize(560, 320);
}
