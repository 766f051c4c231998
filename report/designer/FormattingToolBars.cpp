#include "report/designer/FormattingToolBars.h"

#include "report/designer/DesignerActions.h"

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
                                       QObject *parent)
    : QObject(parent)
{
    buildTextBar(text);
    buildFrameBar(frame);
    buildAlignmentBar(alignment);
}

QAction *FormattingToolBars::addButton(QToolBar &bar, const QString &name, const QString &hint,
                                       int tag, bool checkable)
{
    QAction *button = bar.addAction(DesignerActions::icon(name), hint);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setData(tag);
    button->setCheckable(checkable);
    connect(button, &QAction::triggered, this, [this, tag] {
        if (!m_updating)
            emit commandChosen(tag);
    });
    return button;
}

void FormattingToolBars::buildTextBar(QToolBar &bar)
{
    m_fontName = new QFontComboBox(&bar);
    m_fontName->setObjectName(QStringLiteral("C2"));
    m_fontName->setToolTip(QStringLiteral("字体名称"));
    m_fontName->setProperty("tag", 7);
    m_fontName->setMaximumWidth(150);
    m_textControls.append(bar.addWidget(m_fontName));
    connect(m_fontName, &QFontComboBox::textActivated, this, [this](const QString &family) {
        if (!m_updating)
            emit fontNameChosen(family);
    });

    m_fontSize = new QComboBox(&bar);
    m_fontSize->setObjectName(QStringLiteral("C3"));
    m_fontSize->setToolTip(QStringLiteral("字体大小"));
    m_fontSize->setProperty("tag", 8);
    m_fontSize->setEditable(true);
    m_fontSize->setInsertPolicy(QComboBox::NoInsert);
    m_fontSize->addItems({"5", "6", "7", "8", "9", "10", "11", "12", "14", "16", "18", "20", "22",
                          "24", "26", "28", "36", "48", "72"});
    m_fontSize->setMinimumContentsLength(3);
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

    m_frameWidth = new QComboBox(&bar);
    m_frameWidth->setObjectName(QStringLiteral("C4"));
    m_frameWidth->setToolTip(QStringLiteral("框线宽"));
    m_frameWidth->setProperty("tag", 6);
    m_frameWidth->setEditable(true);
    m_frameWidth->setInsertPolicy(QComboBox::NoInsert);
    m_frameWidth->addItems(
        {"0,1", "0,5", "1", "1,5", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    m_frameWidth->setMinimumContentsLength(3);
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
    if (m_fontName->currentText() != state.fontName)
        m_fontName->setEditText(state.fontName);
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
