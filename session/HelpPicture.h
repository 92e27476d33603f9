#pragma once

#include "session/InlineHelp.h"

#include <QWidget>

namespace zor {

// The inline help's text picture: shows its help page, painting only the
// items that fall in the part being repainted.
class HelpPicture : public QWidget {
    Q_OBJECT

public:
    explicit HelpPicture(const QString& name, QWidget* parent = nullptr);

    HelpPage Page;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zor
