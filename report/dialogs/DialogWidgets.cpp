#include "report/dialogs/DialogWidgets.h"

#include "report/platform/StringTable.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace tovren::dialogs {

namespace {
constexpr int kOkCaption = 55000;
constexpr int kCancelCaption = 55001;
constexpr int kErrorCaption = 55206;
} // namespace

OkCancelButtons addOkCancelButtons(QDialog &dialog, QBoxLayout &layout)
{
    OkCancelButtons buttons;
    buttons.ok = new QPushButton(platform::LoadLibraryString(kOkCaption), &dialog);
    buttons.ok->setObjectName(QStringLiteral("OkButton"));
    buttons.ok->setDefault(true);
    buttons.cancel = new QPushButton(platform::LoadLibraryString(kCancelCaption), &dialog);
    buttons.cancel->setObjectName(QStringLiteral("CancelButton"));
    QObject::connect(buttons.ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(buttons.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);

    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(buttons.ok);
    row->addWidget(buttons.cancel);
    layout.addLayout(row);
    return buttons;
}

void fixDialogSize(QDialog &dialog)
{
    if (QLayout *layout = dialog.layout())
        layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString errorCaption()
{
    return platform::LoadLibraryString(kErrorCaption);
}

} // namespace tovren::dialogs
