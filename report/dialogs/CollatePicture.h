#pragma once

#include <QWidget>

namespace tovren::dialogs {

/// The small picture in the print dialog that shows collated or uncollated copies.
class CollatePicture : public QWidget
{
    Q_OBJECT
public:
    explicit CollatePicture(QWidget *parent = nullptr);

    bool isCollated() const { return m_collated; }
    void setCollated(bool collated);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_collated = true;
};

} // namespace tovren::dialogs
