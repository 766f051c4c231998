#include "report/dialogs/TqxDialogPageForm.h"

#include "report/model/ColorRef.h"
#include "report/model/TqxPage.h"
#include "report/model/TqxView.h"
#include "report/platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

// Border styles and positions as the page stores them.
constexpr quint8 kBorderNone = 0;
constexpr quint8 kBorderSizeable = 2;
constexpr quint8 kPositionDesigned = 0;

} // namespace

TqxDialogPageForm::TqxDialogPageForm(engine::TqxDialogPageWindow &window, QWidget *parent)
    : QDialog(parent)
    , m_window(window)
    , m_controls(new QWidget(this))
{
    const model::TqxPage &page = window.page();
    setObjectName(page.Name);
    setWindowTitle(page.Caption);
    m_controls->setObjectName(QStringLiteral("Controls"));
    m_controls->setFixedSize(std::max(page.Width, 1), std::max(page.Height, 1));
    m_controls->setAutoFillBackground(true);
    QPalette palette = m_controls->palette();
    palette.setColor(QPalette::Window, model::toQColor(page.Color));
    m_controls->setPalette(palette);
    placeObjects();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确认"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_controls);
    layout->addWidget(buttons);
    if (page.BorderStyle == kBorderSizeable)
        layout->setSizeConstraint(QLayout::SetMinimumSize);
    else
        layout->setSizeConstraint(QLayout::SetFixedSize);
    if (page.BorderStyle == kBorderNone)
        setWindowFlag(Qt::FramelessWindowHint);
    if (page.Position == kPositionDesigned)
        move(page.Left, page.Top);

    window.setCloseRequest([this](int result) { done(result); });
}

TqxDialogPageForm::~TqxDialogPageForm()
{
    m_window.setCloseRequest(nullptr);
}

void TqxDialogPageForm::placeObjects()
{
    const model::TqxPage &page = m_window.page();
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        const model::TqxView &view = *page.object(i);
        const QString text = view.Memo.join(u'\n');
        auto *control = new QLabel(text.isEmpty() ? view.Name : text, m_controls);
        control->setObjectName(view.Name);
        control->setFrameShape(QFrame::Panel);
        control->setFrameShadow(QFrame::Sunken);
        control->setGeometry(view.Left, view.Top, view.Width + 1, view.Height + 1);
        control->setVisible(view.Visible);
    }
}

void TqxDialogPageForm::accept()
{
    done(platform::mrOk);
}

void TqxDialogPageForm::reject()
{
    done(platform::mrCancel);
}

int WidgetDialogPageHost::showModal(engine::TqxDialogPageWindow &window)
{
    TqxDialogPageForm form(window, m_parent);
    return form.exec();
}

} // namespace tovren::dialogs
