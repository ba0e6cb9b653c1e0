#pragma once
// Checkout "结帐收款": what the customer pays, the change, the receipt, and the posting of the
// slip shown on the counter.
#include "receipt.h"
#include <QDialog>
#include <QPointer>

class QLineEdit;
class QPushButton;
class QRadioButton;
class TFtjxsd1;

namespace receiptprinter {
// The receipt printer's device: the environment variable CS_RECEIPT_DEVICE when set, else
// /dev/usb/lp0 (a USB receipt printer; a parallel port is /dev/lp0). Any file will do.
QString devicePath();
// Writes the bytes to the device; false with the reason when it cannot be opened or written.
bool write(const QByteArray &bytes, QString *error);
}

class TFzhaoling1 : public QDialog {
    Q_OBJECT
public:
    explicit TFzhaoling1(TFtjxsd1 *counter);
    // "确定收款": true when the slip was posted.
    bool confirm();
    void payInFull(); // "付清"
    // The receipt of the slip on the counter, as it would be printed now.
    receipt::Data receiptData() const;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void recompute();
    QPointer<TFtjxsd1> m_counter;
    QLineEdit *m_bcjf = nullptr, *m_zjf = nullptr, *m_yse = nullptr, *m_zhifu = nullptr, *m_zhaoling = nullptr;
    QRadioButton *m_receipt = nullptr, *m_slip = nullptr, *m_none = nullptr;
};
