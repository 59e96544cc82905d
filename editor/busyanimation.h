#pragma once
// The busy picture of the progress window: a sheet travels from one folder to another. Its phase
// follows the clock, so each paint shows progress however long the user-interface thread was busy.
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace tarvena {

class BusyAnimation : public QWidget
{
    Q_OBJECT
public:
    explicit BusyAnimation(QWidget *parent = nullptr);

    // Position in the loop, 0 to 1.
    double phase() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QElapsedTimer mClock;
    QTimer mTicker;
};

} // namespace tarvena
