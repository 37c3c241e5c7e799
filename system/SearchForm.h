#pragma once

#include <QDialog>
#include <QElapsedTimer>

#include <memory>

struct SearchState;

namespace Ui {
class TSearchForm;
}

// The small window shown while the drives are scanned for a program file:
// the folder being searched, an animation, and Browse and Cancel, which ask
// the scan to stop. The window never closes itself; the scan hides it.
class TSearchForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSearchForm(QWidget* parent = nullptr);
    ~TSearchForm() override;

    // The state whose stop flags the buttons set; nullptr detaches the window.
    void UseState(SearchState* state);
    // Shows folder in the SearchDir label, shortened to fit its width.
    void ShowFolder(const QString& folder);

    // Escape and Enter are the Cancel and Browse buttons, never a close.
    void reject() override;
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormShow();
    void FormHide();
    void FormDeactivate();
    void BrowseClick();
    void CancelClick();
    void CentreOnOwner();

    std::unique_ptr<Ui::TSearchForm> ui;
    SearchState* state = nullptr;
    QElapsedTimer sinceFolderShown;
};
