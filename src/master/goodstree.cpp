#include "goodstree.h"
#include "dm1.h"
#include "guard.h"
#include "querydialog.h"
#include <QHeaderView>

CategoryTree::CategoryTree(Dataset *goods, std::function<void()> after, QWidget *parent)
    : QTreeWidget(parent), m_goods(goods), m_after(std::move(after))
{
    setObjectName(QStringLiteral("TreeView1"));
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setRootIsDecorated(true);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { filterBy(item); });
    // The keyboard moves through the tree as the mouse clicks.
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { filterBy(item); });
    rebuild();
}

void CategoryTree::rebuild()
{
    clear();
    auto *root = new QTreeWidgetItem(this, QStringList{rootText()});
    guarded([&] {
        Dataset *lb = DM1->AQlb1;
        if (lb->sqlLines().isEmpty()) lb->setSql(QStringLiteral("select*from lb"));
        lb->open();
        const int c = lb->fieldIndex(QStringLiteral("lb"));
        for (int r = 0; c >= 0 && r < lb->recordCount(); ++r)
            new QTreeWidgetItem(root, QStringList{lb->textAt(r, c)});
    });
    expandAll();
    setCurrentItem(root);
}

QTreeWidgetItem *CategoryTree::node(const QString &category) const
{
    QTreeWidgetItem *root = topLevelItem(0);
    if (!root || category.isEmpty()) return root;
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->text(0) == category) return root->child(i);
    return nullptr;
}

void CategoryTree::filterBy(QTreeWidgetItem *item)
{
    if (!item) return;
    Filter f;
    // The root lists every article, those of category "未知" included; a category only its own.
    if (item->parent()) f.equals(QStringLiteral("lb"), item->text(0));
    guarded([&] { requery(*m_goods, QStringLiteral("select * from sp"), f, QString()); });
    if (m_after) m_after();
}
