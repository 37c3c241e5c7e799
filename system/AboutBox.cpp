#include "system/AboutBox.h"

#include "resources/Resources.h"
#include "system/Platform.h"
#include "system/Version.h"
#include "ui_AboutBox.h"

#include <QApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QScreen>
#include <QUrl>

namespace {

QString HomepageAddress()
{
    return QString::fromUtf8(QUARNED_HOMEPAGE);
}

QString EmailAddress()
{
    return QString::fromUtf8(QUARNED_EMAIL);
}

// A missing or empty string leaves the design text in place.
void ShowIfPresent(QLabel* label, const QString& text)
{
    if (!text.isEmpty())
        label->setText(text);
}

} // namespace

VersionStrings BuiltInVersionStrings()
{
    return {QString::fromUtf8(QUARNED_PRODUCT_NAME), QString::fromUtf8(QUARNED_PRODUCT_VERSION),
            QString::fromUtf8(QUARNED_COPYRIGHT), QString::fromUtf8(QUARNED_COMMENTS)};
}

TAboutBox::TAboutBox(QWidget* parent, Platform& platform, std::function<void()> afterCreate,
                     const VersionStrings& version)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::TAboutBox>()), platform(platform)
{
    ui->setupUi(this);
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate(version, afterCreate);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::FormCreate(const VersionStrings& version, const std::function<void()>& afterCreate)
{
    ShowIfPresent(ui->Name, version.ProductName);
    if (!version.ProductName.isEmpty())
        setWindowTitle(windowTitle() + version.ProductName);
    ShowIfPresent(ui->Version, version.ProductVersion);
    ShowIfPresent(ui->Copyright, version.LegalCopyright);
    ShowIfPresent(ui->Notice, version.Comments);

    ui->Icon->setPixmap(ApplicationIcon().pixmap(ui->Icon->maximumSize(), devicePixelRatioF()));
    MakeLink(ui->email, EmailAddress());
    MakeLink(ui->homepage, HomepageAddress());

    if (afterCreate)
        afterCreate();
}

void TAboutBox::MakeLink(QLabel* label, const QString& text)
{
    label->setText(text);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
}

void TAboutBox::homepageClick()
{
    platform.OpenUrl(QUrl(HomepageAddress()));
}

void TAboutBox::emailClick()
{
    platform.OpenUrl(QUrl(QStringLiteral("mailto:") + EmailAddress()));
}

bool TAboutBox::IsClick(QObject* watched, QEvent* event, QLabel* label) const
{
    if (watched != label || event->type() != QEvent::MouseButtonRelease)
        return false;
    // Released over the label it was pressed on: a press starts a mouse grab,
    // so the release comes here only for a press on this label.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    return mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint());
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (IsClick(watched, event, ui->email))
        emailClick();
    else if (IsClick(watched, event, ui->homepage))
        homepageClick();
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::FormDeactivate()
{
    // Only another window of the program takes the box's place; switching to
    // another application is left alone.
    const QWidget* active = QApplication::activeWindow();
    if (isVisible() && active && active != this)
        activateWindow();
}

void TAboutBox::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        FormDeactivate();
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}
