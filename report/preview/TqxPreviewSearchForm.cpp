#include "report/preview/TqxPreviewSearchForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tovren::preview {

TqxPreviewSearchForm::TqxPreviewSearchForm(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("查找文本"));
    auto *layout = new QVBoxLayout(this);

    auto *label = new QLabel(QStringLiteral("待查文本(&F)"), this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Edit1"));
    label->setBuddy(m_text);
    layout->addWidget(label);
    layout->addWidget(m_text);

    auto *groups = new QHBoxLayout;
    auto *options = new QGroupBox(QStringLiteral("选项"), this);
    auto *optionsLayout = new QVBoxLayout(options);
    m_matchCase = new QCheckBox(QStringLiteral("大小写敏感(&C)"), options);
    m_matchCase->setObjectName(QStringLiteral("CB1"));
    optionsLayout->addWidget(m_matchCase);
    groups->addWidget(options);

    auto *origin = new QGroupBox(QStringLiteral("起点"), this);
    auto *originLayout = new QVBoxLayout(origin);
    m_fromFirst = new QRadioButton(QStringLiteral("首页(&1)"), origin);
    m_fromFirst->setObjectName(QStringLiteral("RB1"));
    m_fromFirst->setChecked(true);
    m_fromCurrent = new QRadioButton(QStringLiteral("当前页(&P)"), origin);
    m_fromCurrent->setObjectName(QStringLiteral("RB2"));
    originLayout->addWidget(m_fromFirst);
    originLayout->addWidget(m_fromCurrent);
    groups->addWidget(origin);
    layout->addLayout(groups);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确认"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

PreviewSearchRequest TqxPreviewSearchForm::request() const
{
    return {m_text->text(), m_matchCase->isChecked(), m_fromCurrent->isChecked()};
}

void TqxPreviewSearchForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_text->setFocus();
    m_text->selectAll();
}

} // namespace tovren::preview
