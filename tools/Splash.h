#pragma once

#include <QDialog>

class QLabel;
class QTimer;

namespace zor {

// The start-up picture with the version line, without a frame; it goes by
// itself after a second, or at a click.
class Splash : public QDialog {
    Q_OBJECT

public:
    Splash();

    QLabel* SplashPic = nullptr;
    QLabel* Label1 = nullptr; // the version line
    QTimer* Timer1 = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace zor
