#include "report/dialogs/TqxFmtForm.h"

#include "report/dialogs/DialogWidgets.h"
#include "report/dialogs/FormatCodes.h"
#include "report/platform/StringTable.h"

#include <QEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {
constexpr int kListWidthPixels = 150;
constexpr int kListHeightPixels = 110;
} // namespace

TqxFmtForm::TqxFmtForm(QWidget *parent)
    : QDialog(parent)
    , m_categories(named<QListWidget>("CatLB"))
    , m_formats(named<QListWidget>("TypeLB"))
    , m_decimals(named<QLineEdit>("DecEdit"))
    , m_separator(named<QLineEdit>("SplEdit"))
    , m_pattern(named<QLineEdit>("FormatEdit"))
{
    setObjectName(QStringLiteral("TqxFmtForm"));
    setWindowTitle(platform::LoadLibraryString(53420));
    m_decimalsLabel = buddyLabel(platform::LoadLibraryString(53422), m_decimals, "Label1");
    m_separatorLabel = buddyLabel(platform::LoadLibraryString(53423), m_separator, "Label2");
    m_patternLabel = buddyLabel(platform::LoadLibraryString(53424), m_pattern, "Label3");
    m_separator->setMaxLength(1);
    m_categories->addItems(FormatCodes::categoryNames());
    for (QListWidget *list : {m_categories, m_formats})
        list->setFixedSize(kListWidthPixels, kListHeightPixels);
    // Entering the separator box selects what it holds, so one key replaces it.
    m_separator->installEventFilter(this);
    connect(m_categories, &QListWidget::itemClicked, this, [this] { fillFormatList(); });
    connect(m_formats, &QListWidget::itemClicked, this, [this] { updateControls(); });

    auto *grid = new QGridLayout;
    grid->addWidget(m_categories, 0, 0);
    grid->addWidget(m_formats, 0, 1);
    auto *numbers = new QGridLayout;
    numbers->addWidget(m_decimalsLabel, 0, 0);
    numbers->addWidget(m_decimals, 0, 1);
    numbers->addWidget(m_separatorLabel, 1, 0);
    numbers->addWidget(m_separator, 1, 1);
    numbers->addWidget(m_patternLabel, 2, 0);
    numbers->addWidget(m_pattern, 2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(numbers);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);
    setFormat(0, {});
}

void TqxFmtForm::setFormat(qint32 displayFormat, const QString &customFormat)
{
    m_displayFormat = displayFormat;
    m_customFormat = customFormat;
    m_categories->setCurrentRow(
        std::clamp(FormatCodes::category(displayFormat), 0, m_categories->count() - 1));
    fillFormatList();
    const int index = FormatCodes::formatIndex(displayFormat);
    if (index < m_formats->count())
        m_formats->setCurrentRow(index);
    updateControls();
}

int TqxFmtForm::selectedCategory() const
{
    return std::max(0, m_categories->currentRow());
}

int TqxFmtForm::selectedFormat() const
{
    return std::max(0, m_formats->currentRow());
}

void TqxFmtForm::fillFormatList()
{
    m_formats->clear();
    m_formats->addItems(FormatCodes::formatNames(selectedCategory()));
    m_formats->setCurrentRow(0);
    updateControls();
}

void TqxFmtForm::updateControls()
{
    const bool number = selectedCategory() == FormatCodes::kNumberCategory;
    const std::initializer_list<QWidget *> numberControls = {m_decimalsLabel, m_separatorLabel,
                                                             m_decimals, m_separator};
    for (QWidget *control : numberControls)
        control->setEnabled(number);
    m_decimals->setText(number ? FormatCodes::decimalsText(m_displayFormat) : QString());
    m_separator->setText(number ? FormatCodes::separatorText(m_displayFormat) : QString());
    const bool custom = selectedFormat() == FormatCodes::kCustomFormatIndex;
    m_patternLabel->setEnabled(custom);
    m_pattern->setEnabled(custom);
    m_pattern->setText(custom ? m_customFormat : QString());
}

bool TqxFmtForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_separator && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_separator, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

void TqxFmtForm::done(int result)
{
    if (result == QDialog::Accepted) {
        m_displayFormat = FormatCodes::compose(selectedCategory(), selectedFormat(),
                                               m_decimals->text(), m_separator->text());
        if (m_pattern->isEnabled())
            m_customFormat = m_pattern->text();
    }
    QDialog::done(result);
}

} // namespace tovren::dialogs
