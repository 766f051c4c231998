#include "report/dialogs/TqxInspForm.h"

#include "report/dialogs/RollUpCaption.h"
#include "report/dialogs/TColorSelector.h"
#include "report/dialogs/TqxPopupListBox.h"
#include "report/platform/StringTable.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSizeGrip>
#include <QStyleHints>
#include <QStylePainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

constexpr int kCaptionString = 53059;
constexpr int kFirstAliasString = 58001;
constexpr int kInitialWidthPixels = 215;
constexpr int kInitialHeightPixels = 320;
constexpr int kObjectBoxItemPixels = 15;
constexpr int kSplitGrabPixels = 2;
constexpr int kListPaddingPixels = 8;
constexpr int kScrollBarPixels = 16;
const QColor kValueColour(0x00, 0x00, 0x80); // navy

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

// ---- the object box: closed, it names the shown object's class too

class TqxInspForm::ObjectBox : public QComboBox
{
public:
    explicit ObjectBox(TqxInspForm &form)
        : QComboBox(&form)
        , m_form(form)
    {
        setObjectName(QStringLiteral("CB1"));
    }

    void showPopup() override
    {
        m_form.refillObjectBox();
        QComboBox::showPopup();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        if (!currentText().isEmpty() && !m_form.m_shownClass.isEmpty())
            option.currentText = currentText() + QStringLiteral(": ") + m_form.m_shownClass;
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }

private:
    TqxInspForm &m_form;
};

// ---- the rows

class TqxInspForm::RowsPanel : public QWidget
{
public:
    explicit RowsPanel(TqxInspForm &form)
        : m_form(form)
    {
        setObjectName(QStringLiteral("PaintBox1"));
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *) override { m_splitDragging = false; }
    void resizeEvent(QResizeEvent *) override { m_form.placeEditingControls(); }

private:
    bool onDivider(int x) const
    {
        return x > m_form.m_splitPos - kSplitGrabPixels && x < m_form.m_splitPos + kSplitGrabPixels;
    }
    void paintRow(QPainter &painter, int index, bool selected) const;

    TqxInspForm &m_form;
    bool m_splitDragging = false;
};

void TqxInspForm::RowsPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    if (m_form.m_refilling || m_form.m_suppressed)
        return;
    for (int i = 0; i < m_form.rowCount(); ++i) {
        if (i != m_form.m_selectedRow)
            paintRow(painter, i, false);
    }
    if (m_form.m_selectedRow >= 0 && m_form.m_selectedRow < m_form.rowCount())
        paintRow(painter, m_form.m_selectedRow, true);
}

void TqxInspForm::RowsPanel::paintRow(QPainter &painter, int index, bool selected) const
{
    const int line = m_form.m_lineHeight;
    const int split = m_form.m_splitPos;
    const int y = index * line;
    const int right = width() - 1;
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    if (!selected) {
        painter.setPen(shadow);
        painter.drawLine(0, y + line - 1, right, y + line - 1);
        painter.drawLine(split - 1, y, split - 1, y + line - 1);
        painter.setPen(light);
        painter.drawLine(split, y, split, y + line - 1);
    } else {
        // Drawn sunken, the edit box sits in the hollow.
        painter.setPen(shadow);
        painter.drawLine(0, y - 2, right, y - 2);
        painter.drawLine(split - 1, y, split - 1, y + line - 1);
        painter.setPen(Qt::black);
        painter.drawLine(0, y - 1, right, y - 1);
        painter.drawLine(0, y - 1, 0, y + line - 1);
        painter.setPen(light);
        painter.drawLine(1, y + line - 1, right, y + line - 1);
        painter.drawLine(split, y, split, y + line - 1);
        painter.drawLine(split + 1, y, split + 1, y + line - 1);
    }
    const QRect nameCell(5, y + 1, std::max(0, split - 2 - 5), line - 2);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(nameCell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     m_form.rowLabel(index));
    if (!selected) {
        painter.setPen(kValueColour);
        const QRect valueCell(split + 2, y + 1, std::max(0, width() - split - 4), line - 2);
        painter.drawText(valueCell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         m_form.m_rows[size_t(index)].valueText);
    }
}

