#pragma once

#include <QMainWindow>

namespace zor {

// The session window: the host's screen with its panels, toolbar and menus.
class fConnection : public QMainWindow {
    Q_OBJECT

public:
    static fConnection& instance();

private:
    fConnection();
};

} // namespace zor
