#include "report/dialogs/TqxAboutForm.h"

#include "report/dialogs/DialogWidgets.h"
#include "report/platform/StringTable.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

constexpr int kLogoPixels = 64;

/// A label that opens something when clicked: a link (underlined while the mouse is over
/// it, and pressed one pixel right and down while the button is held) or the logo.
class ClickableLabel : public QLabel
{
public:
    enum class Kind { Link, Picture };

    ClickableLabel(Kind kind, std::function<void()> onClick)
        : m_kind(kind)
        , m_onClick(std::move(onClick))
    {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void enterEvent(QEnterEvent *event) override
    {
        setUnderlined(true);
        QLabel::enterEvent(event);
    }
    void leaveEvent(QEvent *event) override
    {
        setUnderlined(false);
        QLabel::leaveEvent(event);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        if (m_kind == Kind::Link)
            setContentsMargins(1, 1, 0, 0);
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        setContentsMargins(0, 0, 0, 0);
        if (rect().contains(event->position().toPoint()) && m_onClick)
            m_onClick();
    }

private:
    void setUnderlined(bool underlined)
    {
        if (m_kind != Kind::Link)
            return;
        QFont shown = font();
        shown.setUnderline(underlined);
        setFont(shown);
    }

    Kind m_kind;
    std::function<void()> m_onClick;
};

/// Our logo: a certificate sheet with a seal, on the program's blue.
QPixmap logoPixmap()
{
    const QColor kLogoBlue(24, 72, 140);
    const QColor kSealGold(214, 160, 40);
    QPixmap pixmap(kLogoPixels, kLogoPixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLogoBlue);
    painter.drawRoundedRect(QRectF(0, 0, kLogoPixels, kLogoPixels), 12, 12);

    const QRectF sheet(14, 10, 36, 44);
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    painter.setPen(QPen(kLogoBlue, 2));
    painter.drawLine(QPointF(20, 18), QPointF(44, 18));
    painter.setPen(QPen(QColor(150, 160, 175), 1.5));
    for (qreal y = 25; y <= 37; y += 6)
        painter.drawLine(QPointF(20, y), QPointF(44, y));

    painter.setPen(Qt::NoPen);
    painter.setBrush(kSealGold);
    QPainterPath ribbon;
    ribbon.moveTo(40, 48);
    ribbon.lineTo(37, 60);
    ribbon.lineTo(42, 57);
    ribbon.lineTo(47, 60);
    ribbon.lineTo(44, 48);
    painter.drawPath(ribbon);
    painter.drawEllipse(QPointF(42, 46), 7, 7);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(42, 46), 3, 3);
    return pixmap;
}

struct Address
{
    const char *caption;
    const char *objectName;
    QString shown;
    QUrl url;
};

} // namespace

TqxAboutForm::TqxAboutForm(const QString &version, QWidget *parent)
    : QDialog(parent)
    , m_opener([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setWindowTitle(QStringLiteral("关于 Tovren"));

    auto *panel = named<QFrame>("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *logo = new ClickableLabel(ClickableLabel::Kind::Picture, [this] { open(productPage()); });
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(logoPixmap());
    logo->setToolTip(productPage().toString());

    auto *name = named<QLabel>("ProductLabel", QStringLiteral("Tovren"));
    QFont nameFont = name->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
    nameFont.setBold(true);
    name->setFont(nameFont);
    auto *purpose = named<QLabel>("PurposeLabel", QStringLiteral("毕业生档案管理与毕业证书打印"));
    auto *versionLabel = named<QLabel>("VersionLabel", QStringLiteral("版本 %1").arg(version));
    auto *titles = new QVBoxLayout;
    titles->addWidget(name);
    titles->addWidget(purpose);
    titles->addWidget(versionLabel);
    titles->addStretch();
    auto *heading = new QHBoxLayout;
    heading->addWidget(logo, 0, Qt::AlignTop);
    heading->addSpacing(8);
    heading->addLayout(titles, 1);

    const QString site = productPage().toString();
    const QList<Address> addresses = {
        {"网址:", "WwwLink", site, productPage()},
        {"电子邮件:", "MailLink", QStringLiteral("info@tovren.example.cn"),
         QUrl(QStringLiteral("mailto:info@tovren.example.cn"))},
        {"销售:", "SalesLink", site + QStringLiteral("/buy"), QUrl(site + QStringLiteral("/buy"))},
        {"技术支持:", "SupportLink", QStringLiteral("support@tovren.example.cn"),
         QUrl(QStringLiteral("mailto:support@tovren.example.cn"))},
    };
    auto *links = new QGridLayout;
    links->setHorizontalSpacing(8);
    for (int row = 0; row < addresses.size(); ++row) {
        const Address &address = addresses[row];
        auto *caption = new QLabel(QString::fromUtf8(address.caption));
        auto *link = new ClickableLabel(ClickableLabel::Kind::Link,
                                        [this, url = address.url] { open(url); });
        link->setObjectName(QLatin1String(address.objectName));
        link->setText(address.shown);
        QPalette linkColours = link->palette();
        linkColours.setColor(QPalette::WindowText, linkColours.color(QPalette::Link));
        link->setPalette(linkColours);
        links->addWidget(caption, row, 0, Qt::AlignRight);
        links->addWidget(link, row, 1);
    }
    links->setColumnStretch(1, 1);

    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(14, 14, 14, 14);
    panelLayout->addLayout(heading);
    panelLayout->addSpacing(10);
    panelLayout->addLayout(links);

    auto *ok = named<QPushButton>("OkButton", platform::LoadLibraryString(55000));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    fixDialogSize(*this);
}

TqxAboutForm::~TqxAboutForm() = default;

QUrl TqxAboutForm::productPage()
{
    return QUrl(QStringLiteral("https://tovren.example.cn"));
}

void TqxAboutForm::open(const QUrl &url)
{
    if (m_opener)
        m_opener(url);
}

void TqxAboutForm::mousePressEvent(QMouseEvent *event)
{
    // Presses that no link took land here: they drag the window, as its caption would.
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void TqxAboutForm::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_dragOffset);
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void TqxAboutForm::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}

} // namespace tovren::dialogs