void TqxInspForm::RowsPanel::mousePressEvent(QMouseEvent *event)
{
    if (m_form.m_suppressed || event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (onDivider(at.x())) {
        m_splitDragging = true;
        return;
    }
    m_form.SelectRow(at.y() / m_form.m_lineHeight);
    m_form.m_edit->setFocus();
    m_form.m_lastRowClickMs = nowMs();
}

void TqxInspForm::RowsPanel::mouseMoveEvent(QMouseEvent *event)
{
    const int x = event->position().toPoint().x();
    if (m_splitDragging) {
        if (x > kMinSplitPixels)
            m_form.setSplitPos(x);
        return;
    }
    setCursor(onDivider(x) ? Qt::SplitHCursor : Qt::ArrowCursor);
}

// ---- the window

TqxInspForm::TqxInspForm(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
    , m_colorDialog([this](model::ColorRef start) { return chooseColorInDialog(start, this); })
    , m_caption(new RollUpCaption(*this))
    , m_objectBox(new ObjectBox(*this))
    , m_box(new QScrollArea(this))
    , m_panel(new RowsPanel(*this))
    , m_edit(new QLineEdit(m_panel))
    , m_editButton(new QToolButton(m_panel))
    , m_comboButton(new QToolButton(m_panel))
    , m_popup(new TqxPopupListBox(this))
{
    setObjectName(QStringLiteral("TqxInspForm"));
    setWindowTitle(platform::LoadLibraryString(kCaptionString));
    buildAliases();
    m_lineHeight = fontMetrics().height() + 3;

    m_objectBox->view()->setMinimumHeight(kObjectBoxItemPixels);
    connect(m_objectBox, &QComboBox::activated, this, [this](int index) {
        if (ObjectChosenHook && index >= 0)
            ObjectChosenHook(m_objectBox->itemText(index));
        m_edit->setFocus();
    });

    m_box->setObjectName(QStringLiteral("Box"));
    m_box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_box->setWidgetResizable(true);
    m_box->setFrameShape(QFrame::StyledPanel);
    m_box->setWidget(m_panel);
    m_box->verticalScrollBar()->setSingleStep(m_lineHeight);

    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setFrame(false);
    m_edit->installEventFilter(this);
    m_editButton->setObjectName(QStringLiteral("EditBtn"));
    m_editButton->setText(QStringLiteral("..."));
    m_comboButton->setObjectName(QStringLiteral("ComboBtn"));
    m_comboButton->setArrowType(Qt::DownArrow);
    for (QToolButton *button : {m_editButton, m_comboButton}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->hide();
    }
    m_edit->hide();
    connect(m_editButton, &QToolButton::clicked, this, &TqxInspForm::runEditor);
    connect(m_comboButton, &QToolButton::clicked, this, &TqxInspForm::toggleDropDown);
    connect(m_popup, &TqxPopupListBox::entryChosen, this, &TqxInspForm::chooseDropDownEntry);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(2);
    layout->addWidget(m_caption);
    layout->addWidget(m_objectBox);
    layout->addWidget(m_box, 1);
    auto *grip = new QSizeGrip(this);
    layout->addWidget(grip, 0, Qt::AlignRight | Qt::AlignBottom);

    resize(kInitialWidthPixels, kInitialHeightPixels);
    m_caption->setBody({m_objectBox, m_box, grip});
    m_caption->setExpandedHeightPixels(height());
    connect(m_caption, &RollUpCaption::aboutToRollUp, m_popup, &QWidget::hide);
    connect(m_caption, &RollUpCaption::unrolled, this, [this] {
        ListFilled();
        m_edit->selectAll();
        m_edit->setModified(false);
    });
    connect(m_caption, &RollUpCaption::heightToggled, this, [this] {
        if (HeightChangedHook)
            HeightChangedHook();
    });
}

TqxInspForm::~TqxInspForm() = default;

QComboBox *TqxInspForm::objectBox() const
{
    return m_objectBox;
}

void TqxInspForm::buildAliases()
{
    // "name=alias" pairs follow one another until the first missing number; an empty alias
    // or a pair without "=" names nothing.
    for (int id = kFirstAliasString;; ++id) {
        const QString pair = platform::LoadLibraryString(id);
        if (pair.isEmpty())
            break;
        const qsizetype equals = pair.indexOf(u'=');
        if (equals <= 0 || equals == pair.size() - 1)
            continue;
        m_aliases.insert(pair.left(equals).toUpper(), pair.mid(equals + 1));
    }
}

QString TqxInspForm::rowLabel(int index) const
{
    const QString &name = m_rows.at(size_t(index)).name;
    if (m_localizedNames) {
        const auto alias = m_aliases.constFind(name.toUpper());
        if (alias != m_aliases.constEnd())
            return *alias;
    }
    return name;
}

void TqxInspForm::setLocalizedNames(bool localized)
{
    m_localizedNames = localized;
    m_panel->update();
}

void TqxInspForm::ClearList()
{
    m_rows.clear();
}

void TqxInspForm::AddRow(InspectorRow row)
{
    row.valueText = InspectorValue::shownText(row, row.valueText);
    m_rows.push_back(std::move(row));
}

std::optional<script::Variant> TqxInspForm::RowValue(int row) const
{
    if (row < 0 || row >= rowCount())
        return std::nullopt;
    return InspectorValue::read(m_rows[size_t(row)]);
}

void TqxInspForm::layOutRows()
{
    m_panel->setMinimumHeight(rowCount() * m_lineHeight);
}

void TqxInspForm::ListFilled()
{
    m_selectedRow = -1;
    {
        const QScopedValueRollback<bool> refilling(m_refilling, true);
        layOutRows();
    }
    int remembered = 0;
    for (int i = 0; i < rowCount(); ++i) {
        if (m_rows[size_t(i)].name == m_rememberedProperty) {
            remembered = i;
            break;
        }
    }
    SelectRow(remembered);
    if (m_suppressed) {
        m_objectBox->setCurrentIndex(-1);
        return;
    }
    if (m_objectBox->currentText() != m_shownName) {
        refillObjectBox();
        m_objectBox->setCurrentIndex(m_objectBox->findText(m_shownName));
    }
    m_objectBox->update();
    m_panel->update();
}

void TqxInspForm::refillObjectBox()
{
    if (!ObjectListHook)
        return;
    const QString selected = m_objectBox->currentText();
    QStringList names = ObjectListHook();
    names.sort(Qt::CaseInsensitive);
    const QSignalBlocker blocker(m_objectBox);
    m_objectBox->clear();
    m_objectBox->addItems(names);
    m_objectBox->setCurrentIndex(m_objectBox->findText(selected));
}

void TqxInspForm::setShownObject(const QString &name, const QString &className)
{
    m_shownName = name;
    m_shownClass = className;
}

void TqxInspForm::setListSuppressed(bool suppressed)
{
    m_suppressed = suppressed;
    if (suppressed)
        m_popup->hide();
    placeEditingControls();
    m_panel->update();
}

void TqxInspForm::setSplitPos(int pixels)
{
    m_splitPos = std::max(pixels, kMinSplitPixels + 1);
    placeEditingControls();
    m_panel->update();
}

void TqxInspForm::SelectRow(int index)
{
    if (m_applying)
        return;
    index = std::min(index, rowCount() - 1);
    if (rowCount() == 0 || index < 0) {
        m_selectedRow = -1;
        placeEditingControls();
        m_panel->update();
        return;
    }
    if (m_selectedRow >= 0 && m_selectedRow < rowCount() && m_edit->isModified())
        commitFromEdit(m_edit->text());
    index = std::min(index, rowCount() - 1);
    m_selectedRow = index;
    m_popup->hide();
    const InspectorRow &row = m_rows[size_t(index)];
    m_edit->setReadOnly(row.readOnly());
    m_edit->setText(row.valueText);
    m_edit->selectAll();
    m_edit->setModified(false);
    placeEditingControls();
    const int y = index * m_lineHeight + 1;
    m_box->ensureVisible(0, y + m_lineHeight / 2, 0, m_lineHeight / 2 + 1);
    m_rememberedProperty = row.name;
    m_panel->update();
}

void TqxInspForm::placeEditingControls()
{
    const bool rows = rowCount() > 0 && m_selectedRow >= 0 && m_selectedRow < rowCount();
    m_edit->setVisible(rows && !m_suppressed);
    if (!rows) {
        m_editButton->hide();
        m_comboButton->hide();
        return;
    }
    const InspectorRow &row = m_rows[size_t(m_selectedRow)];
    const bool editor = bool(row.editor) && !m_suppressed;
    const bool dropDown = row.hasDropDown() && !m_suppressed;
    const int y = m_selectedRow * m_lineHeight + 1;
    const int panelWidth = m_panel->width();
    int editWidth = panelWidth - m_splitPos - 2;
    const QRect buttonRect(panelWidth - kButtonPixels, y, kButtonPixels, m_lineHeight - 2);
    m_editButton->setVisible(editor);
    m_comboButton->setVisible(dropDown && !editor);
    if (editor || dropDown) {
        (editor ? m_editButton : m_comboButton)->setGeometry(buttonRect);
        editWidth -= kButtonPixels + 1;
    }
    m_edit->setGeometry(m_splitPos + 2, y, std::max(0, editWidth), m_lineHeight - 2);
}

void TqxInspForm::CommitText(const QString &text)
{
    if (m_suppressed || m_selectedRow < 0 || m_selectedRow >= rowCount())
        return;
    const int index = m_selectedRow;
    InspectorRow &row = m_rows[size_t(index)];
    if (!(text.isEmpty() && row.name.compare(u"Name", Qt::CaseInsensitive) == 0))
        row.valueText = text;
    m_edit->setModified(false);
    {
        const QScopedValueRollback<bool> applying(m_applying, true);
        if (PropertyChangedHook)
            PropertyChangedHook(index);
    }
    SelectRow(index < rowCount() ? index : 0);
}

void TqxInspForm::commitFromEdit(const QString &text)
{
    CommitText(text);
    m_edit->setModified(false);
    m_edit->selectAll();
}

bool TqxInspForm::handleEditKey(int key)
{
    if (m_suppressed || m_selectedRow < 0)
        return false;
    switch (key) {
    case Qt::Key_Escape:
        m_edit->setText(m_rows[size_t(m_selectedRow)].valueText);
        m_edit->selectAll();
        m_edit->setModified(false);
        return true;
    case Qt::Key_Up:
        if (m_selectedRow > 0)
            SelectRow(m_selectedRow - 1);
        return true;
    case Qt::Key_Down:
        if (m_selectedRow < rowCount() - 1)
            SelectRow(m_selectedRow + 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_rows[size_t(m_selectedRow)].kind & model::pkHasEditor &&
            m_rows[size_t(m_selectedRow)].readOnly()) {
            runEditor();
        } else if (m_edit->isModified()) {
            commitFromEdit(m_edit->text());
        }
        m_edit->setModified(false);
        m_edit->selectAll();
        return true;
    default:
        return false;
    }
}

void TqxInspForm::doubleClickValue()
{
    if (m_suppressed || m_selectedRow < 0 || m_selectedRow >= rowCount())
        return;
    const InspectorRow &row = m_rows[size_t(m_selectedRow)];
    if (row.kind & model::pkHasEditor) {
        runEditor();
        return;
    }
    QString next;
    if (row.kind & model::pkColor) {
        const std::optional<model::ColorRef> current = InspectorValue::readColour(row.valueText);
        const std::optional<model::ColorRef> chosen =
            m_colorDialog ? m_colorDialog(current.value_or(model::clBlack)) : std::nullopt;
        if (!chosen)
            return;
        next = InspectorValue::colourText(*chosen);
    } else if (row.kind & (model::pkBoolean | model::pkEnumeration)) {
        if ((row.kind & model::pkEnumeration) && row.choices.isEmpty())
            return;
        next = InspectorValue::steppedText(row);
    } else {
        return;
    }
    m_edit->setText(next);
    commitFromEdit(next);
}

void TqxInspForm::runEditor()
{
    if (m_suppressed || m_selectedRow < 0 || m_selectedRow >= rowCount())
        return;
    // The editor may refill the list, so the hook is copied before it runs.
    const std::function<void()> editor = m_rows[size_t(m_selectedRow)].editor;
    if (editor)
        editor();
    m_edit->selectAll();
}

void TqxInspForm::toggleDropDown()
{
    const QScopedValueRollback<bool> refilling(m_refilling, true);
    if (m_popup->isVisible()) {
        m_popup->hide();
        m_edit->setFocus();
        return;
    }
    if (m_selectedRow < 0 || m_selectedRow >= rowCount())
        return;
    const InspectorRow &row = m_rows[size_t(m_selectedRow)];
    const QStringList entries = row.dropDownEntries();
    if (entries.isEmpty())
        return;
    m_popup->setEntries(entries, row.valueText);
    int width = m_popup->widestEntryPixels() + kListPaddingPixels;
    int lines = int(entries.size());
    if (lines > kMaxDropDownLines) {
        width += kScrollBarPixels;
        lines = kMaxDropDownLines;
    }
    const int height = lines * (m_popup->itemHeightPixels() + 1) + 2;
    const int column = m_panel->width() - m_splitPos;
    int x = 0;
    if (width < column) {
        x = m_splitPos + 1;
        width = column + 1;
    } else {
        x = m_panel->width() - width + 2;
    }
    QPoint topLeft = m_panel->mapToGlobal(QPoint(x, m_edit->geometry().bottom() + 1));
    if (const QScreen *screen = this->screen())
        topLeft.setX(std::max(topLeft.x(), screen->geometry().left()));
    m_popup->popUp(QRect(topLeft, QSize(width, height)));
}

void TqxInspForm::chooseDropDownEntry(int entry)
{
    QListWidgetItem *item = m_popup->listBox()->item(entry);
    if (!item)
        return;
    m_edit->setText(item->text());
    m_edit->setFocus();
    commitFromEdit(item->text());
}

bool TqxInspForm::isRolledUp() const
{
    return m_caption->isRolledUp() && isVisible();
}

void TqxInspForm::toggleRollUp()
{
    m_caption->toggle();
}

void TqxInspForm::ShowAndUnroll()
{
    show();
    raise();
    if (m_caption->isRolledUp()) {
        m_caption->unroll();
        if (HeightChangedHook)
            HeightChangedHook();
    }
}

bool TqxInspForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (handleEditKey(static_cast<QKeyEvent *>(event)->key()))
            return true;
        break;
    case QEvent::MouseButtonPress:
        // The first click selected the row and moved the edit box under the mouse; a second
        // one soon after is a double click on the value.
        if (m_lastRowClickMs >= 0 &&
            nowMs() - m_lastRowClickMs <
                QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
            m_lastRowClickMs = -1;
            doubleClickValue();
            return true;
        }
        break;
    case QEvent::MouseButtonDblClick:
        doubleClickValue();
        return true;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TqxInspForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    m_caption->update();
    if (isActiveWindow()) {
        if (m_edit->isEnabled() && m_edit->isVisible())
            m_edit->setFocus();
        return;
    }
    if (m_refilling || m_popup->isVisible())
        return;
    // Leaving the window commits typed text; choices and editors commit on their own.
    if (m_selectedRow >= 0 && m_selectedRow < rowCount() && m_edit->isModified()) {
        const InspectorRow &row = m_rows[size_t(m_selectedRow)];
        if (!row.hasDropDown() && !(row.kind & model::pkHasEditor))
            commitFromEdit(m_edit->text());
    }
}

} // namespace tovren::dialogs
