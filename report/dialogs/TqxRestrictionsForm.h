#pragma once

#include <QDialog>
#include <array>

class QCheckBox;

namespace tovren::dialogs {

/// The restrictions dialog ("对象限定"): one box for each of the seven restriction bits, 1 to
/// 64. Bits above them pass through unchanged.
class TqxRestrictionsForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kBitCount = 7;

    explicit TqxRestrictionsForm(QWidget *parent = nullptr);

    void setRestrictions(quint16 restrictions);
    quint16 restrictions() const;
    QCheckBox *box(int bit) const { return m_boxes.at(size_t(bit)); }

private:
    std::array<QCheckBox *, kBitCount> m_boxes{};
    quint16 m_otherBits = 0;
};

} // namespace tovren::dialogs
