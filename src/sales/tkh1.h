#pragma once
// Members: the list "会员资料", the add-or-change dialog, the member query and the member
// chooser "选择会员资料".
#include "chooser.h"
#include "listwindow.h"
#include "querydialog.h"
#include "recorddialog.h"
#include <QDate>

namespace members {
// Today as the member screens see it (the opening date, the birthday conditions). Tests may
// fix it; an invalid date gives the clock back.
QDate today();
void setToday(const QDate &d);
// The member grid's columns and red rows for unusable cards.
QList<GridColumn> columns();
QColor rowColor(const Dataset &ds, int row);
}

class TFkh1 : public ListWindow {
    Q_OBJECT
public:
    explicit TFkh1(QWidget *parent = nullptr);
    // "改标记：不可用" / "改标记：可用".
    void setMarker(const QString &status);

protected:
    RecordDialog *makeDialog() override;
    QueryDialog *makeQuery() override;
    void printList() override;
    void onImport() override;
};

class TFtjkh1 : public RecordDialog {
    Q_OBJECT
public:
    explicit TFtjkh1(QWidget *parent = nullptr);
    void chooseLevel(); // the level dialog, filling the level and discount boxes

protected:
    void writeExtra(Dataset &ds) override;
    bool eventFilter(QObject *obj, QEvent *ev) override;
};

class TFcxkh1 : public QueryDialog {
    Q_OBJECT
public:
    explicit TFcxkh1(QWidget *parent = nullptr);
};

// Selection modes: "tjxs" the counter's card box hybm; "tjdui" (points exchange) and "tjysfx"
// (receivable) register their card boxes: selection::registerBoxes("TFkh2", mode, {{"bm", box}}).
// Writing the card number into the box starts the caller's own member lookup.
class TFkh2 : public Chooser {
    Q_OBJECT
public:
    explicit TFkh2(QWidget *parent = nullptr);
};
