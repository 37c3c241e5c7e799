#include "system/SearchForm.h"

#include "system/PathAbbreviation.h"
#include "system/SearchState.h"
#include "ui_SearchForm.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>

TSearchForm::TSearchForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::TSearchForm>())
{
    ui->setupUi(this);
    // While a scan runs the user stays in this window: a second scan started
    // from the main window would share the flags of the first.
    setWindowModality(Qt::ApplicationModal);
    connect(ui->Browse, &QPushButton::clicked, this, &TSearchForm::BrowseClick);
    connect(ui->Cancel, &QPushButton::clicked, this, &TSearchForm::CancelClick);
}

TSearchForm::~TSearchForm() = default;

void TSearchForm::UseState(SearchState* searchState)
{
    state = searchState;
}

void TSearchForm::ShowFolder(const QString& folder)
{
    // Repainting the label for every folder would cost the scan several times
    // what listing the folders does; about 30 changes a second are readable.
    constexpr qint64 MinimumInterval = 33; // milliseconds
    if (sinceFolderShown.isValid() && sinceFolderShown.elapsed() < MinimumInterval)
        return;
    sinceFolderShown.start();
    const QFontMetrics metrics(ui->SearchDir->font());
    const auto measure = [metrics](const QString& text) { return metrics.horizontalAdvance(text); };
    ui->SearchDir->setText(AbbreviatePath(folder, measure, ui->SearchDir->width()));
}

void TSearchForm::reject()
{
    ui->Cancel->click();
}

void TSearchForm::accept()
{
    ui->Browse->click();
}

void TSearchForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TSearchForm::hideEvent(QHideEvent* event)
{
    FormHide();
    QDialog::hideEvent(event);
}

void TSearchForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        FormDeactivate();
}

void TSearchForm::FormShow()
{
    sinceFolderShown.invalidate(); // the first folder of a scan shows at once
    CentreOnOwner();
    ui->Browse->setFocus();
    ui->SearchAnimate->Start();
}

void TSearchForm::FormHide()
{
    ui->SearchAnimate->Stop();
}

void TSearchForm::FormDeactivate()
{
    // Only another window of the editor is kept from the user; switching to
    // another program is the user's right.
    const bool otherEditorWindow = QApplication::activeWindow() != nullptr;
    if (state && state->SearchRunning && isVisible() && otherEditorWindow) {
        raise();
        activateWindow();
    }
}

void TSearchForm::BrowseClick()
{
    if (!state)
        return;
    state->SearchStopped = true;
    state->BrowseRequested = true;
}

void TSearchForm::CancelClick()
{
    if (state)
        state->SearchStopped = true;
}

void TSearchForm::CentreOnOwner()
{
    if (!parentWidget())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(parentWidget()->window()->frameGeometry().center());
    move(frame.topLeft());
}
