#pragma once

#include <QTimer>
#include <QWidget>

// A folder with a magnifying glass circling over it, looping without end
// while it plays; the search window shows it while a scan runs.
class SearchAnimation : public QWidget
{
    Q_OBJECT

public:
    explicit SearchAnimation(QWidget* parent = nullptr);

    // Plays from the first frame on.
    void Start();
    void Stop();
    bool IsPlaying() const { return frameTimer.isActive(); }
    int Frame() const { return frame; }

    QSize sizeHint() const override { return {80, 50}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void NextFrame();

    QTimer frameTimer;
    int frame = 0;
};
