#include "report/designer/FormattingToolBars.h"

#include "report/designer/DesignerActions.h"
#include "report/dialogs/ColorGlyphs.h"
#include "report/dialogs/TColorSelector.h"
#include "report/dialogs/TqxComboBox.h"
#include "report/dialogs/TqxFontComboBox.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScopedValueRollback>
#include <QToolBar>
#include <QToolButton>

namespace tovren::designer {

namespace {

QIcon lineStyleIcon(Qt::PenStyle style)
{
    QPixmap pixmap(60, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1, style));
    painter.drawLine(2, 6, 58, 6);
    return QIcon(pixmap);
}

} // namespace

FormattingToolBars::FormattingToolBars(QToolBar &text, QToolBar &frame, QToolBar &alignment,
                                       QWidget &window, platform::SettingsStore *recentFonts)
    : QObject(&window)
    , m_window(window)
{
    m_fontName = recentFonts ? new dialogs::TqxFontComboBox(*recentFonts, &text)
                             : new dialogs::TqxFontComboBox(&text);
    m_colourPopup = new dialogs::TColorSelector(&window);
    m_colourPopup->setObjectName(QStringLiteral("ColorPopup"));
    m_colourPopup->hide();
    connect(m_colourPopup, &dialogs::TColorSelector::colorSelected, this,
            [this](model::ColorRef colour) {
                showButtonColour(m_colourTag, colour);
                emit colourChosen(m_colourTag, colour);
            });
    buildTextBar(text);
    buildFrameBar(frame);
    buildAlignmentBar(alignment);
    // Until something is selected the boxes show nothing of their own, and the colour buttons
    // show black.
    for (QComboBox *box : {static_cast<QComboBox *>(m_fontName), fontSizeBox(), frameWidthBox()}) {
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
    for (const int tag : {5, 17, 19})
        showButtonColour(tag, model::clBlack);
}

QComboBox *FormattingToolBars::fontSizeBox() const
{
    return m_fontSize;
}

QComboBox *FormattingToolBars::frameWidthBox() const
{
    return m_frameWidth;
}

model::ColorRef FormattingToolBars::buttonColour(int tag) const
{
    return m_buttonColours.value(tag, model::clBlack);
}

void FormattingToolBars::showButtonColour(int tag, model::ColorRef colour)
{
    const char *name = tag == 5 ? "ClB1" : tag == 19 ? "ClB3" : "ClB2";
    QAction *button = action(QString::fromLatin1(name));
    if (!button)
        return;
    m_buttonColours.insert(tag, colour);
    const QImage glyphTemplate =
        DesignerActions::icon(QString::fromLatin1(name)).pixmap(16, 16).toImage();
    button->setIcon(QIcon(QPixmap::fromImage(dialogs::colourButtonGlyph(
        glyphTemplate, colour, m_window.palette().color(QPalette::Button)))));
}

void FormattingToolBars::openColourPopup(int tag)
{
    const char *name = tag == 5 ? "ClB1" : tag == 19 ? "ClB3" : "ClB2";
    QAction *button = action(QString::fromLatin1(name));
    QWidget *buttonWidget = nullptr;
    for (QObject *widget : button->associatedObjects()) {
        if (auto *toolButton = qobject_cast<QToolButton *>(widget))
            buttonWidget = toolButton;
    }
    if (!buttonWidget)
        return;
    m_lineStyles->hide();
    const QPoint at = buttonWidget->mapTo(&m_window, QPoint(0, 26));
    // A second click on the same button closes the pop-up again.
    const bool sameButton = m_colourPopup->isVisible() && m_colourTag == tag;
    m_colourTag = tag;
    if (sameButton) {
        m_colourPopup->hide();
        return;
    }
    m_colourPopup->markColor(buttonColour(tag));
    m_colourPopup->move(at);
    m_colourPopup->raise();
    m_colourPopup->show();
}

QAction *FormattingToolBars::addButton(QToolBar &bar, const QString &name, const QString &hint,
                                       int tag, bool checkable)
{
    QAction *button = bar.addAction(DesignerActions::icon(name), hint);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setData(tag);
    button->setCheckable(checkable);
    const bool colourButton = tag == 5 || tag == 17 || tag == 19;
    connect(button, &QAction::triggered, this, [this, tag, colourButton] {
        if (m_updating)
            return;
        if (colourButton)
            openColourPopup(tag);
        else
            emit commandChosen(tag);
    });
    return button;
}

void FormattingToolBars::buildTextBar(QToolBar &bar)
{
    m_fontName->setObjectName(QStringLiteral("C2"));
    m_fontName->setToolTip(QStringLiteral("字体名称"));
    m_fontName->setProperty("tag", 7);
    m_textControls.append(bar.addWidget(m_fontName));
    connect(m_fontName, &dialogs::TqxFontComboBox::fontChosen, this, [this](const QString &family) {
        if (!m_updating)
            emit fontNameChosen(family);
    });
    connect(m_fontName, &dialogs::TqxCustomComboBox::doubleClicked, this,
            &FormattingToolBars::fontDialogWanted);

    m_fontSize = new dialogs::TqxComboBox(&bar);
    m_fontSize->setObjectName(QStringLiteral("C3"));
    m_fontSize->setToolTip(QStringLiteral("字体大小"));
    m_fontSize->setProperty("tag", 8);
    m_fontSize->setFixedWidth(48);
    m_fontSize->addItems({"5", "6", "7", "8", "9", "10", "11", "12", "14", "16", "18", "20", "22",
                          "24", "26", "28", "36", "48", "72"});
    m_textControls.append(bar.addWidget(m_fontSize));
    connect(m_fontSize, &QComboBox::textActivated, this, [this](const QString &size) {
        if (!m_updating)
            emit fontSizeChosen(size);
    });
    bar.addSeparator();

    m_textControls << addButton(bar, QStringLiteral("FnB1"), QStringLiteral("粗体"), 9, true)
                   << addButton(bar, QStringLiteral("FnB2"), QStringLiteral("斜体"), 10, true)
                   << addButton(bar, QStringLiteral("FnB3"), QStringLiteral("下划线"), 18, true);
    bar.addSeparator();
    auto *horizontal = new QActionGroup(this);
    for (const auto &[name, hint, tag] :
         {std::tuple{"AlB1", "左对齐", 11}, std::tuple{"AlB2", "右对齐", 12},
          std::tuple{"AlB3", "中间对齐", 13}, std::tuple{"AlB8", "宽度对齐", 22}}) {
        QAction *button =
            addButton(bar, QString::fromLatin1(name), QString::fromUtf8(hint), tag, true);
        horizontal->addAction(button);
        m_textControls << button;
    }
    m_textControls << addButton(bar, QStringLiteral("AlB4"), QStringLiteral("转90度"), 14, true);
    auto *vertical = new QActionGroup(this);
    for (const auto &[name, hint] :
         {std::pair{"AlB6", "顶端对齐"}, std::pair{"AlB5", "垂向中间对齐"},
          std::pair{"AlB7", "底端对齐"}}) {
        QAction *button =
            addButton(bar, QString::fromLatin1(name), QString::fromUtf8(hint), 15, true);
        vertical->addAction(button);
        m_textControls << button;
    }
    bar.addSeparator();
    m_textControls << addButton(bar, QStringLiteral("ClB2"), QStringLiteral("字体颜色"), 17, false)
                   << addButton(bar, QStringLiteral("HlB1"), QStringLiteral("条件高亮度"), 59,
                                false);
}

void FormattingToolBars::buildFrameBar(QToolBar &bar)
{
    for (const auto &[name, hint, tag] :
         {std::tuple{"FrB1", "顶框线", 1}, std::tuple{"FrB2", "左框线", 2},
          std::tuple{"FrB3", "底框线", 3}, std::tuple{"FrB4", "右框线", 4}}) {
        m_frameControls << addButton(bar, QString::fromLatin1(name), QString::fromUtf8(hint), tag,
                                     true);
    }
    m_frameControls << addButton(bar, QStringLiteral("FrB5"), QStringLiteral("有框线"), 20, false)
                    << addButton(bar, QStringLiteral("FrB6"), QStringLiteral("无框线"), 21, false);
    bar.addSeparator();
    m_frameControls << addButton(bar, QStringLiteral("ClB1"), QStringLiteral("背景色"), 5, false)
                    << addButton(bar, QStringLiteral("ClB3"), QStringLiteral("框线色"), 19, false);

    m_frameWidth = new dialogs::TqxComboBox(&bar);
    m_frameWidth->setObjectName(QStringLiteral("C4"));
    m_frameWidth->setToolTip(QStringLiteral("框线宽"));
    m_frameWidth->setProperty("tag", 6);
    m_frameWidth->setFixedWidth(48);
    m_frameWidth->addItems(
        {"0,1", "0,5", "1", "1,5", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    m_frameControls.append(bar.addWidget(m_frameWidth));
    connect(m_frameWidth, &QComboBox::textActivated, this, [this](const QString &width) {
        if (!m_updating)
            emit frameWidthChosen(width);
    });

    // The six line styles drop down under their button.
    QAction *styles =
        bar.addAction(DesignerActions::icon(QStringLiteral("StB1")), QStringLiteral("线型"));
    styles->setObjectName(QStringLiteral("StB1"));
    styles->setToolTip(QStringLiteral("线型"));
    m_lineStyles = new QMenu;
    m_lineStyles->setObjectName(QStringLiteral("LinePanel"));
    connect(this, &QObject::destroyed, m_lineStyles, &QObject::deleteLater);
    const Qt::PenStyle penStyles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                      Qt::DashDotLine, Qt::DashDotDotLine, Qt::SolidLine};
    for (int i = 0; i < 6; ++i) {
        QAction *style = m_lineStyles->addAction(lineStyleIcon(penStyles[i]),
                                                 i == 5 ? QStringLiteral("双线") : QString());
        style->setObjectName(QStringLiteral("qxSpeedButton%1").arg(i + 1));
        connect(style, &QAction::triggered, this, [this, i] { emit commandChosen(25 + i); });
    }
    styles->setMenu(m_lineStyles);
    if (auto *button = qobject_cast<QToolButton *>(bar.widgetForAction(styles)))
        button->setPopupMode(QToolButton::InstantPopup);
    m_frameControls << styles;
}

void FormattingToolBars::buildAlignmentBar(QToolBar &bar)
{
    const char *hints[] = {"左边缘对齐",   "水平中心对齐", "窗口水平中心对齐", "水平均匀分布",
                           "右边缘对齐",   "顶端对齐",     "垂向中心对齐",     "窗口垂向中心对齐",
                           "垂向均匀分布", "底端对齐"};
    for (int i = 0; i < 10; ++i) {
        const QString name = QStringLiteral("Align%1").arg(i + 1);
        QAction *button = bar.addAction(DesignerActions::icon(name), QString::fromUtf8(hints[i]));
        button->setObjectName(name);
        button->setToolTip(QString::fromUtf8(hints[i]));
        button->setData(60);
        connect(button, &QAction::triggered, this, [this, i] { emit alignmentChosen(i + 1); });
        m_alignmentControls << button;
    }
}

QAction *FormattingToolBars::action(const QString &name) const
{
    for (const QList<QAction *> *list : {&m_textControls, &m_frameControls, &m_alignmentControls}) {
        for (QAction *candidate : *list) {
            if (candidate->objectName() == name)
                return candidate;
        }
    }
    return m_lineStyles ? m_lineStyles->findChild<QAction *>(name) : nullptr;
}

void FormattingToolBars::show(const FormattingState &state)
{
    const QScopedValueRollback<bool> updating(m_updating, true);
    const auto setDown = [this](const char *name, bool down) {
        action(QString::fromLatin1(name))->setChecked(down);
    };
    setDown("FrB1", state.frameTop);
    setDown("FrB2", state.frameLeft);
    setDown("FrB3", state.frameBottom);
    setDown("FrB4", state.frameRight);
    m_frameWidth->setEditText(state.frameWidthText);
    showButtonColour(5, state.fillColor);
    showButtonColour(19, state.frameColor);
    showButtonColour(17, state.fontColor.value_or(model::clBlack));
    if (m_fontName->currentText() != state.fontName)
        m_fontName->setFontFamily(state.fontName);
    if (m_fontSize->currentText() != state.fontSizeText)
        m_fontSize->setEditText(state.fontSizeText);
    setDown("FnB1", state.bold);
    setDown("FnB2", state.italic);
    setDown("FnB3", state.underline);
    const char *horizontal[] = {"AlB1", "AlB2", "AlB3", "AlB8"};
    setDown(horizontal[std::clamp(state.horizontalAlignment, 0, 3)], true);
    setDown("AlB4", state.rotated);
    const char *vertical[] = {"AlB6", "AlB5", "AlB7"};
    setDown(vertical[std::clamp(state.verticalAlignment, 0, 2)], true);
}

void FormattingToolBars::enable(bool frame, bool text, bool alignment)
{
    for (QAction *control : m_frameControls)
        control->setEnabled(frame);
    for (QAction *control : m_textControls)
        control->setEnabled(text);
    for (QAction *control : m_alignmentControls)
        control->setEnabled(alignment);
}

} // namespace tovren::designer
