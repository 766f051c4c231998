#include "report/dialogs/TqxInsFieldsForm.h"

#include "report/dialogs/DialogPictures.h"
#include "report/dialogs/FormPlacement.h"
#include "report/dialogs/RollUpCaption.h"
#include "report/engine/DataSourceListing.h"
#include "report/engine/TqxReport.h"
#include "report/platform/SettingsStore.h"
#include "report/platform/StringTable.h"

#include <QListWidget>
#include <QMimeData>
#include <QResizeEvent>
#include <QSizeGrip>
#include <QSplitter>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

constexpr int kDefaultDataSetListHeight = 120;
constexpr int kDefaultWindowHeight = 300;

/// The field list: a drag carries the reference of the selected field as text, which the
/// page canvas turns into a text object.
class FieldDragList : public QListWidget
{
public:
    FieldDragList(std::function<QString()> reference)
        : m_reference(std::move(reference))
    {
        setDragEnabled(true);
        setDragDropMode(QAbstractItemView::DragOnly);
    }

protected:
    QMimeData *mimeData(const QList<QListWidgetItem *> &) const override
    {
        auto *data = new QMimeData;
        data->setText(m_reference());
        return data;
    }

private:
    std::function<QString()> m_reference;
};

} // namespace

QString TqxInsFieldsForm::fieldReference(const QString &source, const QString &field)
{
    return source + QStringLiteral(".\"") + field + u'"';
}

TqxInsFieldsForm::TqxInsFieldsForm(const engine::TqxReport &report, QString &lastSource,
                                   platform::SettingsStore *settings, QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
    , m_report(report)
    , m_lastSource(lastSource)
    , m_settings(settings)
    , m_caption(new RollUpCaption(*this))
    , m_splitter(new QSplitter(Qt::Vertical))
    , m_dataSets(new QListWidget)
    , m_fields(new FieldDragList([this] { return CurrentFieldRef(); }))
{
    setWindowTitle(platform::LoadLibraryString(53450));
    setObjectName(className());
    m_dataSets->setObjectName(QStringLiteral("DatasetsLB"));
    m_fields->setObjectName(QStringLiteral("FieldsLB"));
    m_splitter->setObjectName(QStringLiteral("Splitter"));
    m_splitter->setHandleWidth(2);
    m_splitter->addWidget(m_dataSets);
    m_splitter->addWidget(m_fields);
    m_splitter->setChildrenCollapsible(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(2);
    layout->addWidget(m_caption);
    layout->addWidget(m_splitter, 1);
    auto *grip = new QSizeGrip(this);
    layout->addWidget(grip, 0, Qt::AlignRight | Qt::AlignBottom);
    m_caption->setBody({m_splitter, grip});
    connect(m_caption, &RollUpCaption::heightToggled, this, [this] {
        if (HeightChangedHook)
            HeightChangedHook();
    });

    resize(180, kDefaultWindowHeight);
    int dataSetsHeight = kDefaultDataSetListHeight;
    if (m_settings) {
        FormPlacement::restore(*this, *m_settings, className(), false);
        dataSetsHeight = m_settings->readInteger(QStringLiteral("Form\\") + className(),
                                                 QStringLiteral("SplitterPos"), dataSetsHeight);
    }
    // A window left rolled up comes back rolled up, and unrolls to the usual height.
    const bool leftRolledUp = height() < RollUpCaption::kRolledUpBelowPixels;
    m_caption->setExpandedHeightPixels(leftRolledUp ? kDefaultWindowHeight : height());
    m_splitter->setSizes(
        {dataSetsHeight, qMax(1, m_caption->expandedHeightPixels() - dataSetsHeight)});
    if (leftRolledUp)
        m_caption->rollUp();

    connect(m_dataSets, &QListWidget::currentRowChanged, this, &TqxInsFieldsForm::fillFields);
    RefreshFieldList();
}

void TqxInsFieldsForm::RefreshFieldList()
{
    if (QListWidgetItem *selected = m_dataSets->currentItem())
        m_lastSource = selected->text();
    const QSignalBlocker blocker(m_dataSets);
    m_dataSets->clear();
    const QStringList names = engine::DataSourceListing(m_report).SourceNames();
    for (const QString &name : names)
        new QListWidgetItem(dataSetIcon(), name, m_dataSets);
    const qsizetype last = names.indexOf(m_lastSource);
    if (!names.isEmpty())
        m_dataSets->setCurrentRow(last < 0 ? 0 : int(last));
    fillFields();
}

void TqxInsFieldsForm::fillFields()
{
    m_fields->clear();
    const QListWidgetItem *source = m_dataSets->currentItem();
    if (!source)
        return;
    for (const QString &field : engine::DataSourceListing(m_report).FieldNames(source->text()))
        new QListWidgetItem(fieldIcon(), field, m_fields);
}

QString TqxInsFieldsForm::CurrentFieldRef()
{
    const QListWidgetItem *source = m_dataSets->currentItem();
    if (!source)
        return {};
    m_lastSource = source->text();
    const QListWidgetItem *field = m_fields->currentItem();
    return field ? fieldReference(source->text(), field->text()) : QString();
}

void TqxInsFieldsForm::Unroll()
{
    if (!m_caption->isRolledUp())
        return;
    m_caption->unroll();
    if (HeightChangedHook)
        HeightChangedHook();
}

bool TqxInsFieldsForm::isRolledUp() const
{
    return m_caption->isRolledUp();
}

void TqxInsFieldsForm::toggleRollUp()
{
    m_caption->toggle();
}

int TqxInsFieldsForm::expandedHeightPixels() const
{
    return m_caption->expandedHeightPixels();
}

void TqxInsFieldsForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Rolling up and down tells the owner by itself; here the clerk dragged the size grip.
    const bool byHand = isVisible() && !m_caption->isRolledUp() && event->oldSize().height() >= 0 &&
                        event->oldSize().height() != event->size().height() &&
                        event->oldSize().height() >= RollUpCaption::kRolledUpBelowPixels;
    if (byHand && HeightChangedHook)
        HeightChangedHook();
}

void TqxInsFieldsForm::hideEvent(QHideEvent *event)
{
    CurrentFieldRef();
    if (m_settings) {
        FormPlacement::save(*this, *m_settings, className());
        m_settings->writeInteger(QStringLiteral("Form\\") + className(),
                                 QStringLiteral("SplitterPos"), m_splitter->sizes().value(0));
    }
    QWidget::hideEvent(event);
    emit hidden();
}

} // namespace tovren::dialogs
