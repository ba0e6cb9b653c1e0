#pragma once
// The category tree of the goods windows (goods list, both goods choosers, stock list): a root
// "全部类别" with one child per category, built once when the window is created. A click on a
// node lists the goods of exactly that category; the root lists them all.
#include <QTreeWidget>
#include <functional>

class Dataset;

class CategoryTree : public QTreeWidget {
    Q_OBJECT
public:
    // `goods` is the dataset the clicks re-query (AQsp1, or AQkcfx1 for the stock list);
    // `after` runs after each re-query (the record count of a list).
    CategoryTree(Dataset *goods, std::function<void()> after, QWidget *parent = nullptr);

    static QString rootText() { return QStringLiteral("全部类别"); }
    // Rebuilds from the category dataset, reopened with its current statement.
    void rebuild();
    // What a click on the node does.
    void filterBy(QTreeWidgetItem *node);
    // The node of a category (the root for an empty text); nullptr when there is none.
    QTreeWidgetItem *node(const QString &category) const;

private:
    Dataset *m_goods;
    std::function<void()> m_after;
};
