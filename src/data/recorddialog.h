#pragma once
// The add-or-change dialog of a list: one box per column, the hidden mode label ST1 ("新增" or
// "修改"), "保存" and "关闭". A screen describes its boxes; saving checks the required boxes,
// refuses a duplicate name when adding, writes every box into the list's shared dataset and
// either stays open with cleared boxes (adding) or closes (changing).
#include <QDialog>
#include <QList>
#include <QSize>
#include <QStringList>
#include <functional>

class Dataset;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QHBoxLayout;
class QToolButton;
namespace keys { class EnterNavigator; }

enum class BoxKind {
    Text,         // free text, stored trimmed
    Number,       // digits and one point, stored as an exact decimal
    SignedNumber, // as Number, with a leading minus sign
    Digits,       // digits only (postcodes, identity card numbers), stored as text
    Choice,       // a list that also accepts typing
    ReadOnly,     // filled by a selection list, not by typing
};

struct FieldSpec {
    FieldSpec() = default;
    FieldSpec(QString f, QString l, QString b, BoxKind k = BoxKind::Text)
        : field(std::move(f)), label(std::move(l)), box(std::move(b)), kind(k) {}
    QString field;            // column
    QString label;            // caption beside the box; also the start of the "不可为空！" message
    QString box;              // object name ("Edit1", "ComboBox1")
    BoxKind kind = BoxKind::Text;
    QStringList choices;      // Choice: the list
    QString initial;          // text of a cleared box (number boxes: "0")
    bool required = false;
    QString requiredText;     // message when empty, if not label + "不可为空！"
    bool keepAfterAdd = false; // keeps its text after a save in mode "新增"
    int decimals = 2;         // number boxes: longer decimals are rounded to this many on save
};

struct RecordConfig {
    QString thing;            // "员工": "员工不可重复！"
    QString titleThing;       // "员工资料": "新增员工资料", "修改员工资料"
    Dataset *dataset = nullptr;
    QList<FieldSpec> fields;  // in tab order
    QStringList uniqueFields; // tested when adding; default the first field
    QString duplicateFocus;   // box focused on a duplicate; default the first box
    QString focusAfterAdd;    // box focused after a save in "新增"; default the first box
    int columns = 1;          // label-and-box pairs per row
    QString note;             // top-right note ("带＊为必填项")
    QSize fixedSize;
};

class RecordDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Add, Change };
    explicit RecordDialog(RecordConfig config, QWidget *parent = nullptr);

    // "新增": title, ST1, every box to its initial text.
    void startAdd();
    // "修改": title, ST1, boxes from the dataset's current record. The caller checks the guards.
    void startChange();
    Mode mode() const { return m_mode; }
    const RecordConfig &config() const { return m_cfg; }

    QWidget *box(const QString &field) const;
    QLineEdit *edit(const QString &field) const;
    QComboBox *combo(const QString &field) const;
    QString boxText(const QString &field) const;
    void setBoxText(const QString &field, const QString &text);
    QPushButton *saveButton() const { return m_save; }
    // The Enter rules of the dialog, for boxes whose Enter means something else.
    keys::EnterNavigator *navigator() const { return m_nav; }
    // A small button beside a box (a selection list's "…"), and a note beside a box.
    QToolButton *addButtonBeside(const QString &field, const QString &hint, std::function<void()> fn);
    QLabel *addTextBeside(const QString &field, const QString &text);
    QPushButton *closeButton() const { return m_close; }

    // "保存": true when a record was written.
    bool save();

Q_SIGNALS:
    void saved();

protected:
    // More checks after the required boxes (show the message and focus the box; false stops).
    virtual bool checkExtra() { return true; }
    // Columns that are computed rather than typed, set on the dataset in edit or insert state.
    virtual void writeExtra(Dataset &ds) {}
    // After a save in "新增": boxes not kept go back to their initial text.
    virtual void clearAfterAdd();
    void showEvent(QShowEvent *e) override;
    QWidget *boxByName(const QString &name) const;
    void focusBox(QWidget *w);

private:
    void build();
    void resetBoxes(bool afterAdd);
    bool isDuplicate();
    void writeFields(Dataset &ds);

    RecordConfig m_cfg;
    Mode m_mode = Mode::Add;
    QList<QWidget *> m_boxes;
    QList<QHBoxLayout *> m_cells; // the box and what stands beside it
    keys::EnterNavigator *m_nav = nullptr;
    QLabel *m_st1 = nullptr;
    QPushButton *m_save = nullptr, *m_close = nullptr;
};
